#pragma once

#include "UIKit/UIView.h"

#include <cstdint>
#include <memory>

class UIScrollView;
class UIPanGestureRecognizer;

class UIScrollViewDelegate {
  public:
    virtual ~UIScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(UIScrollView&) {}
    virtual void scrollViewWillBeginDragging(UIScrollView&) {}
    virtual void scrollViewDidEndDragging(UIScrollView&, bool willDecelerate) {
        (void)willDecelerate;
    }
    virtual void scrollViewDidEndDecelerating(UIScrollView&) {}
    virtual void scrollViewDidEndScrollingAnimation(UIScrollView&) {}
};

// A view whose bounds origin is its content offset: content of contentSize scrolls under it.
// A drag moves the content (held within its size and insets); with paging it settles on the
// nearest multiple of the view's size. Animated offset changes step on the main run loop,
// telling the delegate at every step.
class UIScrollView : public UIView {
  public:
    using UIView::UIView;
    static std::shared_ptr<UIScrollView> make(const CGRect& frame = {}) {
        return std::make_shared<UIScrollView>(frame);
    }

    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size);
    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset) { setContentOffset(offset, false); }
    void setContentOffset(CGPoint offset, bool animated);
    UIEdgeInsets contentInset;
    bool isPagingEnabled = false;
    bool isScrollEnabled = true;
    bool bounces = true;
    bool showsHorizontalScrollIndicator = true;
    bool showsVerticalScrollIndicator = true;
    std::weak_ptr<UIScrollViewDelegate> delegate;

    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return decelerating_; }
    // The offsets the content can take.
    CGPoint minimumContentOffset() const;
    CGPoint maximumContentOffset() const;
    // Scrolls as little as needed to show the rectangle (in content coordinates).
    void scrollRectToVisible(const CGRect& rect, bool animated);

    // The drag recognizer, installed when the view joins a superview (or on first use).
    std::shared_ptr<UIPanGestureRecognizer> panGestureRecognizer();

    void didMoveToSuperview() override;

    static constexpr double animationDuration = 0.3;

  private:
    void handlePan(UIPanGestureRecognizer& pan);
    CGPoint clamped(CGPoint offset) const;
    void moveTo(CGPoint offset);
    void animateTo(CGPoint offset, bool decelerating);

    CGSize contentSize_;
    CGPoint dragStart_;
    bool dragging_ = false;
    bool decelerating_ = false;
    uint64_t animationGeneration_ = 0;
    std::shared_ptr<UIPanGestureRecognizer> pan_;
};
