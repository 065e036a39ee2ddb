#include "rconctl/RconProtocol.h"

#include <algorithm>

namespace varnholt {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string BuildRequest(std::string_view password, std::string_view command) {
    std::string request;
    request.reserve(4 + 5 + password.size() + 1 + command.size() + 2);
    request.append("\xFF\xFF\xFF\xFF", 4);
    request.append("rcon ");
    request.append(password);
    request.push_back(' ');
    request.append(command);
    request.append("\r\n");
    return request;
}

std::string StripReplyHeaders(std::string_view datagram) {
    std::string text;
    text.reserve(datagram.size());
    std::size_t from = 0;
    for (std::size_t at; (at = datagram.find(kReplyHeader, from)) != std::string_view::npos;) {
        text.append(datagram.substr(from, at - from));
        from = at + kReplyHeader.size();
    }
    text.append(datagram.substr(from));
    return text;
}

bool IsBadPassword(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
    return lowered.find("bad rconpassword") != std::string::npos ||
           lowered.find("invalid password.") != std::string::npos;
}

std::int32_t SelectTimeOut(std::int32_t requested) {
    return (requested < 100 || requested > 5000) ? kDefaultTimeOutMs : requested;
}

bool EndsStatusAnswer(std::string_view datagramText) {
    const std::size_t first = datagramText.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    const std::size_t last = datagramText.find_last_not_of(' ');
    const std::string_view trimmed = datagramText.substr(first, last - first + 1);
    return trimmed.size() >= 2 && trimmed.substr(trimmed.size() - 2) == "\n\n";
}

std::vector<nPlayerStruct> ParseStatus(std::string_view answer) {
    std::vector<std::string> lines;
    const int count = splitLimited(answer, "\n", lines, kStatusLineLimit);
    std::vector<nPlayerStruct> players;
    for (int i = 4; i <= count; ++i) {
        players.push_back(parsePlayerLine(lines[static_cast<std::size_t>(i - 1)]));
    }
    return players;
}

}  // namespace varnholt
