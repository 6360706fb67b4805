#include "UIKit/UINavigationItem.h"

#include "UIKit/UIBarButtonItem.h"

std::shared_ptr<UIBarButtonItem> UINavigationItem::leftBarButtonItem() const {
    return leftBarButtonItems.empty() ? nullptr : leftBarButtonItems.front();
}

void UINavigationItem::setLeftBarButtonItem(std::shared_ptr<UIBarButtonItem> item) {
    leftBarButtonItems.clear();
    if (item)
        leftBarButtonItems.push_back(std::move(item));
}

std::shared_ptr<UIBarButtonItem> UINavigationItem::rightBarButtonItem() const {
    return rightBarButtonItems.empty() ? nullptr : rightBarButtonItems.front();
}

void UINavigationItem::setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item) {
    rightBarButtonItems.clear();
    if (item)
        rightBarButtonItems.push_back(std::move(item));
}
