#include "UIKit/UIWindowScene.h"

#include "UIKit/UIWindow.h"

#include <algorithm>

std::vector<std::shared_ptr<UIWindow>> UIWindowScene::windows() const {
    std::vector<std::shared_ptr<UIWindow>> out;
    for (auto& weak : windows_)
        if (auto window = weak.lock())
            out.push_back(window);
    return out;
}

std::shared_ptr<UIWindow> UIWindowScene::keyWindow() const {
    for (auto& window : windows())
        if (window->isKeyWindow())
            return window;
    return nullptr;
}

void UIWindowScene::addWindow(const std::shared_ptr<UIWindow>& window) {
    removeWindow(window.get());
    windows_.push_back(window);
}

void UIWindowScene::removeWindow(const UIWindow* window) {
    std::erase_if(windows_, [window](const std::weak_ptr<UIWindow>& weak) {
        auto w = weak.lock();
        return !w || w.get() == window;
    });
}
