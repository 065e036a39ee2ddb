#include "bot/core/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "bot/core/BotError.h"

namespace quorvane {
namespace {

QString ToQtPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    QFile file(ToQtPath(path));
    if (path.empty() || QFileInfo(file).isDir() || !file.open(QIODevice::ReadOnly)) {
        throw BotError::FileNotFound();
    }
    const QByteArray bytes = file.readAll();
    return bytes.toStdString();
}

std::size_t CountTextLines(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++lines;
        } else if (text[i] == '\r') {
            ++lines;
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        }
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') {
        ++lines;
    }
    return lines;
}

std::size_t CountLines(const std::string& path) {
    return CountTextLines(ReadWholeFile(path));
}

std::string FixTrailingSlash(const std::string& folder) {
    const char separator = QDir::separator().toLatin1();
    if (!folder.empty() && folder.back() == separator) {
        return folder;
    }
    return folder + separator;
}

bool FileExists(const std::string& path) {
    return !path.empty() && QFileInfo::exists(ToQtPath(path));
}

void WriteFileAtomically(const std::string& path, const std::string& bytes, bool ownerOnly) {
    QSaveFile file(ToQtPath(path));
    const auto fail = [&path](const QString& reason) {
        return BotError(kErrOtherFailure,
                        "Cannot write " + path + ": " + reason.toLocal8Bit().toStdString());
    };
    if (!file.open(QIODevice::WriteOnly)) {
        throw fail(file.errorString());
    }
    // Set on the temporary file before it takes the file's place, so the content is never readable
    // by others, not even for a moment.
    if (ownerOnly) {
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        throw fail(file.errorString());
    }
}

}  // namespace quorvane
