#include "UIKit/UIBarButtonItem.h"

#include "UIKit/UIImage.h"
#include "UIKit/UIView.h"

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::make(const std::string& title,
                                                       UIBarButtonItemStyle style, Action action) {
    auto item = std::make_shared<UIBarButtonItem>();
    item->title = title;
    item->style = style;
    item->action = std::move(action);
    return item;
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::make(std::shared_ptr<UIImage> image,
                                                       UIBarButtonItemStyle style, Action action) {
    auto item = std::make_shared<UIBarButtonItem>();
    item->image = std::move(image);
    item->style = style;
    item->action = std::move(action);
    return item;
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::make(UIBarButtonSystemItem systemItem,
                                                       Action action) {
    auto item = std::make_shared<UIBarButtonItem>();
    item->systemItem = systemItem;
    item->action = std::move(action);
    if (systemItem == UIBarButtonSystemItem::done || systemItem == UIBarButtonSystemItem::save)
        item->style = UIBarButtonItemStyle::done;
    return item;
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::make(std::shared_ptr<UIView> customView) {
    auto item = std::make_shared<UIBarButtonItem>();
    item->customView = std::move(customView);
    return item;
}

std::string UIBarButtonItem::displayTitle() const {
    if (title)
        return *title;
    if (!systemItem)
        return "";
    switch (*systemItem) {
    case UIBarButtonSystemItem::done:
        return "Done";
    case UIBarButtonSystemItem::cancel:
        return "Cancel";
    case UIBarButtonSystemItem::edit:
        return "Edit";
    case UIBarButtonSystemItem::save:
        return "Save";
    case UIBarButtonSystemItem::undo:
        return "Undo";
    case UIBarButtonSystemItem::redo:
        return "Redo";
    case UIBarButtonSystemItem::close:
        return "Close";
    default:
        return "";
    }
}

bool UIBarButtonItem::isSpace() const {
    return systemItem == UIBarButtonSystemItem::flexibleSpace ||
           systemItem == UIBarButtonSystemItem::fixedSpace;
}

bool UIBarButtonItem::perform() {
    if (!isEnabled || !action)
        return false;
    auto keep = shared_from_this();
    action(*this);
    return true;
}
