#pragma once
// What the bot's logic needs of its window: the status log and the few controls that the core
// switches. The main window implements it; the logic never sees a widget.

#include <string>

namespace quorvane {

class Frontend {
  public:
    virtual ~Frontend() = default;

    // Appends one entry to the status log.
    virtual void display(const std::string& msg) = 0;

    virtual void SetApplyEnabled(bool enabled) = 0;

    // Loads the hidden window frmTimers (once; later calls find it loaded).
    virtual void LoadTimersWindow() = 0;
};

}  // namespace quorvane
