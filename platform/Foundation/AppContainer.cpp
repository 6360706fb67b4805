#include "Foundation/AppContainer.h"

#include <cstdlib>
#include <filesystem>

namespace AppContainer {

// Read on every call so that a test can point each case at a fresh container.
std::string rootPath() {
    if (const char* home = std::getenv("MELODRIFT_HOME"); home && *home)
        return home;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        return std::string(data) + "/Melodrift";
    }
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/share/Melodrift";
}

std::string documentsPath() {
    return rootPath() + "/Documents";
}

std::string temporaryPath() {
    std::string path = rootPath() + "/tmp";
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
    return path;
}

std::string defaultsPath() {
    return rootPath() + "/defaults.json";
}

} // namespace AppContainer
