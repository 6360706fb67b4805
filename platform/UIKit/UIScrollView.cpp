#include "UIKit/UIScrollView.h"

#include "Foundation/RunLoop.h"
#include "UIKit/UIPanGestureRecognizer.h"

#include <algorithm>
#include <cmath>

void UIScrollView::setContentSize(CGSize size) {
    contentSize_ = size;
    setNeedsLayout();
}

CGPoint UIScrollView::minimumContentOffset() const {
    return {-contentInset.left, -contentInset.top};
}

CGPoint UIScrollView::maximumContentOffset() const {
    CGSize b = bounds().size;
    CGPoint min = minimumContentOffset();
    return {std::max(min.x, contentSize_.width + contentInset.right - b.width),
            std::max(min.y, contentSize_.height + contentInset.bottom - b.height)};
}

CGPoint UIScrollView::clamped(CGPoint offset) const {
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    return {std::clamp(offset.x, lo.x, hi.x), std::clamp(offset.y, lo.y, hi.y)};
}

void UIScrollView::moveTo(CGPoint offset) {
    if (offset == contentOffset())
        return;
    CGRect b = bounds();
    b.origin = offset;
    setBounds(b);
    if (auto d = delegate.lock())
        d->scrollViewDidScroll(*this);
}

void UIScrollView::setContentOffset(CGPoint offset, bool animated) {
    ++animationGeneration_;
    if (!animated) {
        moveTo(offset);
        return;
    }
    animateTo(offset, false);
}

// Eases out from the current offset to the target in steps of a sixtieth of a second.
void UIScrollView::animateTo(CGPoint target, bool decelerating) {
    uint64_t generation = ++animationGeneration_;
    CGPoint start = contentOffset();
    double began = RunLoop::main().now();
    decelerating_ = decelerating;
    auto weak = std::weak_ptr<UIScrollView>(std::static_pointer_cast<UIScrollView>(sharedView()));
    auto step = std::make_shared<std::function<void()>>();
    *step = [weak, generation, start, target, began, decelerating, step] {
        auto self = weak.lock();
        if (!self || self->animationGeneration_ != generation) {
            *step = nullptr;
            return;
        }
        double t = std::min(1.0, (RunLoop::main().now() - began) / animationDuration);
        double eased = 1 - (1 - t) * (1 - t);
        self->moveTo(
            {start.x + (target.x - start.x) * eased, start.y + (target.y - start.y) * eased});
        if (t < 1) {
            RunLoop::main().postAfter(1.0 / 60, *step);
            return;
        }
        self->decelerating_ = false;
        *step = nullptr;
        if (auto d = self->delegate.lock()) {
            if (decelerating)
                d->scrollViewDidEndDecelerating(*self);
            else
                d->scrollViewDidEndScrollingAnimation(*self);
        }
    };
    RunLoop::main().postAfter(1.0 / 60, *step);
}

void UIScrollView::scrollRectToVisible(const CGRect& rect, bool animated) {
    CGPoint offset = contentOffset();
    CGSize b = bounds().size;
    if (rect.minX() < offset.x)
        offset.x = rect.minX();
    else if (rect.maxX() > offset.x + b.width)
        offset.x = rect.maxX() - b.width;
    if (rect.minY() < offset.y)
        offset.y = rect.minY();
    else if (rect.maxY() > offset.y + b.height)
        offset.y = rect.maxY() - b.height;
    setContentOffset(clamped(offset), animated);
}

std::shared_ptr<UIPanGestureRecognizer> UIScrollView::panGestureRecognizer() {
    if (!pan_) {
        pan_ = UIPanGestureRecognizer::make();
        std::weak_ptr<UIView> weak = sharedView();
        pan_->addAction([weak](UIGestureRecognizer& r) {
            auto self = std::static_pointer_cast<UIScrollView>(weak.lock());
            if (self)
                self->handlePan(static_cast<UIPanGestureRecognizer&>(r));
        });
        addGestureRecognizer(pan_);
    }
    return pan_;
}

void UIScrollView::didMoveToSuperview() {
    if (superview())
        panGestureRecognizer();
}

void UIScrollView::handlePan(UIPanGestureRecognizer& pan) {
    if (!isScrollEnabled)
        return;
    auto keepAlive = sharedView();
    switch (pan.state()) {
    case UIGestureRecognizerState::began:
        ++animationGeneration_;
        decelerating_ = false;
        dragging_ = true;
        dragStart_ = contentOffset();
        if (auto d = delegate.lock())
            d->scrollViewWillBeginDragging(*this);
        [[fallthrough]];
    case UIGestureRecognizerState::changed: {
        CGPoint t = pan.translation(nullptr);
        moveTo(clamped(dragStart_ - t));
        break;
    }
    case UIGestureRecognizerState::ended:
    case UIGestureRecognizerState::cancelled: {
        dragging_ = false;
        CGPoint target = contentOffset();
        if (isPagingEnabled) {
            CGSize b = bounds().size;
            if (b.width > 0)
                target.x = std::round(target.x / b.width) * b.width;
            if (b.height > 0)
                target.y = std::round(target.y / b.height) * b.height;
            target = clamped(target);
        }
        bool decelerate = !(target == contentOffset());
        if (auto d = delegate.lock())
            d->scrollViewDidEndDragging(*this, decelerate);
        if (decelerate)
            animateTo(target, true);
        break;
    }
    default:
        break;
    }
}
