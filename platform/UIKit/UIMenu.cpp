#include "UIKit/UIMenu.h"

#include "UIKit/UIMenuPanel.h"
#include "UIKit/UIView.h"
#include "UIKit/UIWindow.h"

#include <algorithm>

namespace {
struct Shown {
    std::shared_ptr<UIMenu> menu;
    std::weak_ptr<UIView> source;
    std::weak_ptr<UIView> panel;
};
Shown& shown() {
    static Shown s;
    return s;
}
} // namespace

std::shared_ptr<UIAction> UIAction::make(const std::string& title, std::shared_ptr<UIImage> image,
                                         Handler handler, const std::string& identifier) {
    auto a = std::make_shared<UIAction>();
    a->title = title;
    a->image = std::move(image);
    a->handler = std::move(handler);
    a->identifier = identifier;
    return a;
}

void UIAction::perform(const std::shared_ptr<UIView>& sender) {
    if (attributes & UIMenuElementAttributesDisabled)
        return;
    auto keepAlive = shared_from_this();
    sender_ = sender;
    if (handler)
        handler(*this);
    sender_.reset();
}

std::shared_ptr<UIMenu> UIMenu::make(const std::string& title,
                                     std::vector<std::shared_ptr<UIMenuElement>> children,
                                     std::shared_ptr<UIImage> image, const std::string& identifier,
                                     uint32_t options) {
    auto m = std::make_shared<UIMenu>();
    m->title = title;
    m->children = std::move(children);
    m->image = std::move(image);
    m->identifier = identifier;
    m->options = options;
    return m;
}

std::vector<std::shared_ptr<UIAction>> UIMenu::allActions() const {
    std::vector<std::shared_ptr<UIAction>> out;
    for (const auto& child : children) {
        if (auto action = std::dynamic_pointer_cast<UIAction>(child)) {
            out.push_back(action);
        } else if (auto menu = std::dynamic_pointer_cast<UIMenu>(child)) {
            auto inner = menu->allActions();
            out.insert(out.end(), inner.begin(), inner.end());
        }
    }
    return out;
}

std::shared_ptr<UIAction> UIMenu::action(const std::string& title) const {
    for (auto& a : allActions()) {
        if (a->title == title)
            return a;
    }
    return nullptr;
}

std::function<void(const std::shared_ptr<UIMenu>&, const std::shared_ptr<UIView>&)>&
UIMenu::onShow() {
    static std::function<void(const std::shared_ptr<UIMenu>&, const std::shared_ptr<UIView>&)> hook;
    return hook;
}

void UIMenu::show(const std::shared_ptr<UIMenu>& menu, const std::shared_ptr<UIView>& source) {
    dismissShown();
    shown() = {menu, source, {}};
    if (auto window = source ? UIWindow::of(source) : nullptr) {
        auto panel = UIMenuPanel::make(menu, *source, *window);
        window->addSubview(panel);
        shown().panel = panel;
    }
    if (onShow())
        onShow()(menu, source);
}

std::shared_ptr<UIMenu> UIMenu::shownMenu() {
    return shown().menu;
}
std::shared_ptr<UIView> UIMenu::shownMenuSource() {
    return shown().source.lock();
}
void UIMenu::dismissShown() {
    if (auto panel = shown().panel.lock())
        panel->removeFromSuperview();
    shown() = {};
}

bool UIMenu::selectShownAction(const std::string& title) {
    auto menu = shown().menu;
    return menu && selectShownAction(menu->action(title));
}

bool UIMenu::selectShownAction(const std::shared_ptr<UIAction>& action) {
    if (!shown().menu || !action || (action->attributes & UIMenuElementAttributesDisabled))
        return false;
    auto actions = shown().menu->allActions();
    if (std::find(actions.begin(), actions.end(), action) == actions.end())
        return false;
    auto source = shown().source.lock();
    dismissShown();
    action->perform(source);
    return true;
}
