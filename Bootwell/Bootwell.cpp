#include "Bootwell/Bootwell.h"

namespace Bootwell {

Bootwell& Bootwell::shared() {
    static Bootwell instance;
    return instance;
}

} // namespace Bootwell
