#include "bot/rcon/ReplyValue.h"

#include "bot/core/BotError.h"

namespace quorvane {

std::string ReplyValue(const std::string& reply) {
    std::size_t start = 0;
    for (int quote = 0; quote < 3; ++quote) {
        const std::size_t at = reply.find('"', start);
        if (at == std::string::npos) {
            throw BotError::OutOfRange();
        }
        start = at + 1;
    }
    const std::size_t end = reply.find('"', start);
    std::string value = reply.substr(start, end == std::string::npos ? end : end - start);
    if (value.ends_with("^7")) {
        value.resize(value.size() - 2);
    }
    return value;
}

}  // namespace quorvane
