#pragma once

#include "UIKit/UIContextualAction.h"

#include <memory>
#include <vector>

// The actions a swiped row shows, first one outermost. A full swipe performs the first action
// when `performsFirstActionWithFullSwipe` is set.
class UISwipeActionsConfiguration {
  public:
    static std::shared_ptr<UISwipeActionsConfiguration>
    make(std::vector<std::shared_ptr<UIContextualAction>> actions) {
        auto configuration = std::make_shared<UISwipeActionsConfiguration>();
        configuration->actions = std::move(actions);
        return configuration;
    }

    std::vector<std::shared_ptr<UIContextualAction>> actions;
    bool performsFirstActionWithFullSwipe = true;
};
