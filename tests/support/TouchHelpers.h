#pragma once

#include "Foundation/RunLoop.h"
#include "UIKit/UIAlertController.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIView.h"
#include "UIKit/UIWindow.h"

#include <memory>
#include <string>

// Touches as a user gives them: a tap at the middle of a view, through the window's
// hit-testing, after layout; then the run loop is let run for the transitions.
inline bool tapView(std::shared_ptr<UIView> view, double settle = 1.0) {
    auto window = UIWindow::of(view);
    if (!window)
        return false;
    window->layoutIfNeeded();
    CGPoint centre = view->convertPointTo({view->bounds().midX(), view->bounds().midY()}, nullptr);
    window->tap(centre);
    RunLoop::main().runUntilIdle();
    RunLoop::main().advance(settle);
    return true;
}

// Taps the button of an alert or sheet action by its title.
inline bool tapAlertAction(const std::shared_ptr<UIAlertController>& alert,
                           const std::string& title) {
    auto action = alert ? alert->action(title) : nullptr;
    auto button = action ? alert->buttonFor(*action) : nullptr;
    return button && tapView(button);
}
