#pragma once
// Reads comma-separated fields the way the settings and list files are written: a field ends at a
// comma or a line end, and a quoted field may hold commas. Reading is by fields, not by lines.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

class ListInput {
  public:
    explicit ListInput(std::string_view text) : text_(text) {}

    // The next field. Leading spaces are skipped; a field that begins with a double quote runs to
    // the next double quote and the rest up to the delimiter is dropped; any other field runs to
    // the delimiter, trailing spaces dropped. Throws the input-past-end error when no field is
    // left.
    std::string ReadField();

  private:
    bool AtLineEnd() const;
    void SkipDelimiter();

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace quorvane
