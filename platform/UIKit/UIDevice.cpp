#include "UIKit/UIDevice.h"

#include "UIKit/UIScreen.h"

UIDevice& UIDevice::current() {
    static UIDevice device;
    return device;
}

void UIDevice::setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) {
    idiom_ = idiom;
    UITraitCollection::current().userInterfaceIdiom = idiom;
    UIScreen::main().configure(screenSize(), UIScreen::main().scale());
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
