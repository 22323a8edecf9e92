#include "app/DisplayGuard.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The context's strings are Qt's static texts (file names, category names),
// so keeping the pointers is safe.
struct HeldMessage {
    QtMsgType type;
    const char *file;
    int line;
    const char *function;
    const char *category;
    QString text;
};

// Only the main thread constructs the application, so one list serves.
std::vector<HeldMessage> &held()
{
    static std::vector<HeldMessage> held;
    return held;
}

void holdOrFail(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fputs("velmora: ディスプレイに接続できません (cannot connect to a display)\n", stderr);
        std::_Exit(1);
    }
    held().push_back({type, context.file, context.line, context.function, context.category, text});
}

} // namespace

DisplayGuard::DisplayGuard()
    : previous_(qInstallMessageHandler(holdOrFail))
{
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(previous_);
    for (const HeldMessage &m : held())
        previous_(m.type, QMessageLogContext(m.file, m.line, m.function, m.category), m.text);
    held().clear();
}
