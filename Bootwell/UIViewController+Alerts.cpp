#include "Bootwell/UIViewController+Alerts.h"

namespace Bootwell {

void presentAlert(UIViewController& controller, const std::optional<std::string>& title,
                  const std::optional<std::string>& message,
                  const std::optional<std::string>& actionTitle, AlertHandler actionHandler,
                  const std::string& cancelTitle, AlertHandler cancelHandler) {
    auto alert = UIAlertController::make(title, message, UIAlertControllerStyle::alert);
    alert->addAction(UIAlertAction::make(cancelTitle, UIAlertActionStyle::cancel, cancelHandler));
    if (actionTitle)
        alert->addAction(
            UIAlertAction::make(*actionTitle, UIAlertActionStyle::defaultStyle, actionHandler));
    controller.present(alert, true);
}

void presentDestructiveAlert(UIViewController& controller, const std::string& title,
                             const std::optional<std::string>& message,
                             const std::string& destructiveTitle, AlertHandler destructiveHandler,
                             const std::string& cancelTitle, AlertHandler cancelHandler) {
    auto alert = UIAlertController::make(title, message, UIAlertControllerStyle::alert);
    alert->addAction(UIAlertAction::make(cancelTitle, UIAlertActionStyle::cancel, cancelHandler));
    alert->addAction(
        UIAlertAction::make(destructiveTitle, UIAlertActionStyle::destructive, destructiveHandler));
    controller.present(alert, true);
}

void presentActionSheet(
    UIViewController& controller, const std::optional<std::string>& title,
    const std::optional<std::string>& message,
    const std::vector<std::pair<std::optional<std::string>, AlertHandler>>& actions) {
    auto sheet = UIAlertController::make(title, message, UIAlertControllerStyle::actionSheet);
    for (const auto& [actionTitle, handler] : actions)
        sheet->addAction(UIAlertAction::make(actionTitle.value_or(""),
                                             UIAlertActionStyle::defaultStyle, handler));
    sheet->addAction(UIAlertAction::make("Cancel", UIAlertActionStyle::cancel, nullptr));
    controller.present(sheet, true);
}

} // namespace Bootwell
