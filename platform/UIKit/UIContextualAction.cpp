#include "UIKit/UIContextualAction.h"

std::shared_ptr<UIContextualAction> UIContextualAction::make(UIContextualActionStyle style,
                                                             std::optional<std::string> title,
                                                             Handler handler) {
    auto action = std::make_shared<UIContextualAction>();
    action->style = style;
    action->title = std::move(title);
    action->handler = std::move(handler);
    return action;
}

UIColor UIContextualAction::displayedBackgroundColor() const {
    if (backgroundColor)
        return *backgroundColor;
    return style == UIContextualActionStyle::destructive ? UIColor::systemRed()
                                                         : UIColor::systemGray();
}
