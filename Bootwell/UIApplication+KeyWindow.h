#pragma once

#include <memory>

class UIWindow;

namespace Bootwell {

// The application's key window: the first key window among the windows of the connected
// window scenes, in scene order; none when no window is key.
std::shared_ptr<UIWindow> keyWindow();

} // namespace Bootwell
