// libFuzzer target for the control's handling of outside input: one reply datagram as it comes
// off the wire, through header removal, the bad-password test, the end-of-answer test, the status
// answer split (splitLimited) and the player line parser (parsePlayerLine).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rconctl/RconProtocol.h"
#include "rconctl/basParsers.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// A field either keeps its default or holds a piece of its line.
bool DefaultOrPartOf(const platform::Variant& field, const platform::Variant& fallback,
                     std::string_view line) {
    return field == fallback ||
           (field.IsText() && line.find(field.Text()) != std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view datagram(reinterpret_cast<const char*>(data), size);

    const std::string text = varnholt::StripReplyHeaders(datagram);
    Check(text.size() <= datagram.size());
    Check((datagram.size() - text.size()) % varnholt::kReplyHeader.size() == 0);
    (void)varnholt::IsBadPassword(text);

    std::string answer = text;
    if (varnholt::EndsStatusAnswer(text)) {
        answer.resize(answer.size() - 2);
    }
    std::vector<std::string> lines;
    const int count = varnholt::splitLimited(answer, "\n", lines, varnholt::kStatusLineLimit);
    Check(count >= 1 && count <= varnholt::kStatusLineLimit);
    Check(lines.size() == static_cast<std::size_t>(varnholt::kStatusLineLimit));

    const std::vector<varnholt::nPlayerStruct> players = varnholt::ParseStatus(answer);
    Check(players.size() == static_cast<std::size_t>(count >= 4 ? count - 3 : 0));
    for (std::size_t i = 0; i < players.size(); ++i) {
        const std::string& line = lines[i + 3];
        // Every field that was cut out is a piece of its line; a name never ends in a space.
        const platform::Record record = varnholt::ToRecord(players[i]);
        const platform::Record defaults = varnholt::ToRecord(varnholt::nPlayerStruct{});
        for (std::size_t f = 0; f < record.size(); ++f) {
            Check(DefaultOrPartOf(record[f], defaults[f], line));
        }
        Check(players[i].PlayerName.empty() || players[i].PlayerName.back() != ' ');
    }

    // Other limits and delimiters than the status answer's, taken from the input.
    if (size >= 2) {
        const int limit = data[0] % 8;
        const std::string delimiter(datagram.substr(1, 1 + data[0] % 2));
        const int n = varnholt::splitLimited(datagram.substr(2), delimiter, lines, limit);
        Check(n >= 0 && n <= limit);
    }
    return 0;
}
