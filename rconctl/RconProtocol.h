#pragma once
// The rcon datagrams and rules of Parts 6.1 and 6.2 as pure functions: the request bytes, the
// reply header, the bad-password phrases, the time-out rule, the end of a status answer and its
// player lines. The control Varnholt applies them to its sockets; tests and the fuzzer call them
// directly.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rconctl/basParsers.h"

namespace varnholt {

// The three reply words: results of sendRcon and codes of the Error event.
inline constexpr std::string_view kRconTimeout = "RCON_TIMEOUT";
inline constexpr std::string_view kRconError = "RCON_ERROR";
inline constexpr std::string_view kRconBadPass = "RCON_BADPASS";

// 0xFF 0xFF 0xFF 0xFF "print" LF, the ten bytes that open every reply datagram.
inline constexpr std::string_view kReplyHeader{
    "\xFF\xFF\xFF\xFF"
    "print\n",
    10};

inline constexpr std::int32_t kDefaultTimeOutMs = 1500;
// However the timers fare, a sendRcon wait ends at the first chance after this long.
inline constexpr std::chrono::milliseconds kWaitCap{5000};
// Lines of a status answer looked at; the first three are headings.
inline constexpr int kStatusLineLimit = 250;

// 0xFF x4, "rcon", space, password, space, command, CR LF; nothing escaped or quoted.
std::string BuildRequest(std::string_view password, std::string_view command);

// The datagram with every occurrence of kReplyHeader removed, wherever it stands (one pass, left
// to right, exact match).
std::string StripReplyHeaders(std::string_view datagram);

// Whether a reply's text says the password was wrong: "bad rconpassword" (Call of Duty and United
// Offensive) or "invalid password." (Call of Duty 2), in any letter case.
bool IsBadPassword(std::string_view text);

// The time-out rule of sendRcon and getStatus: below 100 or above 5000 gives 1500 ms, otherwise
// the value itself (both bounds inclusive).
std::int32_t SelectTimeOut(std::int32_t requested);

// Whether one status datagram's text (header removed) ends the answer: trimmed of spaces, it ends
// in two line feeds.
bool EndsStatusAnswer(std::string_view datagramText);

// The players of a complete status answer (its two closing line feeds already dropped): lines 4 to
// the 250th, one record each.
std::vector<nPlayerStruct> ParseStatus(std::string_view answer);

}  // namespace varnholt
