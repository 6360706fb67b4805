#pragma once

#include "UIKit/UIView.h"

#include <optional>

enum class UIProgressViewStyle { defaultStyle, bar };

// A bar filled to a fraction in [0, 1].
class UIProgressView : public UIView {
  public:
    using UIView::UIView;
    static std::shared_ptr<UIProgressView>
    make(UIProgressViewStyle style = UIProgressViewStyle::defaultStyle);

    float progress() const { return progress_; }
    // Clamped to [0, 1]. `animated` fills the bar on screen; the value changes at once.
    void setProgress(float progress, bool animated = false);
    UIProgressViewStyle progressViewStyle = UIProgressViewStyle::defaultStyle;
    std::optional<UIColor> progressTintColor;
    std::optional<UIColor> trackTintColor;

    CGSize intrinsicContentSize() const override { return {noIntrinsicMetric, 4}; }

  private:
    float progress_ = 0;
};
