#pragma once

#include "UIKit/UIGestureRecognizer.h"

// Recognizes a touch that goes down and up again without moving far (10 points), as many
// times as required.
class UITapGestureRecognizer : public UIGestureRecognizer {
  public:
    static std::shared_ptr<UITapGestureRecognizer> make() {
        return std::make_shared<UITapGestureRecognizer>();
    }

    int numberOfTapsRequired = 1;
    int numberOfTouchesRequired = 1;
    static constexpr CGFloat allowableMovement = 10;

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;

  private:
    CGPoint start_;
};
