#pragma once

#include "base/settingsstore.h"
#include "intake/intakechoices.h"

// The choices one-key tasks get, made from the stored indices of the one-key
// page: the options they stand for, the folder and the quality. With the
// switch off every text is empty and the quality -1.
namespace OneKey {

OneKeyChoice choiceFrom(const SettingsStore::OneKeySettings &stored);

} // namespace OneKey
