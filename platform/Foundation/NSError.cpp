#include "Foundation/NSError.h"

#include <cstring>

NSError NSError::posix(int errnoValue, const std::string& what) {
    return NSError{"NSPOSIXErrorDomain", errnoValue, what + " (" + std::strerror(errnoValue) + ")"};
}

std::string NSError::debugDescription() const {
    return "Error Domain=" + domain + " Code=" + std::to_string(code) + " \"" + message + "\"";
}
