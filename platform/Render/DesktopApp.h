#pragma once

#include "UIKit/CGGeometry.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class UIView;

// What the desktop start-up is asked for on the command line.
struct DesktopOptions {
    bool pad = false;
    // Window pixels per point; 0 lets the window pick.
    double zoom = 0;
    // `--snapshot SCENE OUT.png`: render one scene to a file instead of opening the window.
    std::optional<std::string> snapshotScene;
    std::string snapshotPath;
    double snapshotScale = 2;

    // Reads `--pad`, `--zoom N`, `--snapshot SCENE OUT.png` and `--scale N`; anything else is
    // an error, given in `error`.
    static std::optional<DesktopOptions> parse(const std::vector<std::string>& arguments,
                                               std::string* error);
    // The device's screen in points: 390 × 844 for a phone, 820 × 1180 for a pad.
    CGSize screenSize() const;
};

// Exit status when there is no display to open the window on.
constexpr int desktopNoDisplayStatus = 69;

// Makes the tree the window shows, sized to the screen (the application's window with its
// root controller installed).
using DesktopRootMaker = std::function<std::shared_ptr<UIView>(CGSize screen)>;
// Makes the tree of a named scene for a snapshot; null when there is no such scene.
using DesktopSceneMaker =
    std::function<std::shared_ptr<UIView>(const std::string& scene, CGSize screen)>;

// Sets the device up as the options say (idiom, screen size).
void configureDevice(const DesktopOptions& options);

// Opens the window on the tree and runs the main loop until the window is closed. Without a
// display, prints one line on `err` saying so and pointing to the snapshot and convert
// commands, and returns desktopNoDisplayStatus.
int runDesktopApp(const DesktopOptions& options, const DesktopRootMaker& makeRoot,
                  FILE* err = stderr);
// Renders the scene the options name to their PNG file; no display is needed. Prints one
// line on success (on `out`) or failure (on `err`); returns 0 or 1.
int runSnapshot(const DesktopOptions& options, const DesktopSceneMaker& makeScene,
                FILE* out = stdout, FILE* err = stderr);
