#include "bot/rcon/RconGateway.h"

#include "bot/core/BotError.h"
#include "bot/core/CoreSwitches.h"
#include "bot/core/Frontend.h"
#include "bot/core/LoadedSettings.h"
#include "bot/rcon/ReplyValue.h"
#include "bot/rcon/WaitSeconds.h"
#include "platform/Dispatch.h"

namespace quorvane {
namespace {

constexpr platform::DispId kSendRcon = 0x60030008;
constexpr std::int32_t kReplyTimeoutMs = 5000;

// How the game versions word a server without an rcon password.
constexpr const char* kNoPasswordSet = "No rconpassword set on the server.";
constexpr const char* kNoPasswordSetCod2 =
    "The server must set 'rcon_password' for clients to use 'rcon'.";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

RconGateway::RconGateway(Frontend& frontend, CoreSwitches& switches, const LoadedSettings& loaded)
    : frontend_(frontend), switches_(switches), loaded_(loaded) {}

std::string RconGateway::RconExec(const std::string& password, const std::string& command,
                                  const std::string& host, int port) {
    WaitSeconds(commandPause_, false);
    platform::DispatchObject& rc = frontend_.RconControl();
    try {
        const platform::Variant result = rc.Invoke(
            kSendRcon, {host, static_cast<std::int32_t>(port), password, command, kReplyTimeoutMs});
        return result.ToText();
    } catch (const platform::ControlError& e) {
        throw BotError(kErrOtherFailure, e.what());
    }
}

std::string RconGateway::RconQuery(const std::string& command) {
    bool retried = false;
    for (;;) {
        const std::string reply = RconExec(loaded_.cod_rconpassword, command, loaded_.cod_serverip,
                                           loaded_.cod_serverport);
        // Servers end this reply with CR LF or with LF alone.
        const std::string unknown = "Unknown command \"" + command + "\"";
        if (reply == unknown + "\r\n" || reply == unknown + "\n") {
            return {};
        }
        if (StartsWith(reply, kNoPasswordSet) || StartsWith(reply, kNoPasswordSetCod2)) {
            frontend_.display("> Error while retrieving cvar: No rconpassword set on the server.");
            switches_.FatalError = true;
            return {};
        }
        if (reply == "RCON_TIMEOUT") {
            frontend_.display("> Warning: Rcon timed out.");
            return {};
        }
        if (StartsWith(reply, "RCON ERROR: ")) {
            frontend_.display("> Rcon error, unable to continue (" + reply + ")");
            switches_.FatalError = true;
            return {};
        }
        if (reply != "NO_RESPONSE") {
            return ReplyValue(reply);
        }
        frontend_.display("> Warning: No rcon response recieved");
        if (retried) {
            return {};
        }
        retried = true;
    }
}

}  // namespace quorvane
