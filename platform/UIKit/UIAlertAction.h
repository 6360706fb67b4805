#pragma once

#include <functional>
#include <memory>
#include <string>

enum class UIAlertActionStyle { defaultStyle, cancel, destructive };

// A button of an alert or action sheet. Its handler runs once the alert has been dismissed.
class UIAlertAction {
  public:
    using Handler = std::function<void(UIAlertAction& action)>;

    static std::shared_ptr<UIAlertAction> make(const std::string& title, UIAlertActionStyle style,
                                               Handler handler = nullptr);

    std::string title;
    UIAlertActionStyle style = UIAlertActionStyle::defaultStyle;
    bool isEnabled = true;
    Handler handler;
};
