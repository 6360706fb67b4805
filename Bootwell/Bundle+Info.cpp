#include "Bootwell/Bundle+Info.h"

#include <optional>

namespace Bootwell {

namespace {

std::optional<std::string> stringFor(const Bundle& bundle, const char* key) {
    const auto& info = bundle.infoDictionary();
    auto found = info.find(key);
    if (found == info.end() || !found->is_string())
        return std::nullopt;
    return found->get<std::string>();
}

} // namespace

std::string appName(const Bundle& bundle) {
    if (auto name = stringFor(bundle, "CFBundleDisplayName"))
        return *name;
    return stringFor(bundle, "CFBundleName").value_or("");
}

std::string appVersion(const Bundle& bundle) {
    return stringFor(bundle, "CFBundleShortVersionString").value_or("");
}

std::string buildNumber(const Bundle& bundle) {
    return stringFor(bundle, "CFBundleVersion").value_or("");
}

} // namespace Bootwell
