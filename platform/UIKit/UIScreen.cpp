#include "UIKit/UIScreen.h"

UIScreen& UIScreen::main() {
    static UIScreen screen;
    return screen;
}

void UIScreen::configure(CGSize size, CGFloat scale) {
    bounds_ = {0, 0, size.width, size.height};
    scale_ = scale > 0 ? scale : 1;
}
