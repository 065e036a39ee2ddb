#pragma once
// The bot's only way to the game server: one rcon control on the hidden window frmCoD, one second
// of pause before every command, and the reading of server variables from the replies.

#include <string>

namespace quorvane {

class Frontend;
struct CoreSwitches;
struct LoadedSettings;

class RconGateway {
  public:
    RconGateway(Frontend& frontend, CoreSwitches& switches, const LoadedSettings& loaded);

    // Sends one command after the pause and returns the control's result unchanged: the reply, or
    // "RCON_TIMEOUT", "RCON_ERROR", "RCON_BADPASS". A control that cannot be created is an error
    // for the caller.
    std::string RconExec(const std::string& password, const std::string& command,
                         const std::string& host, int port);

    // Sends command with the loaded connection settings and returns the variable's value from the
    // reply, or the empty text after a failure it has reported. A reply that holds no value is the
    // out-of-range error for the caller.
    std::string RconQuery(const std::string& command);

    // The pause before every command: one second. Tests that send many commands shorten it.
    void SetCommandPauseForTests(double seconds) { commandPause_ = seconds; }

  private:
    Frontend& frontend_;
    CoreSwitches& switches_;
    const LoadedSettings& loaded_;
    double commandPause_ = 1.0;
};

}  // namespace quorvane
