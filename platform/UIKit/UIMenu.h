#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class UIImage;
class UIView;

// An entry of a menu: an action or a submenu.
class UIMenuElement {
  public:
    virtual ~UIMenuElement() = default;
    std::string title;
    std::shared_ptr<UIImage> image;
};

enum UIMenuElementAttributes : uint32_t {
    UIMenuElementAttributesNone = 0,
    UIMenuElementAttributesDisabled = 1,
    UIMenuElementAttributesDestructive = 2,
    UIMenuElementAttributesHidden = 4,
};
enum class UIMenuElementState { off, on, mixed };

// A titled action with a handler, for menus and for controls.
class UIAction : public UIMenuElement, public std::enable_shared_from_this<UIAction> {
  public:
    using Handler = std::function<void(UIAction& action)>;

    static std::shared_ptr<UIAction> make(const std::string& title,
                                          std::shared_ptr<UIImage> image = nullptr,
                                          Handler handler = nullptr,
                                          const std::string& identifier = "");

    std::string identifier;
    uint32_t attributes = UIMenuElementAttributesNone;
    UIMenuElementState state = UIMenuElementState::off;
    Handler handler;

    // The control or view that performed it, while the handler runs.
    std::shared_ptr<UIView> sender() const { return sender_.lock(); }
    // Runs the handler unless the action is disabled.
    void perform(const std::shared_ptr<UIView>& sender = nullptr);

  private:
    std::weak_ptr<UIView> sender_;
};

enum UIMenuOptions : uint32_t {
    UIMenuOptionsNone = 0,
    UIMenuOptionsDisplayInline = 1,
    UIMenuOptionsDestructive = 2
};

// A list of actions and submenus. One menu at a time is shown on screen, in a panel beside the
// view it came from (when that view is in a window); a tap on an entry runs it, a tap beside
// the panel closes the menu.
class UIMenu : public UIMenuElement {
  public:
    static std::shared_ptr<UIMenu> make(const std::string& title,
                                        std::vector<std::shared_ptr<UIMenuElement>> children,
                                        std::shared_ptr<UIImage> image = nullptr,
                                        const std::string& identifier = "",
                                        uint32_t options = UIMenuOptionsNone);

    std::string identifier;
    uint32_t options = UIMenuOptionsNone;
    std::vector<std::shared_ptr<UIMenuElement>> children;

    // Every action, submenus included, in order.
    std::vector<std::shared_ptr<UIAction>> allActions() const;
    std::shared_ptr<UIAction> action(const std::string& title) const;

    static void show(const std::shared_ptr<UIMenu>& menu, const std::shared_ptr<UIView>& source);
    static std::shared_ptr<UIMenu> shownMenu();
    static std::shared_ptr<UIView> shownMenuSource();
    static void dismissShown();
    // Runs the shown menu's action of that title and closes the menu; false when none.
    static bool selectShownAction(const std::string& title);
    static bool selectShownAction(const std::shared_ptr<UIAction>& action);
    // Called whenever a menu is shown.
    static std::function<void(const std::shared_ptr<UIMenu>&, const std::shared_ptr<UIView>&)>&
    onShow();
};
