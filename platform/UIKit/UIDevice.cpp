#include "UIKit/UIDevice.h"

UIDevice& UIDevice::current() {
    static UIDevice device;
    return device;
}

void UIDevice::setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) {
    idiom_ = idiom;
    UITraitCollection::current().userInterfaceIdiom = idiom;
}
