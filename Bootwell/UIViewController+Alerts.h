#pragma once

#include "UIKit/UIAlertController.h"
#include "UIKit/UIViewController.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Alerts and action sheets presented by a screen, animated. Handlers receive the tapped action.
namespace Bootwell {

using AlertHandler = UIAlertAction::Handler;

// The cancel button first, then the action button when a title is given for it.
void presentAlert(UIViewController& controller, const std::optional<std::string>& title,
                  const std::optional<std::string>& message,
                  const std::optional<std::string>& actionTitle, AlertHandler actionHandler,
                  const std::string& cancelTitle, AlertHandler cancelHandler = nullptr);

// The cancel button first, then the destructive one.
void presentDestructiveAlert(UIViewController& controller, const std::string& title,
                             const std::optional<std::string>& message,
                             const std::string& destructiveTitle, AlertHandler destructiveHandler,
                             const std::string& cancelTitle, AlertHandler cancelHandler = nullptr);

// One button per entry, in order (an entry without a title gets an empty one), then "Cancel".
void presentActionSheet(
    UIViewController& controller, const std::optional<std::string>& title,
    const std::optional<std::string>& message,
    const std::vector<std::pair<std::optional<std::string>, AlertHandler>>& actions);

} // namespace Bootwell
