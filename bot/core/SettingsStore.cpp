#include "bot/core/SettingsStore.h"

#include <algorithm>
#include <cctype>

#include "bot/core/ListInput.h"
#include "bot/core/TextFiles.h"

namespace quorvane {
namespace {

bool KeysMatch(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

void SettingsStore::ReadSettingsFile() {
    const std::string text = ReadWholeFile(path_);
    const std::size_t lines = CountTextLines(text);
    std::vector<SettingEntry> table(lines);
    ListInput input(text);
    for (SettingEntry& entry : table) {
        entry.key = input.ReadField();
        entry.value = input.ReadField();
    }
    entries_ = std::move(table);
}

void SettingsStore::WriteSettingsFile() const {
    std::string text;
    for (const SettingEntry& entry : entries_) {
        if (!entry.key.empty()) {
            text += '"' + entry.key + "\",\"" + entry.value + "\"\r\n";
        }
    }
    WriteFileAtomically(path_, text, /*ownerOnly=*/true);
}

std::size_t SettingsStore::Find(const std::string& key) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&key](const SettingEntry& e) { return KeysMatch(e.key, key); });
    return static_cast<std::size_t>(it - entries_.begin());
}

std::string SettingsStore::GetSetting(const std::string& key,
                                      const std::string& defaultValue) const {
    const std::size_t index = Find(key);
    return index < entries_.size() ? entries_[index].value : defaultValue;
}

void SettingsStore::SetSetting(const std::string& key, const std::string& value) {
    if (key.empty()) {
        return;
    }
    const std::size_t index = Find(key);
    if (index < entries_.size()) {
        entries_[index].value = value;
    } else {
        entries_.push_back({key, value});
    }
    WriteSettingsFile();
}

}  // namespace quorvane
