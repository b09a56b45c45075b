#include "network/pacparser.h"

#include "network/jsextension.h"
#include "network/scriptwatchdog.h"

#include <QJSEngine>
#include <QJSValue>
#include <QMetaMethod>

PacParser::PacParser(QObject *parent, const QString &script, int budgetMs)
    : QObject(parent)
    , m_engine(new QJSEngine(this))
    , m_budgetMs(budgetMs)
{
    {
        ScriptWatchdog watchdog(m_engine, m_budgetMs);
        const QJSValue loaded = m_engine->evaluate(script, QString(), 1);
        // Declarations are hoisted, so FindProxyForURL may exist even when
        // the script never finished loading; such a script counts as broken.
        if (watchdog.fired())
            m_brokenAnswer = loaded.isError() ? loaded.toString() : QStringLiteral("DIRECT");
    }
    exposeFunctions();
}

void PacParser::exposeFunctions()
{
    auto *extension = new JSExtension(this);
    const QJSValue wrapper = m_engine->newQObject(extension);
    QJSValue global = m_engine->globalObject();
    const QMetaObject *meta = extension->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() != QMetaMethod::Method)
            continue;
        const QString name = QString::fromLatin1(method.name());
        global.setProperty(name, wrapper.property(name));
    }
}

QString PacParser::findProxyForUrl(const QString &url, const QString &host)
{
    if (!m_brokenAnswer.isEmpty())
        return m_brokenAnswer;
    QJSValue function = m_engine->globalObject().property(QStringLiteral("FindProxyForURL"));
    if (!function.isCallable())
        return QStringLiteral("DIRECT");
    ScriptWatchdog watchdog(m_engine, m_budgetMs);
    const QJSValue result = function.call({QJSValue(url), QJSValue(host)});
    return result.toString();
}
