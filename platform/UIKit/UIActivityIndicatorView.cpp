#include "UIKit/UIActivityIndicatorView.h"

#include "UIKit/CABasicAnimation.h"

#include <cmath>

UIActivityIndicatorView::UIActivityIndicatorView(UIActivityIndicatorViewStyle style)
    : style_(style) {
    CGSize size = intrinsicContentSize();
    setFrame({0, 0, size.width, size.height});
    isOpaque = false;
    setHidden(true);
}

void UIActivityIndicatorView::setStyle(UIActivityIndicatorViewStyle style) {
    style_ = style;
    invalidateIntrinsicContentSize();
}

void UIActivityIndicatorView::setHidesWhenStopped(bool hides) {
    hidesWhenStopped_ = hides;
    if (!animating_)
        setHidden(hides);
}

void UIActivityIndicatorView::startAnimating() {
    if (animating_)
        return;
    animating_ = true;
    setHidden(false);
    auto spin = CABasicAnimation::make("transform.rotation");
    spin->fromValue = 0.0;
    spin->toValue = 2 * M_PI;
    spin->duration = 1;
    spin->repeatCount = CAAnimation::infinity;
    layer()->addAnimation(spin, "spin");
}

void UIActivityIndicatorView::stopAnimating() {
    if (!animating_)
        return;
    animating_ = false;
    layer()->removeAnimation("spin");
    if (hidesWhenStopped_)
        setHidden(true);
}

CGSize UIActivityIndicatorView::intrinsicContentSize() const {
    return style_ == UIActivityIndicatorViewStyle::large ? CGSize{37, 37} : CGSize{20, 20};
}
