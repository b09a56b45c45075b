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
    exposeFunctions();
    {
        ScriptWatchdog watchdog(m_engine, m_budgetMs);
        const QJSValue loaded = m_engine->evaluate(script, QString(), 1);
        // Declarations are hoisted, so FindProxyForURL may exist even when
        // the script never finished loading; such a script counts as broken.
        if (watchdog.fired())
            m_brokenAnswer = loaded.isError() ? loaded.toString() : QStringLiteral("DIRECT");
    }
}

void PacParser::setClock(std::function<QDateTime()> clock)
{
    m_extension->setClock(std::move(clock));
}

void PacParser::exposeFunctions()
{
    m_extension = new JSExtension(this);
    const QJSValue wrapper = m_engine->newQObject(m_extension);
    QJSValue global = m_engine->globalObject();
    // The calendar functions take any number of arguments; they receive them
    // as one list.
    QJSValue variadic
        = m_engine->evaluate(QStringLiteral("(function (f) { return function () { return "
                                            "f(Array.prototype.slice.call(arguments)); }; })"));
    const QMetaObject *meta = m_extension->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() != QMetaMethod::Method)
            continue;
        const QString name = QString::fromLatin1(method.name());
        const QJSValue function = wrapper.property(name);
        const bool takesList
            = method.parameterCount() == 1 && method.parameterType(0) == QMetaType::QVariantList;
        global.setProperty(name, takesList ? variadic.call({function}) : function);
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
