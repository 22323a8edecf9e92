#pragma once
#include "model/DisplaySettings.h"

#include <QString>

#include <optional>

// The program's one set of display settings and the file they are kept in.
class DisplaySettingsStore {
public:
    // visualIniPath() unless told.
    explicit DisplaySettingsStore(QString path = QString());

    DisplaySettings &settings() { return settings_; }
    const DisplaySettings &settings() const { return settings_; }
    const QString &path() const { return path_; }

    // Reads the file; the message to show when it could not be read whole.
    std::optional<QString> load();
    // Writes the file once, if it was loaded; the message to show when that failed.
    std::optional<QString> save();

private:
    QString path_;
    DisplaySettings settings_;
    bool loaded_ = false;
};
