#pragma once

#include "Foundation/URL.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

// A folder of resources with an information dictionary ("Info.json" inside it).
// The main bundle is the application's resources/ folder.
class Bundle {
  public:
    // The folder must exist.
    static std::optional<Bundle> at(const std::string& path);
    static Bundle& main();

    const std::string& bundlePath() const { return path_; }
    URL bundleURL() const { return URL::fileURL(path_); }
    // Resources sit in the bundle's own folder.
    const std::string& resourcePath() const { return path_; }

    // `name` may carry its extension when `extension` is empty.
    std::optional<URL> url(const std::string& name, const std::string& extension = "") const;
    std::optional<std::string> path(const std::string& name,
                                    const std::string& extension = "") const;

    const nlohmann::json& infoDictionary() const { return info_; }

  private:
    explicit Bundle(std::string path);

    std::string path_;
    nlohmann::json info_ = nlohmann::json::object();
};

// Where the application's resources are: $MELODRIFT_RESOURCES, beside the executable, in the
// installed share folder, or the source tree the build came from.
std::string mainResourcesPath();
