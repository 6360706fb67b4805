#include "UIKit/UIPageControl.h"

#include "UIKit/UITouch.h"

#include <algorithm>

void UIPageControl::setNumberOfPages(int pages) {
    pages_ = std::max(0, pages);
    setCurrentPage(current_);
    invalidateIntrinsicContentSize();
}

void UIPageControl::setCurrentPage(int page) {
    current_ = std::clamp(page, 0, std::max(0, pages_ - 1));
    setNeedsDisplay();
}

CGSize UIPageControl::intrinsicContentSize() const {
    if (pages_ == 0 || (hidesForSinglePage && pages_ == 1))
        return {0, 0};
    return {16.0 * pages_ + 10, 26};
}

void UIPageControl::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    if (!touches.empty())
        lastTouch_ = touches.front()->location(this);
    UIControl::touchesBegan(touches, event);
}

void UIPageControl::primaryTouchUpInside(UIEvent* event) {
    int before = current_;
    CGFloat dotsWidth = 16.0 * pages_;
    CGFloat currentX = bounds().midX() - dotsWidth / 2 + 16.0 * current_ + 8;
    setCurrentPage(lastTouch_.x < currentX ? current_ - 1 : current_ + 1);
    if (current_ != before)
        sendActions(UIControlEventValueChanged, event);
    UIControl::primaryTouchUpInside(event);
}
