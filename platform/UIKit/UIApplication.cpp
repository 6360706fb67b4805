#include "UIKit/UIApplication.h"

#include "Foundation/Bundle.h"
#include "Foundation/FileManager.h"
#include "Foundation/RunLoop.h"
#include "UIKit/UIApplicationDelegate.h"
#include "UIKit/UIStoryboard.h"
#include "UIKit/UITraitCollection.h"
#include "UIKit/UIViewController.h"
#include "UIKit/UIWindow.h"
#include "UIKit/UIWindowScene.h"

#include <algorithm>

namespace {

// The appearance the application asks for in its information file, "Dark" or "Light"; the
// system's own otherwise.
UIUserInterfaceStyle interfaceStyle(const nlohmann::json& info) {
    auto found = info.find("UIUserInterfaceStyle");
    std::string style = found != info.end() && found->is_string() ? found->get<std::string>() : "";
    if (style == "Dark")
        return UIUserInterfaceStyle::dark;
    if (style == "Light")
        return UIUserInterfaceStyle::light;
    return UIUserInterfaceStyle::unspecified;
}

} // namespace

UIApplication& UIApplication::shared() {
    static std::shared_ptr<UIApplication> application(new UIApplication());
    return *application;
}

bool UIApplication::launch(std::shared_ptr<UIApplicationDelegate> appDelegate,
                           const std::map<std::string, std::string>& options) {
    delegate = std::move(appDelegate);
    adoptPreferredAppearance();
    auto scene = UIWindowScene::make();
    scene->activationState = UISceneActivationState::foregroundInactive;
    connectScene(scene);

    std::string name = "Main";
    const auto& info = Bundle::main().infoDictionary();
    if (info.contains("UIMainStoryboardFile") && info["UIMainStoryboardFile"].is_string())
        name = info["UIMainStoryboardFile"].get<std::string>();
    if (UIStoryboard::exists(name, Bundle::main())) {
        auto window = UIWindow::make(scene);
        window->setRootViewController(UIStoryboard::make(name)->instantiateInitialViewController());
        if (delegate)
            delegate->window = window;
    }
    bool ok = delegate ? delegate->didFinishLaunchingWithOptions(*this, options) : true;
    if (delegate && delegate->window) {
        delegate->window->setWindowScene(scene);
        if (delegate->window->isHidden())
            delegate->window->makeKeyAndVisible();
    }
    scene->activationState = UISceneActivationState::foregroundActive;
    state_ = UIApplicationState::active;
    if (delegate)
        delegate->applicationDidBecomeActive(*this);
    return ok;
}

void UIApplication::adoptPreferredAppearance() {
    auto style = interfaceStyle(Bundle::main().infoDictionary());
    if (style != UIUserInterfaceStyle::unspecified)
        UITraitCollection::current().userInterfaceStyle = style;
}

void UIApplication::reset() {
    delegate.reset();
    scenes_.clear();
    opened_.clear();
    keyWindow_.reset();
    idleTimerDisabled_ = false;
    remoteControl_ = false;
    urlOpener = nullptr;
    urlChecker = nullptr;
    onIdleTimerChange = nullptr;
    state_ = UIApplicationState::inactive;
}

void UIApplication::setIdleTimerDisabled(bool disabled) {
    idleTimerDisabled_ = disabled;
    if (onIdleTimerChange)
        onIdleTimerChange(disabled);
}

bool UIApplication::canOpenURL(const URL& url) const {
    if (urlChecker)
        return urlChecker(url);
    static const std::vector<std::string> schemes = {"http", "https", "mailto",
                                                     "tel",  "file",  "app-settings"};
    std::string scheme = url.scheme();
    return std::find(schemes.begin(), schemes.end(), scheme) != schemes.end();
}

void UIApplication::open(const URL& url, const std::map<std::string, std::string>& options,
                         OpenCompletion completion) {
    (void)options;
    opened_.push_back(url);
    bool success = canOpenURL(url) && (!urlOpener || urlOpener(url));
    if (completion)
        RunLoop::main().post([completion, success] { completion(success); });
}

void UIApplication::connectScene(const std::shared_ptr<UIScene>& scene) {
    if (scene && std::find(scenes_.begin(), scenes_.end(), scene) == scenes_.end())
        scenes_.push_back(scene);
}

void UIApplication::disconnectScene(const std::shared_ptr<UIScene>& scene) {
    std::erase(scenes_, scene);
}

std::vector<std::shared_ptr<UIWindow>> UIApplication::windows() const {
    std::vector<std::shared_ptr<UIWindow>> out;
    for (auto& scene : scenes_)
        if (auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scene))
            for (auto& window : windowScene->windows())
                out.push_back(window);
    return out;
}

std::shared_ptr<UIWindow> UIApplication::keyWindow() const {
    for (auto& window : windows())
        if (window->isKeyWindow())
            return window;
    return nullptr;
}

void UIApplication::setKeyWindow(const std::shared_ptr<UIWindow>& window) {
    if (auto old = keyWindow_.lock(); old && old != window)
        old->setKey(false);
    for (auto& other : UIWindow::allWindows())
        if (other != window)
            other->setKey(false);
    keyWindow_ = window;
    if (window)
        window->setKey(true);
}

int UIApplicationMain(int argc, char** argv, std::shared_ptr<UIApplicationDelegate> delegate) {
    (void)argc;
    (void)argv;
    if (!UIApplication::shared().launch(std::move(delegate)))
        return 1;
    RunLoop::main().run();
    return 0;
}
