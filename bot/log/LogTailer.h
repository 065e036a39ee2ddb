#pragma once
// Follows the game server's log file forward by its size: each poll reads exactly the bytes added
// since the previous one, and hands on only whole lines. The file is opened and closed at every
// read; nothing holds it open between polls.

#include <cstdint>
#include <functional>
#include <string>

namespace quorvane {

struct CoreSwitches;
struct LoadedSettings;

class LogTailer {
  public:
    LogTailer(std::function<void(const std::string&)> display, CoreSwitches& switches,
              const LoadedSettings& loaded);

    // The log file's size in bytes, 0 after a failure (reported, FatalError set).
    std::int64_t GetFileSize();

    // length bytes of the log from offset, one character per byte; the empty text after a failure
    // (reported, FatalError set).
    std::string ReadFile(std::int64_t offset, std::int64_t length);

    // Measures the log anew; true when there is something to read: the file grew, or it shrank
    // (truncated or replaced, as log rotation does) and holds new bytes from its start.
    bool NewLogEvent();

    // Reads what NewLogEvent found and returns the whole lines of it, each ending in its LF. A line
    // the server has only partly written is kept and put in front of the next read, so every line
    // is handed on once and whole.
    std::string ReadNewLines();

    // Sets the size from which reading starts: the core start uses the log's size at that moment,
    // so only what the server appends afterwards is read.
    void StartAt(std::int64_t size);

    std::int64_t currentSize() const { return currentSize_; }
    std::int64_t previousSize() const { return previousSize_; }

  private:
    std::function<void(const std::string&)> display_;
    CoreSwitches& switches_;
    const LoadedSettings& loaded_;
    std::int64_t currentSize_ = 0;
    std::int64_t previousSize_ = 0;
    std::int64_t readFrom_ = 0;
    std::string partialLine_;
};

}  // namespace quorvane
