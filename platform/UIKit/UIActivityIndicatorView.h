#pragma once

#include "UIKit/UIView.h"

enum class UIActivityIndicatorViewStyle { medium, large };

// A spinner. While animating its layer carries a rotation under the key "spin"; when stopped
// it hides itself unless told not to.
class UIActivityIndicatorView : public UIView {
  public:
    explicit UIActivityIndicatorView(
        UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyle::medium);
    static std::shared_ptr<UIActivityIndicatorView>
    make(UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyle::medium) {
        return std::make_shared<UIActivityIndicatorView>(style);
    }

    UIActivityIndicatorViewStyle style() const { return style_; }
    void setStyle(UIActivityIndicatorViewStyle style);
    UIColor color = UIColor::systemGray();
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    void setHidesWhenStopped(bool hides);
    bool isAnimating() const { return animating_; }
    void startAnimating();
    void stopAnimating();

    CGSize intrinsicContentSize() const override;

  private:
    UIActivityIndicatorViewStyle style_;
    bool hidesWhenStopped_ = true;
    bool animating_ = false;
};
