// Feeds arbitrary bytes to the settings file reader, as a hand-edited settings.txt could hold
// them. The reader may only fill the table or fail with its own error; a table it fills writes
// back and reads again to the same table.

#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bot/core/BotError.h"
#include "bot/core/SettingsStore.h"
#include "bot/core/TextFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    static const std::string path = dir.filePath(QStringLiteral("settings.txt")).toStdString();
    quorvane::WriteFileAtomically(path, std::string(reinterpret_cast<const char*>(data), size),
                                  true);

    quorvane::SettingsStore store;
    store.SetPath(path);
    try {
        store.ReadSettingsFile();
    } catch (const quorvane::BotError&) {
        return 0;  // the reader's own error: input past end of file
    }
    // Keys and values without quotes or line ends (which the format cannot hold) survive a write
    // and a read unchanged.
    const auto clean = [](const std::string& text) {
        return text.find_first_of("\"\r\n") == std::string::npos;
    };
    std::vector<quorvane::SettingEntry> expected;
    bool allClean = true;
    for (const auto& entry : store.entries()) {
        allClean = allClean && clean(entry.key) && clean(entry.value);
        if (!entry.key.empty()) {
            expected.push_back(entry);
        }
    }
    if (!allClean) {
        return 0;
    }
    store.WriteSettingsFile();
    quorvane::SettingsStore again;
    again.SetPath(path);
    again.ReadSettingsFile();
    if (again.entries().size() != expected.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (again.entries()[i].key != expected[i].key ||
            again.entries()[i].value != expected[i].value) {
            std::abort();
        }
    }
    return 0;
}
