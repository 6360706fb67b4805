#include "Bootwell/NewWelcomeScreenVC.h"
#include "Foundation/Bundle.h"
#include "Foundation/RunLoop.h"
#include "Melodrift/AppDelegate.h"
#include "Melodrift/ConvertCommand.h"
#include "Render/DesktopApp.h"
#include "Render/GalleryScreen.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIViewController.h"
#include "UIKit/UIWindow.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

void printHelp(const std::string& name) {
    std::printf(
        "%s: convert, trim and keep audio.\n"
        "usage: melodrift [--pad] [--zoom N]       open the window (a phone; --pad: a pad)\n"
        "       melodrift --snapshot SCENE OUT.png [--pad] [--scale N]\n"
        "                                          render a scene to a PNG file, no display "
        "needed\n"
        "       melodrift convert ...               convert files (see 'melodrift convert "
        "--help')\n"
        "       melodrift --version\n"
        "Without a display the window cannot open: melodrift says so and exits with "
        "status %d.\n",
        name.c_str(), desktopNoDisplayStatus);
}

// The scenes snapshots can show: the storyboard's, the welcome screen, and the gallery of
// controls.
std::shared_ptr<UIViewController> makeScene(const std::string& scene) {
    if (scene == "welcome")
        return Bootwell::NewWelcomeScreenVC::make(AppDelegate::welcomeContent());
    if (scene == "gallery")
        return GalleryScreen::makeController();
    if (scene == "gallery-list")
        return GalleryScreen::makeList(50);
    if (auto controller = storyboardScene(scene))
        return controller;
    // Until the storyboard is there, the gallery stands in for its initial controller.
    return scene == "initial" ? GalleryScreen::makeController() : nullptr;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == "convert") {
        arguments.erase(arguments.begin());
        return ConvertCommand(stdout, stderr).run(arguments);
    }
    const auto& info = Bundle::main().infoDictionary();
    std::string name = info.value("CFBundleDisplayName", "Melodrift");
    if (!arguments.empty() && arguments[0] == "--version") {
        std::printf("%s %s\n", name.c_str(), info.value("CFBundleShortVersionString", "").c_str());
        return 0;
    }
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        printHelp(name);
        return 0;
    }
    std::string error;
    auto options = DesktopOptions::parse(arguments, &error);
    if (!options) {
        std::fprintf(stderr, "melodrift: %s (see 'melodrift --help').\n", error.c_str());
        return 2;
    }
    if (options->snapshotScene)
        return runSnapshot(*options, makeScene);
    // The start-up sequence fills the application's window, which the desktop window shows.
    auto delegate = std::make_shared<AppDelegate>();
    int status = runDesktopApp(*options, [&]() -> std::shared_ptr<UIWindow> {
        if (!UIApplication::shared().launch(delegate) || !UIApplication::shared().keyWindow())
            return makeDesktopWindow(makeScene("initial"));
        return UIApplication::shared().keyWindow();
    });
    // Windows go before the process's static registries do.
    UIApplication::shared().reset();
    delegate.reset();
    return status;
}
