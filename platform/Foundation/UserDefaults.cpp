#include "Foundation/UserDefaults.h"

#include "Foundation/AppContainer.h"
#include "Foundation/Console.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const char* dataTag = "$data";
const char* base64Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string toBase64(const std::vector<uint8_t>& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t n = bytes[i] << 16;
        if (i + 1 < bytes.size())
            n |= bytes[i + 1] << 8;
        if (i + 2 < bytes.size())
            n |= bytes[i + 2];
        out += base64Alphabet[(n >> 18) & 63];
        out += base64Alphabet[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? base64Alphabet[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? base64Alphabet[n & 63] : '=';
    }
    return out;
}

std::vector<uint8_t> fromBase64(const std::string& text) {
    std::vector<uint8_t> out;
    uint32_t buffer = 0;
    int bits = 0;
    for (char c : text) {
        const char* at = std::strchr(base64Alphabet, c);
        if (c == '=' || !at || !*at)
            continue;
        buffer = (buffer << 6) | static_cast<uint32_t>(at - base64Alphabet);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<uint8_t>((buffer >> bits) & 0xFF));
        }
    }
    return out;
}

} // namespace

UserDefaults& UserDefaults::standard() {
    static UserDefaults defaults(AppContainer::defaultsPath());
    // The container is read from the environment, so a test can move to a fresh one.
    std::string path = AppContainer::defaultsPath();
    if (path != defaults.path())
        defaults.reload(path);
    return defaults;
}

UserDefaults::UserDefaults(std::string path) {
    reload(std::move(path));
}

std::string UserDefaults::path() const {
    std::lock_guard lock(mutex_);
    return path_;
}

void UserDefaults::reload(std::string path) {
    std::lock_guard lock(mutex_);
    path_ = std::move(path);
    values_ = nlohmann::json::object();
    std::ifstream in(path_);
    if (!in)
        return;
    std::stringstream text;
    text << in.rdbuf();
    auto parsed = nlohmann::json::parse(text.str(), nullptr, false);
    if (parsed.is_object()) {
        values_ = std::move(parsed);
        return;
    }
    std::error_code ignored;
    std::filesystem::rename(path_, path_ + ".corrupt", ignored);
    Console::print("UserDefaults: unreadable file set aside as " + path_ + ".corrupt");
}

void UserDefaults::save() const {
    std::filesystem::path path(path_);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::string temporary = path_ + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << values_.dump(2);
        out.flush();
        if (!out) {
            Console::print("UserDefaults: unable to write " + temporary);
            return;
        }
    }
    std::filesystem::rename(temporary, path_, ec);
    if (ec)
        Console::print("UserDefaults: unable to replace " + path_ + ": " + ec.message());
}

void UserDefaults::store(const std::string& key, nlohmann::json value) {
    std::lock_guard lock(mutex_);
    values_[key] = std::move(value);
    save();
}

int64_t UserDefaults::integer(const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = values_.find(key);
    if (it == values_.end())
        return 0;
    if (it->is_number())
        return it->get<int64_t>();
    if (it->is_boolean())
        return it->get<bool>() ? 1 : 0;
    return 0;
}

bool UserDefaults::boolean(const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = values_.find(key);
    if (it == values_.end())
        return false;
    if (it->is_boolean())
        return it->get<bool>();
    if (it->is_number())
        return it->get<double>() != 0;
    return false;
}

std::optional<std::string> UserDefaults::string(const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = values_.find(key);
    if (it == values_.end() || !it->is_string())
        return std::nullopt;
    return it->get<std::string>();
}

std::optional<std::vector<uint8_t>> UserDefaults::data(const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = values_.find(key);
    if (it == values_.end() || !it->is_object() || !it->contains(dataTag))
        return std::nullopt;
    return fromBase64((*it)[dataTag].get<std::string>());
}

bool UserDefaults::hasKey(const std::string& key) const {
    std::lock_guard lock(mutex_);
    return values_.contains(key);
}

void UserDefaults::set(const std::string& key, int64_t value) {
    store(key, value);
}
void UserDefaults::set(const std::string& key, bool value) {
    store(key, value);
}
void UserDefaults::set(const std::string& key, const std::string& value) {
    store(key, value);
}

void UserDefaults::set(const std::string& key, const std::vector<uint8_t>& value) {
    store(key, {{dataTag, toBase64(value)}});
}

void UserDefaults::removeObject(const std::string& key) {
    std::lock_guard lock(mutex_);
    values_.erase(key);
    save();
}
