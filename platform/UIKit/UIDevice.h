#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UITraitCollection.h"

#include <string>

// The device the application runs on. A desktop stands in for a phone unless the application
// is started as a pad (`--pad`) or a test asks for one; the idiom decides the screen size.
class UIDevice {
  public:
    static UIDevice& current();

    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    // Also the idiom of the current traits.
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) {
        idiom_ = idiom;
        UITraitCollection::current().userInterfaceIdiom = idiom;
    }

    std::string name() const { return "Melodrift Desktop"; }
    std::string model() const { return idiom_ == UIUserInterfaceIdiom::pad ? "iPad" : "iPhone"; }
    std::string systemName() const { return "Linux"; }

    // The screen in points for the idiom: 390 × 844 for a phone, 820 × 1180 for a pad.
    CGSize screenSize() const;
    // The parts of the screen kept clear of system bars (status bar, home indicator).
    UIEdgeInsets screenSafeAreaInsets() const;

  private:
    UIDevice() = default;
    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiom::phone;
};
