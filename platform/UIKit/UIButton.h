#pragma once

#include "UIKit/NSAttributedString.h"
#include "UIKit/UIControl.h"
#include "UIKit/UIImageSymbolConfiguration.h"

#include <map>
#include <optional>
#include <string>

class UIImage;
class UIImageView;
class UILabel;
class UIMenu;

enum class UIButtonType {
    custom,
    system,
    detailDisclosure,
    infoLight,
    infoDark,
    contactAdd,
    close
};

// A control with a title, an image and a background image for each state. A state that has no
// value of its own shows the normal state's. With `showsMenuAsPrimaryAction` a tap shows the
// button's menu instead of sending touch-up-inside.
class UIButton : public UIControl {
  public:
    explicit UIButton(UIButtonType type = UIButtonType::custom, const CGRect& frame = {});
    explicit UIButton(const CGRect& frame) : UIButton(UIButtonType::custom, frame) {}
    static std::shared_ptr<UIButton> make(UIButtonType type = UIButtonType::custom,
                                          const CGRect& frame = {});
    // A system button that performs the action on touch-up-inside, titled and imaged by it.
    static std::shared_ptr<UIButton> make(UIButtonType type,
                                          const std::shared_ptr<UIAction>& primaryAction);

    UIButtonType buttonType() const { return type_; }

    void setTitle(const std::optional<std::string>& title, UIControlState state);
    std::optional<std::string> title(UIControlState state) const;
    void setTitleColor(const std::optional<UIColor>& color, UIControlState state);
    std::optional<UIColor> titleColor(UIControlState state) const;
    void setAttributedTitle(const std::optional<NSAttributedString>& title, UIControlState state);
    std::optional<NSAttributedString> attributedTitle(UIControlState state) const;
    void setImage(const std::shared_ptr<UIImage>& image, UIControlState state);
    std::shared_ptr<UIImage> image(UIControlState state) const;
    void setBackgroundImage(const std::shared_ptr<UIImage>& image, UIControlState state);
    std::shared_ptr<UIImage> backgroundImage(UIControlState state) const;
    void setPreferredSymbolConfiguration(const UIImageSymbolConfiguration& configuration,
                                         UIControlState state);

    // What the button shows in its current state.
    std::optional<std::string> currentTitle() const { return title(state()); }
    UIColor currentTitleColor() const;
    std::shared_ptr<UIImage> currentImage() const { return image(state()); }
    std::shared_ptr<UIImage> currentBackgroundImage() const { return backgroundImage(state()); }

    // The subviews that show the title and the image, made on first use.
    std::shared_ptr<UILabel> titleLabel();
    std::shared_ptr<UIImageView> imageView();

    UIEdgeInsets contentEdgeInsets;
    UIEdgeInsets titleEdgeInsets;
    UIEdgeInsets imageEdgeInsets;
    CGFloat imageTitleSpacing = 0;

    std::shared_ptr<UIMenu> menu;
    bool showsMenuAsPrimaryAction = false;

    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;

  protected:
    void stateDidChange() override;
    void primaryTouchUpInside(UIEvent* event) override;

  private:
    template <class T>
    static std::optional<T> lookup(const std::map<uint32_t, T>& values, UIControlState state);
    void updateContent();
    CGSize titleSize() const;
    CGSize imageSize() const;

    UIButtonType type_;
    std::map<uint32_t, std::string> titles_;
    std::map<uint32_t, UIColor> titleColors_;
    std::map<uint32_t, NSAttributedString> attributedTitles_;
    std::map<uint32_t, std::shared_ptr<UIImage>> images_;
    std::map<uint32_t, std::shared_ptr<UIImage>> backgroundImages_;
    std::map<uint32_t, UIImageSymbolConfiguration> symbolConfigurations_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIImageView> imageView_;
};
