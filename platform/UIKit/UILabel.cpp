#include "UIKit/UILabel.h"

UILabel::UILabel() : UILabel(CGRect{}) {}

UILabel::UILabel(const CGRect& frame) : UIView(frame) {
    setUserInteractionEnabled(false);
    isOpaque = false;
    setContentHuggingPriority(251, UILayoutConstraintAxis::horizontal);
    setContentHuggingPriority(251, UILayoutConstraintAxis::vertical);
}

std::string UILabel::text() const {
    return attributed_ ? attributed_->string() : std::string();
}

void UILabel::setText(const std::string& text) {
    attributed_ = NSAttributedString(text);
    plain_ = true;
    changed();
}

void UILabel::clearText() {
    attributed_.reset();
    changed();
}

NSAttributedString UILabel::attributedText() const {
    if (!attributed_)
        return {};
    NSTextAttributes base;
    base.font = font_;
    base.foregroundColor = textColor_;
    base.alignment = textAlignment;
    NSAttributedString out(attributed_->string(), base);
    for (const auto& run : attributed_->runs())
        out.addAttributes(run.attributes, run.range);
    return out;
}

void UILabel::setAttributedText(const NSAttributedString& text) {
    attributed_ = text;
    plain_ = false;
    // The first run's font and colour become the label's, as on the phone.
    if (!text.runs().empty()) {
        const auto& first = text.runs().front().attributes;
        if (first.font)
            font_ = *first.font;
        if (first.foregroundColor)
            textColor_ = *first.foregroundColor;
    }
    changed();
}

void UILabel::setFont(const UIFont& font) {
    font_ = font;
    changed();
}

void UILabel::setTextColor(const UIColor& color) {
    textColor_ = color;
    setNeedsDisplay();
}

void UILabel::setNumberOfLines(int lines) {
    numberOfLines_ = std::max(0, lines);
    changed();
}

void UILabel::changed() {
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

CGSize UILabel::intrinsicContentSize() const {
    if (!attributed_ || attributed_->length() == 0)
        return {0, 0};
    CGFloat wrap = 0;
    if (numberOfLines_ != 1)
        wrap = preferredMaxLayoutWidth > 0 ? preferredMaxLayoutWidth : bounds().size.width;
    return attributedText().boundingSize(wrap, numberOfLines_, font_);
}

CGSize UILabel::sizeThatFits(CGSize size) const {
    if (!attributed_)
        return {0, 0};
    CGFloat wrap = numberOfLines_ != 1 && size.width > 0 ? size.width : 0;
    return attributedText().boundingSize(wrap, numberOfLines_, font_);
}

// Multi-line text wraps at the label's width, so a new width asks for a new measure.
void UILabel::layoutSubviews() {
    CGFloat width = bounds().size.width;
    if (numberOfLines_ != 1 && preferredMaxLayoutWidth <= 0 && width != measuredWidth_) {
        measuredWidth_ = width;
        invalidateIntrinsicContentSize();
    }
}
