#pragma once

#include "UIKit/UILabel.h"
#include "UIKit/UITableViewCell.h"

#include <memory>

// A settings row: one label whose text comes from the storyboard.
class ListCustomTableViewCell : public UITableViewCell {
  public:
    using UITableViewCell::UITableViewCell;

    std::weak_ptr<UILabel> menuListLabel;

    // A row laid out in a table's static sections has no owner to bind its outlet: it takes
    // the first label of its content.
    void awakeFromNib() override;
};
