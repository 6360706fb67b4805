#pragma once

#include "UIKit/UITraitCollection.h"

#include <string>

// The device: a phone unless the application was started as a pad.
class UIDevice {
  public:
    static UIDevice& current();

    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    // Also sets the idiom of the current traits, so views and colours see it.
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom);
    std::string systemName = "Linux";
    std::string model() const { return idiom_ == UIUserInterfaceIdiom::pad ? "iPad" : "iPhone"; }

  private:
    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiom::phone;
};
