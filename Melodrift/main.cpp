#include "Foundation/Bundle.h"
#include "Foundation/RunLoop.h"
#include "Melodrift/AppDelegate.h"
#include "Melodrift/ConvertCommand.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UIViewController.h"
#include "UIKit/UIWindow.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

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
    for (const auto& argument : arguments) {
        if (argument == "--pad")
            UIDevice::current().setUserInterfaceIdiom(UIUserInterfaceIdiom::pad);
    }
    // The start-up sequence. The desktop window, once it is built, runs the main loop over the
    // application's key window (UIApplicationMain); until then the start-up is run and the
    // screen it leaves in front is named.
    auto delegate = std::make_shared<AppDelegate>();
    if (!UIApplication::shared().launch(delegate))
        return 1;
    RunLoop::main().runUntilIdle();
    auto root = delegate->window ? delegate->window->rootViewController() : nullptr;
    std::printf("%s: started on %s; the window is not built yet; convert files with 'melodrift "
                "convert' (see 'melodrift convert --help').\n",
                name.c_str(), root ? root->className().c_str() : "no screen");
    // Windows go before the process's static registries do.
    root.reset();
    UIApplication::shared().reset();
    delegate.reset();
    return 0;
}
