#pragma once

#include <cstdint>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

// Small values kept across launches in the app container, as one JSON file. Every change is
// written at once, atomically (a new file, then a rename). A file that cannot be read is set
// aside as "<name>.corrupt" and the defaults start empty.
class UserDefaults {
  public:
    static UserDefaults& standard();
    explicit UserDefaults(std::string path);

    // Missing keys read as 0, false and none, as on the phone.
    int64_t integer(const std::string& key) const;
    bool boolean(const std::string& key) const;
    std::optional<std::string> string(const std::string& key) const;
    std::optional<std::vector<uint8_t>> data(const std::string& key) const;
    bool hasKey(const std::string& key) const;

    void set(const std::string& key, int64_t value);
    void set(const std::string& key, int value) { set(key, static_cast<int64_t>(value)); }
    void set(const std::string& key, bool value);
    void set(const std::string& key, const std::string& value);
    void set(const std::string& key, const char* value) { set(key, std::string(value)); }
    void set(const std::string& key, const std::vector<uint8_t>& value);
    void removeObject(const std::string& key);

    std::string path() const;
    // Reads the values from the file at `path`, which is then the file written to.
    void reload(std::string path);

  private:
    void store(const std::string& key, nlohmann::json value);
    void save() const;

    std::string path_;
    mutable std::mutex mutex_;
    nlohmann::json values_ = nlohmann::json::object();
};
