#pragma once
#include <QtGlobal>

// Without a usable display Qt ends the process with abort() and a screen of
// plugin advice. While a guard lives, such a failure prints one line and ends
// the program with exit code 1 instead; Qt's other messages are held back and
// passed on when the guard goes, once the display is known to work.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

private:
    QtMessageHandler previous_;
};
