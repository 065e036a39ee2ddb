#include "bot/log/LogTailer.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "bot/core/BotError.h"
#include "bot/core/CoreSwitches.h"
#include "bot/core/LoadedSettings.h"

namespace quorvane {
namespace {

BotError FileError(const std::error_code& error) {
    if (error == std::errc::no_such_file_or_directory) {
        return BotError::FileNotFound();
    }
    return {kErrOtherFailure, error.message()};
}

}  // namespace

LogTailer::LogTailer(std::function<void(const std::string&)> display, CoreSwitches& switches,
                     const LoadedSettings& loaded)
    : display_(std::move(display)), switches_(switches), loaded_(loaded) {}

std::int64_t LogTailer::GetFileSize() {
    try {
        std::error_code error;
        const std::filesystem::path path(loaded_.cod_logfile);
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (error) {
            throw FileError(error);
        }
        return static_cast<std::int64_t>(size);
    } catch (...) {
        display_("> GetFileSize got an error: " + NumberAndDescription(CurrentError()));
        switches_.FatalError = true;
        return 0;
    }
}

std::string LogTailer::ReadFile(std::int64_t offset, std::int64_t length) {
    try {
        std::ifstream file(std::filesystem::path(loaded_.cod_logfile), std::ios::binary);
        if (!file) {
            throw BotError::FileNotFound();
        }
        std::string text(static_cast<std::size_t>(length), '\0');
        file.seekg(offset);
        file.read(text.data(), length);
        // A file cut short since its size was taken gives what it still holds; the next poll sees
        // it smaller and starts again from its beginning.
        text.resize(static_cast<std::size_t>(file.gcount()));
        return text;
    } catch (...) {
        display_("> ReadFile caught an error: " + NumberAndDescription(CurrentError()));
        switches_.FatalError = true;
        return {};
    }
}

bool LogTailer::NewLogEvent() {
    previousSize_ = currentSize_;
    currentSize_ = GetFileSize();
    if (currentSize_ > previousSize_) {
        readFrom_ = previousSize_;
        return true;
    }
    if (currentSize_ < previousSize_) {
        // Truncated or replaced: what the file holds now is new, and a kept line piece belonged to
        // the old file.
        partialLine_.clear();
        readFrom_ = 0;
        return currentSize_ > 0;
    }
    return false;
}

std::string LogTailer::ReadNewLines() {
    std::string text = partialLine_ + ReadFile(readFrom_, currentSize_ - readFrom_);
    const std::size_t lastLineFeed = text.rfind('\n');
    if (lastLineFeed == std::string::npos) {
        partialLine_ = std::move(text);
        return {};
    }
    partialLine_.assign(text, lastLineFeed + 1);
    text.resize(lastLineFeed + 1);
    return text;
}

void LogTailer::StartAt(std::int64_t size) {
    currentSize_ = size;
    partialLine_.clear();
}

}  // namespace quorvane
