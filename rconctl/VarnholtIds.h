#pragma once
// The public identifiers of the control Varnholt, for hosts that bind late (the header-only
// counterpart of an imported type library): programmatic identifier, dispatch identifiers of the
// methods and events, reply words. Including it links nothing.

#include <cstdint>
#include <string_view>

namespace varnholt::ids {

inline constexpr std::string_view kProgId = "Varnholt32.Varnholt";

// Methods of the default dispatch interface _Varnholt.
inline constexpr std::int32_t kGetStatus = 0x60030005;  // (host, port, pass [, sckTimeOut])
inline constexpr std::int32_t kSendRcon = 0x60030008;  // (host, port, pass, command [, sckTimeOut])
inline constexpr std::int32_t kRconBreak = 0x6003000A;  // ()

// Events of the source interface __Varnholt.
inline constexpr std::int32_t kEventError = 1;       // (eCode text)
inline constexpr std::int32_t kEventPlayerItem = 2;  // (nPlayerStruct record of 8 fields)
// No event marks the end of a player list: an answer without player lines raises nothing.

inline constexpr std::string_view kRconTimeout = "RCON_TIMEOUT";
inline constexpr std::string_view kRconError = "RCON_ERROR";
inline constexpr std::string_view kRconBadPass = "RCON_BADPASS";

}  // namespace varnholt::ids
