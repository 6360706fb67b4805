#include "UIKit/UITraitCollection.h"

UITraitCollection& UITraitCollection::current() {
    static UITraitCollection traits;
    return traits;
}
