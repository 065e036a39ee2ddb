#include "bot/log/LogParser.h"

#include <array>
#include <cstddef>
#include <utility>

#include "bot/core/BotError.h"
#include "bot/core/Conversions.h"

namespace quorvane {
namespace {

// The byte with which the game marks typed chat; quick messages (0x14) and console text lack it.
constexpr char kTypedChatMark = '\x15';

// A kill or damage line has 13 fields; no other event reads further than that.
constexpr std::size_t kMaxFields = 13;

using Fields = std::array<std::string_view, kMaxFields>;

enum class EventKind { Join, Say, SayTeam, Quit, KillOrDamage, MapChange, Other };

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c;
}

// text, turned into lower case, equals lower (which is already lower case).
bool EqualsLower(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (ToLowerAscii(text[i]) != lower[i]) {
            return false;
        }
    }
    return true;
}

EventKind KindOf(std::string_view word) {
    switch (word.size()) {
        case 1:
            switch (ToLowerAscii(word[0])) {
                case 'j':
                    return EventKind::Join;
                case 'q':
                    return EventKind::Quit;
                case 'k':
                case 'd':
                    return EventKind::KillOrDamage;
                default:
                    return EventKind::Other;
            }
        case 3:
            return EqualsLower(word, "say") ? EventKind::Say : EventKind::Other;
        case 7:
            return EqualsLower(word, "sayteam") ? EventKind::SayTeam : EventKind::Other;
        case 9:
            return EqualsLower(word, "initgame:") ? EventKind::MapChange : EventKind::Other;
        case 10:
            return EqualsLower(word, "exitlevel:") ? EventKind::MapChange : EventKind::Other;
        case 13:
            return EqualsLower(word, "shutdowngame:") ? EventKind::MapChange : EventKind::Other;
        default:
            return EventKind::Other;
    }
}

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Servers write the event at a fixed column, so from 1000 minutes on the space after the time
// stamp is overwritten ("1000:48J;..."). Gives where the event kind starts inside such a word, or
// 0 when the word is not a time stamp with something glued to it.
std::size_t GluedKindStart(std::string_view word) {
    std::size_t i = 0;
    while (i < word.size() && IsDigit(word[i])) {
        ++i;
    }
    if (i == 0 || i + 3 >= word.size() || word[i] != ':' || !IsDigit(word[i + 1]) ||
        !IsDigit(word[i + 2]) || IsDigit(word[i + 3])) {
        return 0;
    }
    return i + 3;
}

// The event kind of field 0: word 1, or what follows a glued time stamp in word 0.
std::string_view EventWord(std::string_view field0, const char*& stage) {
    stage = "1-1";
    field0 = TrimSpaces(field0);
    if (field0.empty()) {
        throw BotError::OutOfRange();  // no word 0: the line holds only spaces
    }
    const std::size_t space = field0.find(' ');
    const std::string_view word0 = field0.substr(0, space);

    stage = "1-2";
    if (const std::size_t glued = GluedKindStart(word0); glued != 0) {
        return word0.substr(glued);
    }
    if (space == std::string_view::npos) {
        throw BotError::OutOfRange();  // no word 1
    }
    const std::string_view rest = field0.substr(space + 1);
    return rest.substr(0, rest.find(' '));
}

// Cuts line at every ";" into fields[0..wanted), wanted <= kMaxFields. Returns how many fields
// the line has, counted up to wanted; fields past those are not looked at.
std::size_t CutFields(std::string_view line, Fields& fields, std::size_t wanted) {
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < wanted) {
        const std::size_t semicolon = line.find(';', start);
        if (semicolon == std::string_view::npos) {
            fields[count++] = line.substr(start);
            break;
        }
        fields[count++] = line.substr(start, semicolon - start);
        start = semicolon + 1;
    }
    return count;
}

// Quit, kill and damage lines change nothing; mods and old game versions write them with other
// field counts or other contents, so a slot that is not a number only makes the line skipped.
bool IsSlot(std::string_view field) {
    try {
        static_cast<void>(ToWholeNumber16(field));
        return true;
    } catch (const BotError&) {
        return false;
    }
}

}  // namespace

LogParser::LogParser(std::function<void(const std::string&)> display, bool& fatalError,
                     const std::int16_t& privateSlots)
    : display_(std::move(display)), fatalError_(fatalError), privateSlots_(privateSlots) {}

bool LogParser::IsPrivateSlot(const PlayerRef& player) const {
    return player.slot < privateSlots_;
}

void LogParser::ParseLine(std::string_view chunk) {
    const char* stage = "1";
    try {
        std::size_t start = 0;
        while (start < chunk.size()) {
            stage = "1";
            std::size_t end = chunk.find('\n', start);
            if (end == std::string_view::npos) {
                end = chunk.size();
            }
            std::string_view line = chunk.substr(start, end - start);
            start = end + 1;
            // Servers on Windows end their lines with CR LF; the CR belongs to the line end.
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            if (!line.empty()) {
                HandleLine(line, stage);
            }
        }
    } catch (...) {
        const BotError error = CurrentError();
        fatalError_ = true;
        if (display_) {
            display_("> ParseLine caught an error: " + NumberAndDescription(error) + " (" + stage +
                     ")");
        }
    }
}

void LogParser::HandleLine(std::string_view line, const char*& stage) const {
    Fields fields;
    CutFields(line, fields, 1);
    const EventKind kind = KindOf(EventWord(fields[0], stage));

    switch (kind) {
        case EventKind::Join: {
            // The oldest game version writes no guid field: "J;3;Bob".
            const std::size_t count = CutFields(line, fields, 4);
            if (count < 3) {
                throw BotError::OutOfRange();
            }
            const std::size_t slotField = count == 3 ? 1 : 2;
            PlayerRef player;
            player.slot = ToWholeNumber16(fields[slotField]);
            if (handlers_.OnPlayerJoin) {
                player.name = fields[slotField + 1];
                handlers_.OnPlayerJoin(player);
            }
            return;
        }
        case EventKind::Say:
        case EventKind::SayTeam: {
            if (CutFields(line, fields, 5) < 5) {
                throw BotError::OutOfRange();
            }
            PlayerRef player;
            player.slot = ToWholeNumber16(fields[2]);
            if (handlers_.OnChat) {
                std::string_view message = fields[4];
                // Team chat always carries one leading mark byte; public chat only when typed.
                if (!message.empty() &&
                    (kind == EventKind::SayTeam || message.front() == kTypedChatMark)) {
                    message.remove_prefix(1);
                }
                player.name = fields[3];
                handlers_.OnChat(player, std::string(message));
            }
            return;
        }
        case EventKind::Quit:
            if (CutFields(line, fields, 4) == 4) {
                static_cast<void>(IsSlot(fields[2]));
            }
            return;
        case EventKind::KillOrDamage:
            // Victim slot in field 2, attacker slot in field 6 (-1 for the world).
            if (CutFields(line, fields, kMaxFields) == kMaxFields && IsSlot(fields[2])) {
                static_cast<void>(IsSlot(fields[6]));
            }
            return;
        case EventKind::MapChange:
            if (handlers_.RefreshMapName) {
                handlers_.RefreshMapName();
            }
            return;
        case EventKind::Other:
            return;
    }
}

}  // namespace quorvane
