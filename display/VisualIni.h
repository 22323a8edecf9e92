#pragma once
#include "model/DisplaySettings.h"

#include <QString>

// "Visual.ini" beside the executable, whatever the current directory.
QString visualIniPath();

// Reads the settings key by key, each applied as soon as it is read. A colour
// text that is neither a name nor an integer throws ConvertError: the keys
// before it are applied, everything after it keeps what it had, and every pen
// is whole. A width below 0 leaves the width of a new pen (1); style numbers
// are taken as they are, those outside 0..4 draw solid and are written back
// unchanged. Missing file, section or key, and integers that are no integer,
// give the key's default; so does a file that cannot be read, and one too large
// to be read, which throws ProfileReadError once every key has its default.
// The guide-line count is taken as the file gives it; the count box brings it
// into range.
void loadDisplaySettings(const QString &path, DisplaySettings &s);

// Writes every key of every section, changed or not, all in one write of the
// file. When that fails it throws ProfileWriteError and no key is written.
void saveDisplaySettings(const QString &path, const DisplaySettings &s);
