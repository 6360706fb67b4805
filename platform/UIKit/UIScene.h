#pragma once

#include <memory>
#include <string>

enum class UISceneActivationState {
    unattached = -1,
    foregroundActive = 0,
    foregroundInactive = 1,
    background = 2
};

// One instance of the application's interface; the desktop has one.
class UIScene : public std::enable_shared_from_this<UIScene> {
  public:
    virtual ~UIScene() = default;

    UISceneActivationState activationState = UISceneActivationState::unattached;
    std::string title;
};
