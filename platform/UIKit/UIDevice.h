#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UITraitCollection.h"

#include <string>

// The device: a phone unless the application was started as a pad.
class UIDevice {
  public:
    static UIDevice& current();

    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    // Also sets the idiom of the current traits, so views and colours see it, and sizes the
    // main screen for the idiom.
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom);
    std::string systemName = "Linux";
    std::string model() const { return idiom_ == UIUserInterfaceIdiom::pad ? "iPad" : "iPhone"; }

    // The screen in points for the idiom: 390 × 844 for a phone, 820 × 1180 for a pad.
    CGSize screenSize() const;
    // The parts of the screen kept clear of system bars (status bar, home indicator).
    UIEdgeInsets screenSafeAreaInsets() const;

  private:
    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiom::phone;
};
