#include "UIKit/UIScreen.h"

#include "UIKit/UIDevice.h"

UIScreen& UIScreen::main() {
    static UIScreen screen;
    return screen;
}

CGRect UIScreen::bounds() const {
    return {{0, 0}, UIDevice::current().screenSize()};
}
