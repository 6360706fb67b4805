#include "Render/DesktopApp.h"

#include "Foundation/RunLoop.h"
#include "Render/DesktopWindow.h"
#include "Render/Snapshot.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIView.h"

#include <cstdlib>

namespace {

std::optional<double> number(const std::string& text) {
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value > 0) || value > 8)
        return std::nullopt;
    return value;
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

int runDesktopApp(const DesktopOptions& options, const DesktopRootMaker& makeRoot, FILE* err) {
    if (auto problem = DesktopWindow::displayProblem()) {
        std::fprintf(err,
                     "melodrift: %s; render a screen with 'melodrift --snapshot SCENE OUT.png' "
                     "or convert files with 'melodrift convert' (see 'melodrift --help').\n",
                     problem->c_str());
        return desktopNoDisplayStatus;
    }
    configureDevice(options);
    Snapshot::prepare();
    auto root = makeRoot(options.screenSize());
    if (!root) {
        std::fprintf(err, "melodrift: there is no screen to show.\n");
        return 1;
    }
    DesktopWindow::Options windowOptions;
    windowOptions.zoom = options.zoom;
    DesktopWindow window(root, windowOptions);
    std::string error;
    if (!window.open(&error)) {
        std::fprintf(err,
                     "melodrift: %s; render a screen with 'melodrift --snapshot SCENE OUT.png' "
                     "or convert files with 'melodrift convert' (see 'melodrift --help').\n",
                     error.c_str());
        return desktopNoDisplayStatus;
    }
    window.run();
    return 0;
}

int runSnapshot(const DesktopOptions& options, const DesktopSceneMaker& makeScene, FILE* out,
                FILE* err) {
    configureDevice(options);
    Snapshot::prepare();
    const std::string& scene = *options.snapshotScene;
    auto root = makeScene(scene, options.screenSize());
    if (!root) {
        std::fprintf(err, "melodrift: there is no scene '%s' to render.\n", scene.c_str());
        return 1;
    }
    // Let what the scene starts on appearing (layout, queued blocks) settle first.
    root->layoutIfNeeded();
    RunLoop::main().runUntilIdle();
    std::string error;
    if (!Snapshot::render(*root, options.snapshotPath, options.snapshotScale, &error)) {
        std::fprintf(err, "melodrift: cannot write '%s': %s\n", options.snapshotPath.c_str(),
                     error.c_str());
        return 1;
    }
    std::fprintf(out, "melodrift: rendered '%s' to %s\n", scene.c_str(),
                 options.snapshotPath.c_str());
    return 0;
}
