#include "UIKit/UITextView.h"

#include "Foundation/NotificationCenter.h"
#include "UIKit/UITouch.h"

#include <cmath>

UITextView::UITextView() : UITextView(CGRect{}) {}

UITextView::UITextView(const CGRect& frame) : UIView(frame) {
    setBackgroundColor(UIColor::systemBackground());
}

void UITextView::setText(const std::string& text) {
    setAttributedText(NSAttributedString(text));
}

void UITextView::setAttributedText(const NSAttributedString& text) {
    attributed_ = text;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

NSAttributedString UITextView::attributedText() const {
    NSTextAttributes base;
    base.font = font;
    base.foregroundColor = textColor;
    base.alignment = textAlignment;
    NSAttributedString out(attributed_.string(), base);
    for (const auto& run : attributed_.runs())
        out.addAttributes(run.attributes, run.range);
    return out;
}

std::function<void(const std::string&)>& UITextView::linkOpener() {
    static std::function<void(const std::string&)> opener;
    return opener;
}

bool UITextView::interactWithLink(size_t index) {
    if (!isSelectable)
        return false;
    NSRange range;
    auto attributes = attributed_.attributes(index, &range);
    if (!attributes.link)
        return false;
    auto keepAlive = sharedView();
    bool open = true;
    if (auto d = delegate.lock())
        open = d->shouldInteractWithURL(*this, *attributes.link, range,
                                        UITextItemInteraction::invokeDefaultAction);
    if (open && linkOpener())
        linkOpener()(*attributes.link);
    return true;
}

bool UITextView::tapLink(const std::string& text) {
    NSRange range = attributed_.range(text);
    if (range.location == NSRange::notFound)
        return false;
    return interactWithLink(range.location);
}

// Lays the text out line by line with the measured widths of its prefixes, which follows the
// measurement in use (the estimate, or the renderer's once it installs one).
std::optional<size_t> UITextView::characterIndex(CGPoint point) const {
    NSAttributedString text = attributedText();
    const std::string& s = text.string();
    CGRect area = textContainerInset.inset(bounds());
    CGFloat width = area.size.width;
    CGFloat lineHeight = font.lineHeight();
    if (s.empty() || point.y < area.minY())
        return std::nullopt;
    size_t wantedLine = static_cast<size_t>((point.y - area.minY()) / lineHeight);
    size_t lineStart = 0, line = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        bool atEnd = i == s.size();
        if (!atEnd && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            continue;
        NSAttributedString piece = text.attributedSubstring({lineStart, i - lineStart});
        CGFloat w = piece.boundingSize(0, 1, font).width;
        bool breaks = !atEnd && (s[i] == '\n' || (width > 0 && w > width && i > lineStart));
        if (breaks || atEnd) {
            if (line == wantedLine) {
                CGFloat lineWidth = w;
                CGFloat offset = textAlignment == NSTextAlignment::center  ? (width - lineWidth) / 2
                                 : textAlignment == NSTextAlignment::right ? width - lineWidth
                                                                           : 0;
                CGFloat x = point.x - area.minX() - offset;
                for (size_t j = lineStart; j < i; ++j) {
                    if ((static_cast<unsigned char>(s[j]) & 0xC0) == 0x80)
                        continue;
                    CGFloat upTo = text.attributedSubstring({lineStart, j + 1 - lineStart})
                                       .boundingSize(0, 1, font)
                                       .width;
                    if (x < upTo)
                        return j;
                }
                return std::nullopt;
            }
            if (atEnd)
                return std::nullopt;
            ++line;
            lineStart = s[i] == '\n' ? i + 1 : i;
        }
    }
    return std::nullopt;
}

void UITextView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (!touches.empty()) {
        if (auto index = characterIndex(touches.front()->location(this))) {
            if (interactWithLink(*index))
                return;
        }
        if (isEditable)
            becomeFirstResponder();
    }
    UIView::touchesEnded(touches, event);
}

bool UITextView::becomeFirstResponder() {
    if (isFirstResponder())
        return true;
    if (!isEditable)
        return false;
    if (auto d = delegate.lock()) {
        if (!d->textViewShouldBeginEditing(*this))
            return false;
    }
    return UIView::becomeFirstResponder();
}

void UITextView::didBecomeFirstResponder() {
    editing_ = true;
    if (auto d = delegate.lock())
        d->textViewDidBeginEditing(*this);
    NotificationCenter::defaultCenter().post(textDidBeginEditingNotification, this);
}

void UITextView::didResignFirstResponder() {
    editing_ = false;
    if (auto d = delegate.lock())
        d->textViewDidEndEditing(*this);
    NotificationCenter::defaultCenter().post(textDidEndEditingNotification, this);
}

void UITextView::insertText(const std::string& text) {
    if (!editing_)
        return;
    attributed_.replaceCharacters({attributed_.length(), 0}, text);
    invalidateIntrinsicContentSize();
    if (auto d = delegate.lock())
        d->textViewDidChange(*this);
}

void UITextView::deleteBackward() {
    if (!editing_ || attributed_.length() == 0)
        return;
    const std::string& s = attributed_.string();
    size_t start = s.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80)
        --start;
    attributed_.replaceCharacters({start, s.size() - start}, "");
    invalidateIntrinsicContentSize();
    if (auto d = delegate.lock())
        d->textViewDidChange(*this);
}

CGSize UITextView::intrinsicContentSize() const {
    if (isScrollEnabled)
        return {noIntrinsicMetric, noIntrinsicMetric};
    CGFloat width = bounds().size.width - textContainerInset.left - textContainerInset.right;
    CGSize text = attributedText().boundingSize(width > 0 ? width : 0, 0, font);
    return {text.width + textContainerInset.left + textContainerInset.right,
            text.height + textContainerInset.top + textContainerInset.bottom};
}

CGSize UITextView::sizeThatFits(CGSize size) const {
    CGFloat width = size.width - textContainerInset.left - textContainerInset.right;
    CGSize text = attributedText().boundingSize(width > 0 ? width : 0, 0, font);
    return {size.width > 0 ? size.width
                           : text.width + textContainerInset.left + textContainerInset.right,
            text.height + textContainerInset.top + textContainerInset.bottom};
}
