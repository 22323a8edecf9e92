#include "display/DisplaySettingsStore.h"

#include "display/VisualIni.h"
#include "platform/ColorText.h"
#include "platform/ProfileFile.h"

DisplaySettingsStore::DisplaySettingsStore(QString path)
    : path_(path.isEmpty() ? visualIniPath() : std::move(path))
{
}

std::optional<QString> DisplaySettingsStore::load()
{
    loaded_ = true;
    try {
        loadDisplaySettings(path_, settings_);
    } catch (const ConvertError &e) {
        return e.message();
    } catch (const ProfileReadError &e) {
        return e.message();
    }
    return std::nullopt;
}

std::optional<QString> DisplaySettingsStore::save()
{
    if (!loaded_)
        return std::nullopt;
    loaded_ = false;
    try {
        saveDisplaySettings(path_, settings_);
    } catch (const ProfileWriteError &e) {
        return e.message();
    }
    return std::nullopt;
}
