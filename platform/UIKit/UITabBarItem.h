#pragma once

#include <memory>
#include <optional>
#include <string>

class UIImage;

// The entry of a controller in a tab bar.
struct UITabBarItem {
    std::string title;
    std::shared_ptr<UIImage> image;
    std::shared_ptr<UIImage> selectedImage;
    std::optional<std::string> badgeValue;
    int tag = 0;
};
