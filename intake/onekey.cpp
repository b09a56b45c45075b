#include "intake/onekey.h"

#include "extractor/choiceoptions.h"
#include "extractor/downloadcommand.h"

namespace OneKey {

OneKeyChoice choiceFrom(const SettingsStore::OneKeySettings &stored)
{
    OneKeyChoice c;
    if (!stored.onekey) {
        c.quality = -1;
        return c;
    }
    c.rateOption = rateLimitForIndex(stored.videosudu);
    c.location = stored.videolocation;
    c.quality = stored.videoquality;
    c.subtitleOption = subtitleModeOption(stored.videozimu);
    c.subLangOption = subtitleLanguageOption(stored.videozimulang);
    c.thumbnailOption = thumbnailOption(stored.videothumbnail);
    return c;
}

} // namespace OneKey
