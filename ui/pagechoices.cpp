#include "ui/pagechoices.h"

#include "ui/uitexts.h"

#include <QCoreApplication>

namespace PageChoices {

static Choice choice(const char *text, const char *icon = "")
{
    return {QCoreApplication::translate(UiTexts::Context, text), QString::fromLatin1(icon)};
}

QList<Choice> qualities()
{
    return {choice(" Original Video", ":/img/best.png"),
        choice(" Best Parameter", ":/img/best.png"), choice(" 8K ", ":/img/8k.png"),
        choice(" 4K ", ":/img/4k.png"), choice(" 2K ", ":/img/2k.png"),
        choice(" UHD 1080P", ":/img/FD2.png"), choice(" FHD 720P", ":/img/FD3.png"),
        choice(" HD 480P", ":/img/FD4.png"), choice(" SD 360P", ":/img/FD5.png"),
        choice(" FD 240P", ":/img/FD6.png"), choice(" FD 144P", ":/img/FD6.png"),
        choice(" Only Audio", ":/img/audio.png"), choice(" Skip Download", ":/img/nothing.png")};
}

QList<Choice> rates()
{
    return {choice(" Unlimited"), choice(" 1 Mbps"), choice(" 512 Kbps"), choice(" 200 Kbps"),
        choice(" 100 Kbps")};
}

QList<Choice> subtitleModes()
{
    return {choice(" Save subtitle file", ":/img/zimu.png"),
        choice(" Embed-subtitle", ":/img/qianrushi.png")};
}

QList<Choice> subtitleLanguages()
{
    return {choice(" English"), choice(" 简体中文"), choice(" 繁体中文"), choice(" 俄语"),
        choice(" 韩语")};
}

QList<Choice> exportFilters()
{
    return {choice("ALL List"), choice("Pause List"), choice("Downloading List"),
        choice("Downloaded List"), choice("Failture List")};
}

} // namespace PageChoices
