#pragma once

#include "UIKit/UIColor.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class UIImage;
class UIView;

enum class UIContextualActionStyle { normal, destructive };

// A button shown when a table row is swiped. Its handler gets the action, the button's view
// and a completion to call with whether the action was performed (which closes the row).
class UIContextualAction {
  public:
    using CompletionHandler = std::function<void(bool actionPerformed)>;
    using Handler = std::function<void(UIContextualAction& action, UIView& sourceView,
                                       CompletionHandler completion)>;

    static std::shared_ptr<UIContextualAction>
    make(UIContextualActionStyle style, std::optional<std::string> title, Handler handler);

    UIContextualActionStyle style = UIContextualActionStyle::normal;
    std::optional<std::string> title;
    std::shared_ptr<UIImage> image;
    // The system red for destructive actions and gray for others when not set.
    std::optional<UIColor> backgroundColor;
    Handler handler;

    UIColor displayedBackgroundColor() const;
};
