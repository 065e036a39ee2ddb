#pragma once
// The settings table: the in-memory copy of settings.txt, one key/value text pair per line, read by
// key with a default and changed by key, every change rewriting the whole file.

#include <string>
#include <vector>

namespace quorvane {

struct SettingEntry {
    std::string key;
    std::string value;
};

class SettingsStore {
  public:
    // The file the table is read from and written to; computed by the core at every start.
    void SetPath(std::string path) { path_ = std::move(path); }
    const std::string& path() const { return path_; }

    // Replaces the table by the file's pairs. Errors (missing file, input past end) go to the
    // caller; the table then stays as it was.
    void ReadSettingsFile();

    // Rewrites the file from the table, skipping entries with an empty key. The file is replaced
    // atomically and kept private to its owner: it holds the rcon password.
    void WriteSettingsFile() const;

    // The value of the first entry whose key matches ignoring letter case, else the default.
    std::string GetSetting(const std::string& key, const std::string& defaultValue) const;

    // Updates the first matching entry or appends a new one, then rewrites the file. An empty key
    // changes nothing.
    void SetSetting(const std::string& key, const std::string& value);

    const std::vector<SettingEntry>& entries() const { return entries_; }

  private:
    // Index of the first entry whose key matches ignoring letter case, or the table's size.
    std::size_t Find(const std::string& key) const;

    std::string path_;
    std::vector<SettingEntry> entries_;
};

}  // namespace quorvane
