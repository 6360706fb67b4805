#pragma once

#include "UIKit/CALayer.h"
#include "UIKit/CGAffineTransform.h"
#include "UIKit/CGGeometry.h"
#include "UIKit/NSLayoutConstraint.h"
#include "UIKit/UIColor.h"
#include "UIKit/UILayoutItem.h"
#include "UIKit/UIResponder.h"
#include "UIKit/UITraitCollection.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class UIGestureRecognizer;
class UILayoutGuide;
struct UIEvent;

enum class UIViewContentMode {
    scaleToFill,
    scaleAspectFit,
    scaleAspectFill,
    redraw,
    center,
    top,
    bottom,
    left,
    right,
    topLeft,
    topRight,
    bottomLeft,
    bottomRight,
};

enum UIViewAutoresizing : uint32_t {
    UIViewAutoresizingNone = 0,
    UIViewAutoresizingFlexibleLeftMargin = 1,
    UIViewAutoresizingFlexibleWidth = 2,
    UIViewAutoresizingFlexibleRightMargin = 4,
    UIViewAutoresizingFlexibleTopMargin = 8,
    UIViewAutoresizingFlexibleHeight = 16,
    UIViewAutoresizingFlexibleBottomMargin = 32,
};

enum class UILayoutConstraintAxis { horizontal, vertical };

// Options of UIView::animate, as bits.
enum UIViewAnimationOptions : uint32_t {
    UIViewAnimationOptionNone = 0,
    UIViewAnimationOptionLayoutSubviews = 1 << 0,
    UIViewAnimationOptionAllowUserInteraction = 1 << 1,
    UIViewAnimationOptionBeginFromCurrentState = 1 << 2,
    UIViewAnimationOptionRepeat = 1 << 3,
    UIViewAnimationOptionAutoreverse = 1 << 4,
    UIViewAnimationOptionCurveEaseInOut = 0 << 16,
    UIViewAnimationOptionCurveEaseIn = 1 << 16,
    UIViewAnimationOptionCurveEaseOut = 2 << 16,
    UIViewAnimationOptionCurveLinear = 3 << 16,
    UIViewAnimationOptionTransitionNone = 0 << 20,
    UIViewAnimationOptionTransitionCrossDissolve = 5 << 20,
};
inline UIViewAnimationOptions operator|(UIViewAnimationOptions a, UIViewAnimationOptions b) {
    return static_cast<UIViewAnimationOptions>(uint32_t(a) | uint32_t(b));
}

// A rectangle of the screen, in a tree of views. Views live in std::shared_ptr; a view holds
// its subviews strongly and its superview weakly. Geometry, opacity, colour and clipping are
// kept on the view's layer, so the layer tree is what a renderer walks.
//
// Layout: setNeedsLayout marks a view; layoutIfNeeded (on any view of a tree) solves the
// tree's active constraints, moves the views they place, and then runs layoutSubviews on every
// marked view, top-down. Views marked by a change are also laid out on the next turn of the
// main run loop.
class UIView : public UIResponder, public UILayoutItem {
  public:
    UIView();
    explicit UIView(const CGRect& frame);
    ~UIView() override;

    static std::shared_ptr<UIView> make(const CGRect& frame = {});
    std::shared_ptr<UIView> sharedView() {
        return std::static_pointer_cast<UIView>(shared_from_this());
    }
    std::shared_ptr<const UIView> sharedView() const {
        return std::static_pointer_cast<const UIView>(shared_from_this());
    }

    // Geometry.
    CGRect frame() const { return layer_->frame(); }
    void setFrame(const CGRect& frame);
    CGRect bounds() const { return layer_->bounds(); }
    void setBounds(const CGRect& bounds);
    CGPoint center() const { return layer_->position(); }
    void setCenter(CGPoint center);
    CGAffineTransform transform() const { return layer_->affineTransform(); }
    void setTransform(const CGAffineTransform& transform);
    const std::shared_ptr<CALayer>& layer() const { return layer_; }

    // The tree.
    std::shared_ptr<UIView> superview() const { return superview_.lock(); }
    const std::vector<std::shared_ptr<UIView>>& subviews() const { return subviews_; }
    // Adding a view that is already a subview moves it to the front.
    void addSubview(const std::shared_ptr<UIView>& view);
    void insertSubview(const std::shared_ptr<UIView>& view, size_t index);
    // A sibling that is not a subview puts the view at the back (below) or front (above).
    void insertSubviewBelow(const std::shared_ptr<UIView>& view,
                            const std::shared_ptr<UIView>& sibling);
    void insertSubviewAbove(const std::shared_ptr<UIView>& view,
                            const std::shared_ptr<UIView>& sibling);
    void bringSubviewToFront(const std::shared_ptr<UIView>& view);
    void sendSubviewToBack(const std::shared_ptr<UIView>& view);
    void exchangeSubview(size_t index1, size_t index2);
    // Also deactivates the constraints that tie the view's subtree to the rest of the tree.
    void removeFromSuperview();
    bool isDescendant(const UIView& view) const;
    // This view or the first descendant with the tag, depth first.
    std::shared_ptr<UIView> viewWithTag(int tag);
    // The top of the tree this view is in (itself when it has no superview).
    std::shared_ptr<UIView> rootView();

    virtual void willMoveToSuperview(UIView* newSuperview) { (void)newSuperview; }
    virtual void didMoveToSuperview() {}
    virtual void didAddSubview(UIView& subview) { (void)subview; }
    virtual void willRemoveSubview(UIView& subview) { (void)subview; }
    // Called once a storyboard or interface file has made the view and filled its outlets.
    virtual void awakeFromNib() {}

    // Appearance.
    bool isHidden() const { return layer_->isHidden; }
    void setHidden(bool hidden);
    // Kept at full precision; the layer's opacity is its single-precision copy.
    CGFloat alpha() const { return float(alpha_) == layer_->opacity ? alpha_ : layer_->opacity; }
    void setAlpha(CGFloat alpha);
    const std::optional<UIColor>& backgroundColor() const { return layer_->backgroundColor; }
    void setBackgroundColor(const std::optional<UIColor>& color);
    bool clipsToBounds() const { return layer_->masksToBounds; }
    void setClipsToBounds(bool clips) { layer_->masksToBounds = clips; }
    // The tint set on this view, or its superview's, or the system blue.
    UIColor tintColor() const;
    void setTintColor(const std::optional<UIColor>& color);
    const std::optional<UIColor>& ownTintColor() const { return tint_; }
    UIUserInterfaceStyle overrideUserInterfaceStyle = UIUserInterfaceStyle::unspecified;
    // The current traits with the nearest override of the interface style.
    UITraitCollection traitCollection() const;

    bool isOpaque = true;
    UIViewContentMode contentMode = UIViewContentMode::scaleToFill;
    int tag = 0;
    bool isMultipleTouchEnabled = false;
    bool isExclusiveTouch = false;
    std::string accessibilityIdentifier;
    std::string accessibilityLabel;
    bool isUserInteractionEnabled() const { return userInteraction_; }
    void setUserInteractionEnabled(bool enabled) { userInteraction_ = enabled; }

    // Drawing: a renderer calls `draw` for views that draw themselves.
    virtual void draw(const CGRect& rect) { (void)rect; }
    void setNeedsDisplay() { layer_->setNeedsDisplay(); }

    // Layout.
    virtual void layoutSubviews() {}
    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    void layoutIfNeeded();
    virtual CGSize sizeThatFits(CGSize size) const;
    void sizeToFit();
    uint32_t autoresizingMask = UIViewAutoresizingNone;
    bool autoresizesSubviews = true;
    bool translatesAutoresizingMaskIntoConstraints() const { return translatesMask_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates);

    static constexpr CGFloat noIntrinsicMetric = -1;
    // The size the content wants; noIntrinsicMetric on an axis without one.
    virtual CGSize intrinsicContentSize() const { return {noIntrinsicMetric, noIntrinsicMetric}; }
    void invalidateIntrinsicContentSize();
    UILayoutPriority contentHuggingPriority(UILayoutConstraintAxis axis) const;
    void setContentHuggingPriority(UILayoutPriority priority, UILayoutConstraintAxis axis);
    UILayoutPriority contentCompressionResistancePriority(UILayoutConstraintAxis axis) const;
    void setContentCompressionResistancePriority(UILayoutPriority priority,
                                                 UILayoutConstraintAxis axis);

    UIEdgeInsets layoutMargins() const { return layoutMargins_; }
    void setLayoutMargins(const UIEdgeInsets& margins);
    bool insetsLayoutMarginsFromSafeArea = true;
    // The margins the margins guide uses, the safe area added when the view asks for it.
    UIEdgeInsets effectiveLayoutMargins() const;
    // On a root view: the insets given (the window's). On any other view: how far the root's
    // safe area lies inside this view's bounds.
    UIEdgeInsets safeAreaInsets() const;
    void setSafeAreaInsets(const UIEdgeInsets& insets);
    std::shared_ptr<UILayoutGuide> safeAreaLayoutGuide();
    std::shared_ptr<UILayoutGuide> layoutMarginsGuide();
    void addLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide);
    void removeLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide);
    const std::vector<std::shared_ptr<UILayoutGuide>>& layoutGuides() const { return guides_; }

    // The constraints this view keeps (active ones whose items' common ancestor it is).
    const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints() const {
        return constraints_;
    }
    void addConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint);
    void addConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);
    void removeConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint);
    void removeConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);
    // Every active constraint that involves this view or one of its guides, from any holder in
    // the tree.
    std::vector<std::shared_ptr<NSLayoutConstraint>> constraintsAffectingLayout() const;

    static constexpr CGSize layoutFittingCompressedSize{0, 0};
    static constexpr CGSize layoutFittingExpandedSize{1e5, 1e5};
    // The size the view's constraints give it when they pull it towards `target`: the
    // smallest size for layoutFittingCompressedSize. Nothing is moved.
    CGSize
    systemLayoutSizeFitting(CGSize target,
                            UILayoutPriority horizontalPriority = UILayoutPriorityFittingSizeLevel,
                            UILayoutPriority verticalPriority = UILayoutPriorityFittingSizeLevel);

    std::shared_ptr<UILayoutItem> layoutItemPointer() const override;
    std::shared_ptr<UIView> layoutOwningView() const override;

    // Hit-testing and coordinates. `hitTest` skips hidden, transparent (alpha below 0.01) and
    // non-interactive views and tries subviews front to back.
    virtual std::shared_ptr<UIView> hitTest(CGPoint point, UIEvent* event);
    virtual bool pointInside(CGPoint point, UIEvent* event) const;
    // A null view means the root of this view's tree.
    CGPoint convertPointTo(CGPoint point, const UIView* view) const;
    CGPoint convertPointFrom(CGPoint point, const UIView* view) const;
    CGRect convertRectTo(const CGRect& rect, const UIView* view) const;
    CGRect convertRectFrom(const CGRect& rect, const UIView* view) const;

    // Gesture recognizers.
    void addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
    void removeGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
    const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const {
        return recognizers_;
    }
    // Asked before a recognizer attached to this view or a superview begins.
    virtual bool gestureRecognizerShouldBegin(UIGestureRecognizer& recognizer);

    // Responders: a controller's root view answers its controller (set by the controller),
    // any other view its superview.
    std::shared_ptr<UIResponder> nextResponder() const override;
    void setViewController(const std::weak_ptr<UIResponder>& controller) {
        controller_ = controller;
    }
    std::shared_ptr<UIResponder> viewController() const { return controller_.lock(); }
    // Resigns the first responder when it is this view or inside it.
    bool endEditing(bool force);

    // Animation. Changes to alpha, transform, frame, bounds, centre and background colour
    // made inside `animations` take their new model values at once and are animated on
    // the layer from their old values; the completion runs on the main run loop when every
    // animation has ended (finished false when one was removed first).
    static void animate(double duration, double delay, UIViewAnimationOptions options,
                        const std::function<void()>& animations,
                        std::function<void(bool finished)> completion = nullptr);
    static void animate(double duration, const std::function<void()>& animations,
                        std::function<void(bool finished)> completion = nullptr);
    static void animateWithSpring(double duration, double delay, double dampingRatio,
                                  double velocity, UIViewAnimationOptions options,
                                  const std::function<void()>& animations,
                                  std::function<void(bool finished)> completion = nullptr);
    // Animates the change of a whole view's content (a cross-dissolve when asked).
    static void transition(const std::shared_ptr<UIView>& view, double duration,
                           UIViewAnimationOptions options, const std::function<void()>& animations,
                           std::function<void(bool finished)> completion = nullptr);
    static void performWithoutAnimation(const std::function<void()>& changes);
    static bool areAnimationsEnabled();
    static void setAnimationsEnabled(bool enabled);

    std::string description() const;

  protected:
    // For views whose layer is of another kind (a gradient or shape view).
    UIView(const CGRect& frame, std::shared_ptr<CALayer> layer);

    // Records an animatable change when inside an animation block.
    void willChangeAnimatable(const std::string& keyPath);

  private:
    friend class NSLayoutEngine;
    void attachSubview(const std::shared_ptr<UIView>& view, size_t index);
    void resizeSubviews(CGSize oldSize);
    void sizeDidChange(CGSize oldSize);
    void runLayoutPass();
    bool treeNeedsLayout() const;
    void scheduleLayout();
    void deactivateConstraintsCrossing(UIView& root);
    void collectConstraints(std::vector<std::shared_ptr<NSLayoutConstraint>>& out) const;

    std::shared_ptr<CALayer> layer_;
    std::weak_ptr<UIView> superview_;
    std::vector<std::shared_ptr<UIView>> subviews_;
    std::vector<std::shared_ptr<NSLayoutConstraint>> constraints_;
    std::vector<std::shared_ptr<UILayoutGuide>> guides_;
    std::shared_ptr<UILayoutGuide> safeAreaGuide_;
    std::shared_ptr<UILayoutGuide> marginsGuide_;
    std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers_;
    std::weak_ptr<UIResponder> controller_;
    std::optional<UIColor> tint_;
    std::optional<UIEdgeInsets> safeAreaInsets_;
    UIEdgeInsets layoutMargins_{8, 8, 8, 8};
    UILayoutPriority hugging_[2] = {UILayoutPriorityDefaultLow, UILayoutPriorityDefaultLow};
    UILayoutPriority compression_[2] = {UILayoutPriorityDefaultHigh, UILayoutPriorityDefaultHigh};
    CGFloat alpha_ = 1;
    bool userInteraction_ = true;
    bool translatesMask_ = true;
    bool needsLayout_ = true;
};
