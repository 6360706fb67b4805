#include "Foundation/Bundle.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string executableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? "" : exe.parent_path().string();
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

} // namespace

std::string mainResourcesPath() {
    if (const char* env = std::getenv("MELODRIFT_RESOURCES"); env && isFolder(env))
        return env;
    std::string exe = executableFolder();
    for (const std::string& candidate :
         {exe + "/resources", exe + "/../share/melodrift/resources"}) {
        if (isFolder(candidate))
            return fs::weakly_canonical(candidate).string();
    }
    return MELODRIFT_SOURCE_RESOURCES;
}

Bundle::Bundle(std::string path) : path_(std::move(path)) {
    std::ifstream in(path_ + "/Info.json");
    if (!in)
        return;
    std::stringstream text;
    text << in.rdbuf();
    auto parsed = nlohmann::json::parse(text.str(), nullptr, false);
    if (parsed.is_object())
        info_ = std::move(parsed);
}

std::optional<Bundle> Bundle::at(const std::string& path) {
    if (!isFolder(path))
        return std::nullopt;
    return Bundle(path);
}

Bundle& Bundle::main() {
    static Bundle bundle(mainResourcesPath());
    return bundle;
}

std::optional<std::string> Bundle::path(const std::string& name,
                                        const std::string& extension) const {
    std::string file = extension.empty() ? name : name + "." + extension;
    std::string full = path_ + "/" + file;
    std::error_code ec;
    if (file.empty() || !fs::exists(full, ec))
        return std::nullopt;
    return full;
}

std::optional<URL> Bundle::url(const std::string& name, const std::string& extension) const {
    auto found = path(name, extension);
    if (!found)
        return std::nullopt;
    return URL::fileURL(*found);
}
