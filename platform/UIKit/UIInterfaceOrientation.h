#pragma once

#include <cstdint>

enum class UIInterfaceOrientation {
    unknown = 0,
    portrait = 1,
    portraitUpsideDown = 2,
    landscapeLeft = 4,
    landscapeRight = 3,
};

// Orientations a screen supports, as bits.
enum UIInterfaceOrientationMask : uint32_t {
    UIInterfaceOrientationMaskPortrait = 1 << 1,
    UIInterfaceOrientationMaskLandscapeLeft = 1 << 4,
    UIInterfaceOrientationMaskLandscapeRight = 1 << 3,
    UIInterfaceOrientationMaskPortraitUpsideDown = 1 << 2,
    UIInterfaceOrientationMaskLandscape = (1 << 4) | (1 << 3),
    UIInterfaceOrientationMaskAll = (1 << 1) | (1 << 2) | (1 << 3) | (1 << 4),
    UIInterfaceOrientationMaskAllButUpsideDown = (1 << 1) | (1 << 3) | (1 << 4),
};

enum class UIStatusBarStyle { defaultStyle, lightContent, darkContent };
