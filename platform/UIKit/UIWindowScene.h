#pragma once

#include "UIKit/UIInterfaceOrientation.h"
#include "UIKit/UIScene.h"

#include <memory>
#include <vector>

class UIWindow;

// A scene that shows windows.
class UIWindowScene : public UIScene {
  public:
    static std::shared_ptr<UIWindowScene> make() { return std::make_shared<UIWindowScene>(); }

    // The scene's windows that are alive, in the order they joined.
    std::vector<std::shared_ptr<UIWindow>> windows() const;
    std::shared_ptr<UIWindow> keyWindow() const;
    UIInterfaceOrientation interfaceOrientation = UIInterfaceOrientation::portrait;

  private:
    friend class UIWindow;
    void addWindow(const std::shared_ptr<UIWindow>& window);
    void removeWindow(const UIWindow* window);

    std::vector<std::weak_ptr<UIWindow>> windows_;
};
