#include "Render/DesktopApp.h"

#include "Foundation/Bundle.h"
#include "Foundation/RunLoop.h"
#include "Render/DesktopWindow.h"
#include "Render/Snapshot.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIStoryboard.h"
#include "UIKit/UITextView.h"
#include "UIKit/UIView.h"
#include "UIKit/UIViewController.h"
#include "UIKit/UIWindow.h"

#include <cstdlib>
#include <exception>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

// Long enough for a screen's appearance animations to end.
constexpr double snapshotSettleSeconds = 2;

std::optional<double> number(const std::string& text) {
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value > 0) || value > 8)
        return std::nullopt;
    return value;
}

// Hands a link to the desktop's default browser or file handler.
bool openWithDesktop(const std::string& link) {
    const char* argv[] = {"xdg-open", link.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return false;
    // xdg-open returns at once; reap it off the main thread.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

void printNoDisplay(FILE* err, const std::string& problem) {
    std::fprintf(err,
                 "melodrift: %s; render a screen with 'melodrift --snapshot SCENE OUT.png' or "
                 "convert files with 'melodrift convert' (see 'melodrift --help').\n",
                 problem.c_str());
}

} // namespace

std::optional<DesktopOptions> DesktopOptions::parse(const std::vector<std::string>& args,
                                                    std::string* error) {
    DesktopOptions options;
    auto fail = [&](const std::string& why) -> std::optional<DesktopOptions> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--pad") {
            options.pad = true;
        } else if (a == "--zoom" || a == "--scale") {
            if (i + 1 >= args.size())
                return fail(a + " needs a number");
            auto value = number(args[++i]);
            if (!value)
                return fail(a + " needs a number above 0 and at most 8, not '" + args[i] + "'");
            (a == "--zoom" ? options.zoom : options.snapshotScale) = *value;
        } else if (a == "--snapshot") {
            if (i + 2 >= args.size())
                return fail(
                    "--snapshot needs a scene and an output file: --snapshot SCENE OUT.png");
            options.snapshotScene = args[i + 1];
            options.snapshotPath = args[i + 2];
            i += 2;
        } else {
            return fail("unknown option '" + a + "'");
        }
    }
    return options;
}

CGSize DesktopOptions::screenSize() const {
    return pad ? CGSize{820, 1180} : CGSize{390, 844};
}

void configureDevice(const DesktopOptions& options) {
    UIDevice::current().setUserInterfaceIdiom(options.pad ? UIUserInterfaceIdiom::pad
                                                          : UIUserInterfaceIdiom::phone);
    UIScreen::main().configure(options.screenSize(), options.pad ? 2 : 3);
}

std::shared_ptr<UIWindow> makeDesktopWindow(const std::shared_ptr<UIViewController>& root) {
    auto window = UIWindow::make();
    window->setRootViewController(root);
    window->makeKeyAndVisible();
    return window;
}

std::shared_ptr<UIViewController> storyboardScene(const std::string& scene) {
    if (!UIStoryboard::exists("Main", Bundle::main()))
        return nullptr;
    auto storyboard = UIStoryboard::make("Main");
    if (scene == "initial")
        return storyboard->instantiateInitialViewController();
    for (const auto& identifier : storyboard->identifiers()) {
        if (identifier == scene)
            return storyboard->instantiateViewController(scene);
    }
    return nullptr;
}

int runDesktopApp(const DesktopOptions& options, const DesktopLauncher& launch, FILE* err) {
    if (auto problem = DesktopWindow::displayProblem()) {
        printNoDisplay(err, *problem);
        return desktopNoDisplayStatus;
    }
    configureDevice(options);
    Snapshot::prepare();
    UIApplication::shared().urlOpener = [](const URL& url) {
        return openWithDesktop(url.absoluteString());
    };
    UITextView::linkOpener() = [](const std::string& link) { openWithDesktop(link); };
    auto window = launch();
    if (!window) {
        std::fprintf(err, "melodrift: there is no window to show.\n");
        return 1;
    }
    DesktopWindow::Options windowOptions;
    windowOptions.zoom = options.zoom;
    DesktopWindow desktop(window, windowOptions);
    std::string error;
    if (!desktop.open(&error)) {
        printNoDisplay(err, error);
        return desktopNoDisplayStatus;
    }
    desktop.run();
    return 0;
}

int runSnapshot(const DesktopOptions& options, const DesktopSceneMaker& makeScene, FILE* out,
                FILE* err) {
    configureDevice(options);
    Snapshot::prepare();
    UIApplication::adoptPreferredAppearance();
    // The scene's time runs on a clock of its own, so its animations end without waiting.
    RunLoop::main().useVirtualClock(true);
    const std::string& scene = *options.snapshotScene;
    std::shared_ptr<UIViewController> controller;
    try {
        controller = makeScene(scene);
    } catch (const std::exception& e) {
        std::fprintf(err, "melodrift: cannot make the scene '%s': %s\n", scene.c_str(), e.what());
        return 1;
    }
    if (!controller) {
        std::fprintf(err, "melodrift: there is no scene '%s' to render.\n", scene.c_str());
        return 1;
    }
    auto window = makeDesktopWindow(controller);
    // Let what the scene starts on appearing (layout, queued blocks, fades) settle first.
    RunLoop::main().runUntilIdle();
    RunLoop::main().advance(snapshotSettleSeconds);
    window->layoutIfNeeded();
    std::string error;
    if (!Snapshot::render(*window, options.snapshotPath, options.snapshotScale, &error)) {
        std::fprintf(err, "melodrift: cannot write '%s': %s\n", options.snapshotPath.c_str(),
                     error.c_str());
        return 1;
    }
    std::fprintf(out, "melodrift: rendered '%s' to %s\n", scene.c_str(),
                 options.snapshotPath.c_str());
    return 0;
}
