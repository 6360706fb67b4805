#include "UIKit/UIAlertAction.h"

std::shared_ptr<UIAlertAction> UIAlertAction::make(const std::string& title,
                                                   UIAlertActionStyle style, Handler handler) {
    auto action = std::make_shared<UIAlertAction>();
    action->title = title;
    action->style = style;
    action->handler = std::move(handler);
    return action;
}
