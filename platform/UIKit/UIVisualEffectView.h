#pragma once

#include "UIKit/UIView.h"

#include <memory>

class UIVisualEffect {
  public:
    virtual ~UIVisualEffect() = default;
};

enum class UIBlurEffectStyle {
    extraLight,
    light,
    dark,
    regular,
    prominent,
    systemUltraThinMaterial,
    systemThinMaterial,
    systemMaterial,
    systemThickMaterial,
    systemChromeMaterial,
};

// Blurs what lies behind the view.
class UIBlurEffect : public UIVisualEffect {
  public:
    explicit UIBlurEffect(UIBlurEffectStyle style) : style_(style) {}
    static std::shared_ptr<UIBlurEffect> make(UIBlurEffectStyle style) {
        return std::make_shared<UIBlurEffect>(style);
    }
    UIBlurEffectStyle style() const { return style_; }

  private:
    UIBlurEffectStyle style_;
};

// Shows an effect over what lies behind it; its own content goes into contentView, which
// always fills it.
class UIVisualEffectView : public UIView {
  public:
    explicit UIVisualEffectView(std::shared_ptr<UIVisualEffect> effect = nullptr)
        : effect(std::move(effect)) {}
    static std::shared_ptr<UIVisualEffectView> make(std::shared_ptr<UIVisualEffect> effect);

    std::shared_ptr<UIVisualEffect> effect;
    std::shared_ptr<UIView> contentView();

  private:
    std::shared_ptr<UIView> content_;
};
