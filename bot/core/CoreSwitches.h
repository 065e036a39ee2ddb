#pragma once
// The two switches that every part of the bot consults: the core runs, and something went wrong
// after which the bot must not go on (the master timer stops at its next tick).

namespace quorvane {

struct CoreSwitches {
    bool CoreActive = false;
    bool FatalError = false;
};

}  // namespace quorvane
