#pragma once
// What the bot's logic needs of its window: the status log and the few controls that the core
// switches. The main window implements it; the logic never sees a widget.

#include <string>

namespace platform {
class DispatchObject;
}

namespace quorvane {

class Frontend {
  public:
    virtual ~Frontend() = default;

    // Appends one entry to the status log.
    virtual void display(const std::string& msg) = 0;

    virtual void SetApplyEnabled(bool enabled) = 0;

    // Loads the hidden window frmTimers (once; later calls find it loaded).
    virtual void LoadTimersWindow() = 0;

    // The one rcon control, on the hidden window frmCoD, created at the first call and kept until
    // the program quits. A control library that is missing or not registered is a BotError.
    virtual platform::DispatchObject& RconControl() = 0;
};

}  // namespace quorvane
