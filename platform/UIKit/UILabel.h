#pragma once

#include "UIKit/NSAttributedString.h"
#include "UIKit/UIFont.h"
#include "UIKit/UIView.h"

#include <optional>
#include <string>

enum class NSLineBreakMode {
    byWordWrapping,
    byCharWrapping,
    byClipping,
    byTruncatingHead,
    byTruncatingTail,
    byTruncatingMiddle
};

// Text on one or more lines. Setting `text` replaces any attributed text; the font, colour and
// alignment apply where the attributed text's runs set none.
class UILabel : public UIView {
  public:
    UILabel();
    explicit UILabel(const CGRect& frame);
    static std::shared_ptr<UILabel> make(const CGRect& frame = {}) {
        return std::make_shared<UILabel>(frame);
    }

    std::string text() const;
    void setText(const std::string& text);
    // Whether any text is set (a label starts with none).
    bool hasText() const { return attributed_.has_value(); }
    void clearText();
    // The text with the label's font and colour filled in where its runs have none.
    NSAttributedString attributedText() const;
    void setAttributedText(const NSAttributedString& text);

    const UIFont& font() const { return font_; }
    void setFont(const UIFont& font);
    const UIColor& textColor() const { return textColor_; }
    void setTextColor(const UIColor& color);
    NSTextAlignment textAlignment = NSTextAlignment::natural;
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines);
    NSLineBreakMode lineBreakMode = NSLineBreakMode::byTruncatingTail;
    bool adjustsFontSizeToFitWidth = false;
    CGFloat minimumScaleFactor = 0;
    // The width multi-line text wraps at when laid out by constraints; 0 uses the bounds.
    CGFloat preferredMaxLayoutWidth = 0;
    bool isEnabled = true;
    bool isHighlighted = false;
    std::optional<UIColor> highlightedTextColor;

    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;

  private:
    void changed();

    std::optional<NSAttributedString> attributed_;
    bool plain_ = true;
    UIFont font_ = UIFont::systemFont(17);
    UIColor textColor_ = UIColor::label();
    int numberOfLines_ = 1;
    CGFloat measuredWidth_ = 0;
};
