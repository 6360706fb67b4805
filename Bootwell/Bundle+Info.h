#pragma once

#include "Foundation/Bundle.h"

#include <string>

// What a bundle's information dictionary says of the application; empty text when it says
// nothing.
namespace Bootwell {

// The display name, else the bundle name, else "".
std::string appName(const Bundle& bundle);
// "CFBundleShortVersionString", e.g. "1.0.0".
std::string appVersion(const Bundle& bundle);
// "CFBundleVersion", e.g. "1".
std::string buildNumber(const Bundle& bundle);

} // namespace Bootwell
