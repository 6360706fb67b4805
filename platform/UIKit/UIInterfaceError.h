#pragma once

#include <stdexcept>
#include <string>

// A storyboard or interface file that cannot be loaded: a missing file, an unknown class, a
// missing outlet or action, a property that does not apply. The message names the culprit.
class UIInterfaceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
