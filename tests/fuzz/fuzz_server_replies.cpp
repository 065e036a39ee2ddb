// Feeds arbitrary bytes to what the bot reads out of the server's replies and its players' text:
// variable values, the map rotation, and the removal of colour codes. Each may only give a result
// or the out-of-range error of a reply without a value.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bot/core/BotError.h"
#include "bot/core/Rotation.h"
#include "bot/rcon/MessageVariables.h"
#include "bot/rcon/ReplyValue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const std::string value = quorvane::ReplyValue(text);
        if (value.size() > text.size()) {
            std::abort();
        }
    } catch (const quorvane::BotError& e) {
        if (e.number() != quorvane::kErrOutOfRange) {
            std::abort();
        }
    }
    const std::vector<std::string> entries = quorvane::ParseRotation(text, "tdm");
    if (entries.empty()) {
        std::abort();  // a rotation always gives at least one (empty) entry
    }
    const std::string stripped = quorvane::StripColourCodes(text);
    if (stripped.size() > text.size() || stripped.find('"') != std::string::npos) {
        std::abort();
    }
    return 0;
}
