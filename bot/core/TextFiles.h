#pragma once
// File helpers shared by the settings store and the list-file loaders: whole-file reads, line
// counts, paths in the program's folder, and atomic rewrites.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// The file's bytes. A missing or unreadable file is the file-not-found error.
std::string ReadWholeFile(const std::string& path);

// Number of lines of a text: every line end (CR LF, LF or CR) closes one line, and text after the
// last line end is one more.
std::size_t CountTextLines(std::string_view text);

// Number of lines of a text file, counted as above. A missing file is the file-not-found error.
std::size_t CountLines(const std::string& path);

// The folder path with the platform's folder separator appended, unless it already ends in one.
std::string FixTrailingSlash(const std::string& folder);

// True when a file or folder exists at the path; false for an empty or bad path, never an error.
bool FileExists(const std::string& path);

// Replaces the file's content at once: the bytes go to a temporary file beside it, which then takes
// the file's place, so a crash or a full disk never leaves a half-written file. With ownerOnly the
// file is readable and writable by its owner only, where the system has permissions.
// A failure is an error of kErrOtherFailure naming the path.
void WriteFileAtomically(const std::string& path, const std::string& bytes, bool ownerOnly);

}  // namespace quorvane
