#pragma once

#include "intake/linkintake.h"

#include <functional>

class AnalysisSession;
class ListDialog;
class QWidget;
class SingleDialog;

// The window's answers to link intake: message boxes through the dialog
// seam and the two long-lived dialogs, each placed beside the paste button
// and styled for the interface language before it runs. The analysis
// session analyses the link while its dialog is open; what it finds goes
// to that dialog, and its runs end when the dialog does.
class WindowIntakeDialogs : public IntakeDialogs
{
public:
    using Anchor = std::function<QPoint()>;
    using Language = std::function<int()>;

    WindowIntakeDialogs(QWidget *window, SingleDialog *single, ListDialog *list,
        AnalysisSession *analysis, Anchor anchor, Language language);

    void warnNotALink() override;
    bool askWholeList(const QString &link) override;
    std::optional<SingleChoice> chooseSingle(const QString &link) override;
    std::optional<ListChoice> chooseFromList(const QString &link, bool onekey) override;

private:
    QWidget *m_window;
    SingleDialog *m_single;
    ListDialog *m_list;
    AnalysisSession *m_analysis;
    Anchor m_anchor;
    Language m_language;
};
