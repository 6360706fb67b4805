#pragma once

#include "UIKit/UIAlertAction.h"
#include "UIKit/UIViewController.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class UIButton;
class UILabel;
class UITextField;

enum class UIAlertControllerStyle { actionSheet, alert };

// An alert (a box in the middle of the screen, with text fields if asked) or an action sheet
// (a list at the bottom; on a pad a popover that must be anchored). It shows its title, its
// message, its text fields and one button per action in the order they were added. Tapping
// a button dismisses the alert, animated, and then runs the action's handler. The presenter
// stays on screen and hears nothing.
class UIAlertController : public UIViewController {
  public:
    UIAlertController(std::optional<std::string> title, std::optional<std::string> message,
                      UIAlertControllerStyle style);
    static std::shared_ptr<UIAlertController> make(std::optional<std::string> title,
                                                   std::optional<std::string> message,
                                                   UIAlertControllerStyle style);

    UIAlertControllerStyle preferredStyle() const { return style_; }
    std::optional<std::string> message;

    void addAction(const std::shared_ptr<UIAlertAction>& action);
    const std::vector<std::shared_ptr<UIAlertAction>>& actions() const { return actions_; }
    std::shared_ptr<UIAlertAction> action(const std::string& title) const;
    std::shared_ptr<UIAlertAction> preferredAction;

    // Alerts only (an action sheet throws std::logic_error): a text field, configured by the
    // block before it is shown.
    void addTextField(const std::function<void(const std::shared_ptr<UITextField>& field)>&
                          configuration = nullptr);
    const std::vector<std::shared_ptr<UITextField>>& textFields() const { return textFields_; }

    // What a tap on the action's button does; ignored once the alert is going away.
    void performAction(const std::shared_ptr<UIAlertAction>& action);
    std::shared_ptr<UIButton> buttonFor(const UIAlertAction& action) const;
    std::shared_ptr<UILabel> titleLabel() const { return titleLabel_; }
    std::shared_ptr<UILabel> messageLabel() const { return messageLabel_; }
    // The box holding the content (the view itself is the dimmed backdrop).
    std::shared_ptr<UIView> contentView() const { return box_; }

    void loadView() override;
    void viewDidAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    void viewDidLayoutSubviews() override;

  private:
    void layoutBox();
    CGFloat contentHeight() const;

    UIAlertControllerStyle style_;
    std::vector<std::shared_ptr<UIAlertAction>> actions_;
    std::vector<std::shared_ptr<UITextField>> textFields_;
    std::vector<std::shared_ptr<UIButton>> buttons_;
    std::shared_ptr<UIView> box_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UILabel> messageLabel_;
    bool acted_ = false;
};
