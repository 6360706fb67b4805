#pragma once

#include "Foundation/Bundle.h"

#include <string>
#include <vector>

namespace Bootwell {

// The kit's resource bundle "Bootwell_Bootwell.bundle", found on first use and kept for the
// life of the process. Its absence is a packaging fault: the process stops with "unable to
// find bundle named Bootwell_Bootwell".
const Bundle& moduleBundle();

// The folders moduleBundle looks in, in order: the main bundle's resources, the folder of
// the executable that carries the kit's code, the main bundle's own folder.
std::vector<std::string> moduleBundleCandidates();
// The first candidate holding the kit's bundle; stops the process when none does.
Bundle locateModuleBundle(const std::vector<std::string>& candidates);

} // namespace Bootwell
