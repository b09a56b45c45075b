#include "intake/windowintakedialogs.h"

#include "base/dialogseam.h"
#include "extractor/analysissession.h"
#include "intake/listdialog.h"
#include "intake/singledialog.h"

#include <QCoreApplication>

WindowIntakeDialogs::WindowIntakeDialogs(QWidget *window, SingleDialog *single, ListDialog *list,
    AnalysisSession *analysis, Anchor anchor, Language language)
    : m_window(window)
    , m_single(single)
    , m_list(list)
    , m_analysis(analysis)
    , m_anchor(std::move(anchor))
    , m_language(std::move(language))
{
    QObject::connect(
        m_analysis, &AnalysisSession::videoAnalysed, m_single, &SingleDialog::showAnalysis);
    QObject::connect(m_analysis, &AnalysisSession::entriesListed, m_list, &ListDialog::showEntries);
    QObject::connect(m_analysis, &AnalysisSession::titleFound, m_list, &ListDialog::showTitle);
}

void WindowIntakeDialogs::warnNotALink()
{
    DialogSeam::warning(m_window, QCoreApplication::translate("LinkIntake", "Warning"),
        QCoreApplication::translate("LinkIntake", "Please paste the correct URL address!"));
}

bool WindowIntakeDialogs::askWholeList(const QString &)
{
    const auto answer
        = DialogSeam::question(nullptr, QCoreApplication::translate("LinkIntake", "提示:"),
            QCoreApplication::translate("LinkIntake",
                "发现视频链接地址包含视频列表信息,如果选择“yes”，下载视频列表，"
                "如果选择“NO”,下载单个视频"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    return answer == QMessageBox::Yes;
}

std::optional<SingleChoice> WindowIntakeDialogs::chooseSingle(const QString &link)
{
    m_single->move(m_anchor());
    m_single->setLanguage(m_language());
    m_single->showAnalysing(link);
    m_analysis->analyseVideo(link);
    m_single->exec();
    m_analysis->stop();
    return m_single->choice();
}

std::optional<ListChoice> WindowIntakeDialogs::chooseFromList(const QString &link, bool onekey)
{
    m_list->showAnalysing(link);
    m_analysis->analyseList(link);
    m_list->setOneKey(onekey);
    m_list->move(m_anchor());
    m_list->setLanguage(m_language());
    const int result = m_list->exec();
    m_analysis->stop();
    if (result != ListDialog::Download)
        return std::nullopt;
    return m_list->choice();
}
