#pragma once
// The player named by one log line: the server's client slot and the name exactly as the log
// writes it (colour codes included). Built fresh for every line.

#include <cstdint>
#include <string>

namespace quorvane {

struct PlayerRef {
    std::int16_t slot = 0;
    std::string name;
};

}  // namespace quorvane
