#include "Melodrift/ListCustomTableViewCell.h"

#include "UIKit/UIClassRegistry.h"

UIKIT_REGISTER_CLASS(ListCustomTableViewCell, UITableViewCell, d) {
    d.outlet("menuListLabel", &ListCustomTableViewCell::menuListLabel);
}

void ListCustomTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    if (!menuListLabel.expired())
        return;
    for (const auto& view : contentView()->subviews()) {
        if (auto label = std::dynamic_pointer_cast<UILabel>(view)) {
            menuListLabel = label;
            return;
        }
    }
}
