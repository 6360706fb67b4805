#include "UIKit/UIDevice.h"

UIDevice& UIDevice::current() {
    static UIDevice device;
    return device;
}

CGSize UIDevice::screenSize() const {
    if (idiom_ == UIUserInterfaceIdiom::pad)
        return {820, 1180};
    return {390, 844};
}

UIEdgeInsets UIDevice::screenSafeAreaInsets() const {
    if (idiom_ == UIUserInterfaceIdiom::pad)
        return {24, 0, 20, 0};
    return {47, 0, 34, 0};
}
