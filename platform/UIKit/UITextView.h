#pragma once

#include "UIKit/NSAttributedString.h"
#include "UIKit/UIView.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class UITextView;

enum class UITextItemInteraction { invokeDefaultAction, presentActions, preview };

class UITextViewDelegate {
  public:
    virtual ~UITextViewDelegate() = default;
    virtual bool textViewShouldBeginEditing(UITextView&) { return true; }
    virtual void textViewDidBeginEditing(UITextView&) {}
    virtual void textViewDidEndEditing(UITextView&) {}
    virtual void textViewDidChange(UITextView&) {}
    // A link was tapped; false keeps the text view from opening it itself.
    virtual bool shouldInteractWithURL(UITextView&, const std::string& url, NSRange range,
                                       UITextItemInteraction interaction) {
        (void)url, (void)range, (void)interaction;
        return true;
    }
};

// Text over several lines, with links that can be tapped when the view is selectable, and
// typing when it is editable. A tapped link is offered to the delegate; when the delegate lets
// it, the view opens it through linkOpener (which the application installs).
class UITextView : public UIView, public UIKeyInput {
  public:
    UITextView();
    explicit UITextView(const CGRect& frame);
    static std::shared_ptr<UITextView> make(const CGRect& frame = {}) {
        return std::make_shared<UITextView>(frame);
    }

    std::string text() const { return attributed_.string(); }
    void setText(const std::string& text);
    // The text with the view's font and colour filled in where its runs have none.
    NSAttributedString attributedText() const;
    void setAttributedText(const NSAttributedString& text);
    UIFont font = UIFont::systemFont(12);
    UIColor textColor = UIColor::label();
    NSTextAlignment textAlignment = NSTextAlignment::natural;
    bool isEditable = true;
    bool isSelectable = true;
    bool isScrollEnabled = true;
    UIEdgeInsets textContainerInset{8, 0, 8, 0};
    std::weak_ptr<UITextViewDelegate> delegate;
    bool isEditing() const { return editing_; }

    // Taps the link at a position of the text; false when there is none there.
    bool interactWithLink(size_t characterIndex);
    // Taps the link on the first occurrence of `text`.
    bool tapLink(const std::string& text);
    // The position of the text under a point, from the measured layout.
    std::optional<size_t> characterIndex(CGPoint point) const;
    static std::function<void(const std::string& url)>& linkOpener();

    // Posted with the view as object when editing begins and ends.
    static constexpr const char* textDidBeginEditingNotification =
        "UITextViewTextDidBeginEditingNotification";
    static constexpr const char* textDidEndEditingNotification =
        "UITextViewTextDidEndEditingNotification";

    bool canBecomeFirstResponder() const override { return isEditable; }
    bool becomeFirstResponder() override;
    bool hasText() const override { return !attributed_.string().empty(); }
    void insertText(const std::string& text) override;
    void deleteBackward() override;

    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(CGSize size) const override;

  protected:
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;

  private:
    NSAttributedString attributed_;
    bool editing_ = false;
};
