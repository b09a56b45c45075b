#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class JSExtension;
class QJSEngine;

// Evaluates a proxy auto-config script. The script is code from the network:
// every evaluation (loading and each answer) is interrupted after a budget, so
// an endless loop costs seconds, not the detection run. An interrupted script
// counts as a broken one: its answer is an error text without a proxy entry.
class PacParser : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultBudgetMs = 5000;

    // Makes the JSExtension functions global, then evaluates script, so that
    // code at its top level may call them too. Errors in the script are
    // ignored here; they show in findProxyForUrl's answer.
    PacParser(QObject *parent, const QString &script, int budgetMs = DefaultBudgetMs);

    // The answer of FindProxyForURL(url, host) as text; "DIRECT" when the
    // script defines no such function; the error text when it throws or is
    // interrupted, now or while it was loading.
    QString findProxyForUrl(const QString &url, const QString &host);

    // The present moment the calendar functions see, in local time.
    void setClock(std::function<QDateTime()> clock);

private:
    void exposeFunctions();

    QJSEngine *m_engine;
    JSExtension *m_extension = nullptr;
    int m_budgetMs;
    QString m_brokenAnswer; // set when loading had to be interrupted
};
