#include "bot/core/Conversions.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "bot/core/BotError.h"

namespace quorvane {
namespace {

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// Plain decimal notation only ("12", "-2.5", "+.5", "1e3"); no words such as inf or nan.
std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimSpaces(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        if (error == std::errc::result_out_of_range) {
            throw BotError::Overflow();
        }
        return std::nullopt;
    }
    return negative ? -value : value;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ToSwitch(std::string_view text) {
    const std::string_view word = TrimSpaces(text);
    if (EqualsIgnoringCase(word, "true")) {
        return true;
    }
    if (EqualsIgnoringCase(word, "false")) {
        return false;
    }
    const std::optional<double> number = ParseDecimal(text);
    if (!number) {
        throw BotError::TypeMismatch();
    }
    return *number != 0;
}

namespace {

std::int32_t ToWholeNumberIn(std::string_view text, double lowest, double highest) {
    const std::optional<double> number = ParseDecimal(text);
    if (!number) {
        throw BotError::TypeMismatch();
    }
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double rounded = std::nearbyint(*number);
    if (!(rounded >= lowest && rounded <= highest)) {
        throw BotError::Overflow();
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

std::int16_t ToWholeNumber16(std::string_view text) {
    return static_cast<std::int16_t>(ToWholeNumberIn(text, -32768.0, 32767.0));
}

std::int32_t ToPortNumber(std::string_view text) {
    return ToWholeNumberIn(text, 0.0, 65535.0);
}

}  // namespace quorvane
