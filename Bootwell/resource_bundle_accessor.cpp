#include "Bootwell/resource_bundle_accessor.h"

#include "Foundation/Console.h"

#include <cstdlib>
#include <filesystem>

namespace Bootwell {

namespace {

constexpr const char* bundleName = "Bootwell_Bootwell";

std::string executableFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? "" : exe.parent_path().string();
}

} // namespace

std::vector<std::string> moduleBundleCandidates() {
    std::vector<std::string> candidates{Bundle::main().resourcePath()};
    if (auto folder = executableFolder(); !folder.empty())
        candidates.push_back(folder);
    candidates.push_back(Bundle::main().bundlePath());
    return candidates;
}

Bundle locateModuleBundle(const std::vector<std::string>& candidates) {
    for (const auto& folder : candidates) {
        if (folder.empty())
            continue;
        if (auto bundle = Bundle::at(folder + "/" + bundleName + ".bundle"))
            return *bundle;
    }
    Console::print(std::string("unable to find bundle named ") + bundleName);
    std::abort();
}

const Bundle& moduleBundle() {
    static const Bundle bundle = locateModuleBundle(moduleBundleCandidates());
    return bundle;
}

} // namespace Bootwell
