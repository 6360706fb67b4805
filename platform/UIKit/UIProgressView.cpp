#include "UIKit/UIProgressView.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<UIProgressView> UIProgressView::make(UIProgressViewStyle style) {
    auto view = std::make_shared<UIProgressView>();
    view->progressViewStyle = style;
    return view;
}

void UIProgressView::setProgress(float progress, bool) {
    progress_ = std::isnan(progress) ? 0.0f : std::clamp(progress, 0.0f, 1.0f);
    setNeedsDisplay();
}
