#include "UIKit/UITextField.h"

#include "Foundation/NotificationCenter.h"

#include <algorithm>

namespace {

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

void UITextField::setText(const std::string& text) {
    text_ = text;
    caret_ = text_.size();
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

bool UITextField::becomeFirstResponder() {
    if (isFirstResponder())
        return true;
    if (!canBecomeFirstResponder())
        return false;
    auto keepAlive = sharedView();
    if (auto d = delegate.lock()) {
        if (!d->textFieldShouldBeginEditing(*this))
            return false;
    }
    return UIControl::becomeFirstResponder();
}

bool UITextField::resignFirstResponder() {
    if (!isFirstResponder())
        return true;
    auto keepAlive = sharedView();
    if (auto d = delegate.lock()) {
        if (!d->textFieldShouldEndEditing(*this))
            return false;
    }
    return UIControl::resignFirstResponder();
}

void UITextField::didBecomeFirstResponder() {
    editing_ = true;
    if (clearsOnBeginEditing)
        text_.clear();
    caret_ = text_.size();
    if (auto d = delegate.lock())
        d->textFieldDidBeginEditing(*this);
    sendActions(UIControlEventEditingDidBegin);
    NotificationCenter::defaultCenter().post(textDidBeginEditingNotification, this);
}

void UITextField::didResignFirstResponder() {
    editing_ = false;
    if (auto d = delegate.lock())
        d->textFieldDidEndEditing(*this);
    sendActions(UIControlEventEditingDidEnd);
    NotificationCenter::defaultCenter().post(textDidEndEditingNotification, this);
}

void UITextField::primaryTouchUpInside(UIEvent* event) {
    becomeFirstResponder();
    UIControl::primaryTouchUpInside(event);
}

void UITextField::edit(NSRange range, const std::string& replacement) {
    if (!editing_)
        return;
    auto keepAlive = sharedView();
    if (auto d = delegate.lock()) {
        if (!d->shouldChangeCharacters(*this, range, replacement))
            return;
    }
    text_.replace(range.location, range.length, replacement);
    caret_ = range.location + replacement.size();
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
    sendActions(UIControlEventEditingChanged);
    NotificationCenter::defaultCenter().post(textDidChangeNotification, this);
}

void UITextField::insertText(const std::string& text) {
    if (text == "\n") {
        pressReturn();
        return;
    }
    edit({caretPosition(), 0}, text);
}

// Removes the character before the caret, with all the bytes of its UTF-8 sequence.
void UITextField::deleteBackward() {
    size_t end = caretPosition();
    if (end == 0)
        return;
    size_t start = end - 1;
    while (start > 0 && isContinuation(text_[start]))
        --start;
    edit({start, end - start}, "");
}

void UITextField::setCaretPosition(size_t position) {
    position = std::min(position, text_.size());
    while (position > 0 && position < text_.size() && isContinuation(text_[position]))
        --position;
    caret_ = position;
    setNeedsDisplay();
}

void UITextField::moveCaret(int characters) {
    size_t at = caretPosition();
    for (; characters < 0 && at > 0; ++characters) {
        --at;
        while (at > 0 && isContinuation(text_[at]))
            --at;
    }
    for (; characters > 0 && at < text_.size(); --characters) {
        ++at;
        while (at < text_.size() && isContinuation(text_[at]))
            ++at;
    }
    setCaretPosition(at);
}

void UITextField::replaceAllText(const std::string& text) {
    edit({0, text_.size()}, text);
}

void UITextField::pressReturn() {
    auto keepAlive = sharedView();
    if (auto d = delegate.lock()) {
        if (!d->textFieldShouldReturn(*this))
            return;
    }
    bool ends = allControlEvents() & UIControlEventEditingDidEndOnExit;
    sendActions(UIControlEventEditingDidEndOnExit);
    if (ends)
        resignFirstResponder();
}

CGSize UITextField::intrinsicContentSize() const {
    const std::string& shown = text_.empty() ? placeholder : text_;
    CGSize size = NSAttributedString(shown).boundingSize(0, 1, font);
    CGFloat padding = borderStyle == UITextBorderStyle::roundedRect ? 14 : 0;
    return {size.width + padding, std::max(size.height, font.lineHeight()) + padding};
}
