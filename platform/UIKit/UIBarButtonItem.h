#pragma once

#include "UIKit/UIColor.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class UIImage;
class UIMenu;
class UIView;

enum class UIBarButtonItemStyle { plain, done };

enum class UIBarButtonSystemItem {
    done,
    cancel,
    edit,
    save,
    add,
    flexibleSpace,
    fixedSpace,
    compose,
    reply,
    action,
    organize,
    bookmarks,
    search,
    refresh,
    stop,
    camera,
    trash,
    play,
    pause,
    rewind,
    fastForward,
    undo,
    redo,
    close,
};

// A button of a navigation bar, toolbar or tab bar: a title or an image, or a view of its own.
// Its action runs when the bar's button for it is tapped (or `perform` is called).
class UIBarButtonItem : public std::enable_shared_from_this<UIBarButtonItem> {
  public:
    using Action = std::function<void(UIBarButtonItem& item)>;

    static std::shared_ptr<UIBarButtonItem>
    make(const std::string& title, UIBarButtonItemStyle style = UIBarButtonItemStyle::plain,
         Action action = nullptr);
    static std::shared_ptr<UIBarButtonItem>
    make(std::shared_ptr<UIImage> image, UIBarButtonItemStyle style = UIBarButtonItemStyle::plain,
         Action action = nullptr);
    static std::shared_ptr<UIBarButtonItem> make(UIBarButtonSystemItem systemItem,
                                                 Action action = nullptr);
    static std::shared_ptr<UIBarButtonItem> make(std::shared_ptr<UIView> customView);

    std::optional<std::string> title;
    std::shared_ptr<UIImage> image;
    UIBarButtonItemStyle style = UIBarButtonItemStyle::plain;
    std::optional<UIBarButtonSystemItem> systemItem;
    std::shared_ptr<UIView> customView;
    std::shared_ptr<UIMenu> menu;
    std::optional<UIColor> tintColor;
    bool isEnabled = true;
    double width = 0;
    int tag = 0;

    // The selector an interface file names for the action ("editPressed"); informational.
    std::string selector;
    Action action;

    // The title a bar shows: the title, else the system item's name ("Edit", "Done" ...).
    std::string displayTitle() const;
    bool isSpace() const;
    // Runs the action unless the item is disabled; false when nothing ran.
    bool perform();
};
