#pragma once

#include "UIKit/UIPresentationController.h"

#include <cstdint>
#include <memory>
#include <optional>

class UIBarButtonItem;
class UIView;

// Arrow directions, as bits; none (0) shows the popover without an arrow, centred on its anchor.
enum UIPopoverArrowDirection : uint32_t {
    UIPopoverArrowDirectionNone = 0,
    UIPopoverArrowDirectionUp = 1 << 0,
    UIPopoverArrowDirectionDown = 1 << 1,
    UIPopoverArrowDirectionLeft = 1 << 2,
    UIPopoverArrowDirectionRight = 1 << 3,
    UIPopoverArrowDirectionAny = 0xF,
    UIPopoverArrowDirectionUnknown = 0xFFFFFFFF,
};

// A presentation in a floating box anchored at a rectangle of a view (pads). The box takes
// the presented controller's preferred content size (320 × 400 when it has none), lies below
// the anchor when the arrow may point up, above it when it may point down, and is centred on
// the anchor when no arrow is permitted; it always stays inside the window's safe area.
class UIPopoverPresentationController : public UIPresentationController {
  public:
    using UIPresentationController::UIPresentationController;

    std::weak_ptr<UIView> sourceView;
    // In sourceView's coordinates; its bounds when not set.
    std::optional<CGRect> sourceRect;
    std::weak_ptr<UIBarButtonItem> barButtonItem;
    uint32_t permittedArrowDirections = UIPopoverArrowDirectionAny;
    // The direction chosen when presented.
    uint32_t arrowDirection() const { return arrow_; }

    // The anchor in window coordinates; the window's centre when nothing anchors it.
    CGRect anchorRectInWindow() const;
    CGRect frameOfPresentedViewInContainerView() const override;

  private:
    mutable uint32_t arrow_ = UIPopoverArrowDirectionUnknown;
};
