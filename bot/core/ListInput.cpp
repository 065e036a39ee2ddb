#include "bot/core/ListInput.h"

#include "bot/core/BotError.h"

namespace quorvane {

bool ListInput::AtLineEnd() const {
    return text_[pos_] == '\r' || text_[pos_] == '\n';
}

// Steps over the comma or the line end (CR LF, LF or CR) that closes a field.
void ListInput::SkipDelimiter() {
    if (pos_ >= text_.size()) {
        return;
    }
    if (text_[pos_] == ',') {
        ++pos_;
    } else if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') {
            ++pos_;
        }
    } else if (text_[pos_] == '\n') {
        ++pos_;
    }
}

std::string ListInput::ReadField() {
    while (pos_ < text_.size() && text_[pos_] == ' ') {
        ++pos_;
    }
    if (pos_ >= text_.size()) {
        throw BotError::InputPastEnd();
    }
    std::string field;
    if (text_[pos_] == '"') {
        const std::size_t start = pos_ + 1;
        const std::size_t close = text_.find('"', start);
        const std::size_t end = close == std::string_view::npos ? text_.size() : close;
        field.assign(text_.substr(start, end - start));
        pos_ = close == std::string_view::npos ? text_.size() : close + 1;
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) {
            ++pos_;
        }
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) {
            ++pos_;
        }
        std::size_t end = pos_;
        while (end > start && text_[end - 1] == ' ') {
            --end;
        }
        field.assign(text_.substr(start, end - start));
    }
    SkipDelimiter();
    return field;
}

}  // namespace quorvane
