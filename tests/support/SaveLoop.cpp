// Saves the display settings into the given file again and again, alternating
// between two sets, until it is killed. Used to kill a save at random moments.
// usage: display_save_loop PATH
#include "display/VisualIni.h"
#include "model/DisplaySettings.h"
#include "support/SaveLoopSettings.h"

#include <QString>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const DisplaySettings sets[2] = {saveLoopSettings(0), saveLoopSettings(1)};
    for (unsigned i = 0;; ++i)
        saveDisplaySettings(path, sets[i % 2]);
}
