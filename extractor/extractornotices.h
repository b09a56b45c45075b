#pragma once

#include <QObject>
#include <QString>

// What the program tells the user about the extractor itself, each at most
// once: that none is installed (said again only after one was found in the
// meantime), that it is out of date, that it found no JavaScript runtime.
// Widget-free; the window shows notice() through the dialog seam.
class ExtractorNotices : public QObject
{
    Q_OBJECT

public:
    explicit ExtractorNotices(QObject *parent = nullptr);

    // Whether a run of "tool.exe" would find an extractor now.
    static bool extractorFound();

    // No extractor: work waits for one. A paste that could not be analysed
    // is told every time (the user just asked); queued work once.
    void extractorMissing(bool onPaste = false);
    // An extractor is there (again).
    void extractorThere();
    // A run ended; remarks are ExtractorRemarks flags of its output. That the
    // extractor is out of date is told when a run failed.
    void runEnded(int remarks, bool failed);

    // The texts, in the interface language.
    static QString missingText();
    static QString outdatedText();
    static QString noJavaScriptRuntimeText();

signals:
    void notice(const QString &title, const QString &text);

private:
    bool m_missingTold = false;
    bool m_outdatedTold = false;
    bool m_runtimeTold = false;
};
