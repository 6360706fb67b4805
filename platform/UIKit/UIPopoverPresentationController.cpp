#include "UIKit/UIPopoverPresentationController.h"

#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UINavigationBar.h"
#include "UIKit/UIView.h"
#include "UIKit/UIWindow.h"

CGRect UIPopoverPresentationController::anchorRectInWindow() const {
    auto window = containerView();
    if (auto item = barButtonItem.lock())
        if (item->customView)
            return item->customView->convertRectTo(item->customView->bounds(), window.get());
    if (auto view = sourceView.lock()) {
        CGRect rect = sourceRect.value_or(view->bounds());
        return view->convertRectTo(rect, window.get());
    }
    if (window)
        return {window->bounds().center(), {0, 0}};
    return {};
}

CGRect UIPopoverPresentationController::frameOfPresentedViewInContainerView() const {
    auto window = containerView();
    if (!window)
        return {};
    CGSize size{320, 400};
    if (auto presented = presentedViewController())
        if (presented->preferredContentSize.width > 0 && presented->preferredContentSize.height > 0)
            size = presented->preferredContentSize;
    CGRect safe = window->safeAreaInsets().inset(window->bounds());
    size.width = std::min(size.width, safe.size.width);
    size.height = std::min(size.height, safe.size.height);
    CGRect anchor = anchorRectInWindow();
    CGFloat x = anchor.midX() - size.width / 2;
    CGFloat y;
    if (permittedArrowDirections == UIPopoverArrowDirectionNone) {
        arrow_ = UIPopoverArrowDirectionUnknown;
        y = anchor.midY() - size.height / 2;
    } else if ((permittedArrowDirections & UIPopoverArrowDirectionUp) &&
               anchor.maxY() + size.height <= safe.maxY()) {
        arrow_ = UIPopoverArrowDirectionUp;
        y = anchor.maxY();
    } else if (permittedArrowDirections & UIPopoverArrowDirectionDown) {
        arrow_ = UIPopoverArrowDirectionDown;
        y = anchor.minY() - size.height;
    } else {
        arrow_ = permittedArrowDirections & ~(permittedArrowDirections - 1);
        y = anchor.maxY();
    }
    x = std::clamp(x, safe.minX(), safe.maxX() - size.width);
    y = std::clamp(y, safe.minY(), safe.maxY() - size.height);
    return {x, y, size.width, size.height};
}
