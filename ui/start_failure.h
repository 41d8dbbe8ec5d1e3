// Turns Qt's abort on a display it cannot open into one clear line and exit
// status 1.
#pragma once

namespace vorlaine::ui {

// While it lives, Qt's messages are held back; a fatal one (no platform could
// be started) prints "vorlaine: cannot open the window: REASON" and ends the
// program with status 1. When it ends, the messages held back are passed on.
class StartFailureGuard {
public:
    StartFailureGuard();
    ~StartFailureGuard();
    StartFailureGuard(const StartFailureGuard&) = delete;
    StartFailureGuard& operator=(const StartFailureGuard&) = delete;
};

} // namespace vorlaine::ui
