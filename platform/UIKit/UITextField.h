#pragma once

#include "UIKit/NSAttributedString.h"
#include "UIKit/UIControl.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

class UITextField;

// Told of, and asked about, a text field's editing.
class UITextFieldDelegate {
  public:
    virtual ~UITextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(UITextField&) { return true; }
    virtual void textFieldDidBeginEditing(UITextField&) {}
    virtual bool textFieldShouldEndEditing(UITextField&) { return true; }
    virtual void textFieldDidEndEditing(UITextField&) {}
    virtual bool shouldChangeCharacters(UITextField&, NSRange, const std::string&) { return true; }
    virtual bool textFieldShouldClear(UITextField&) { return true; }
    // The return key; true lets the field go on to its editing-did-end-on-exit actions.
    virtual bool textFieldShouldReturn(UITextField&) { return true; }
};

enum class UITextBorderStyle { none, line, bezel, roundedRect };
enum class UIReturnKeyType { defaultKey, go, search, send, done, next };
enum class UIKeyboardType { defaultType, url, numberPad, emailAddress, webSearch };

// One line of editable text. A tap makes it the first responder; typed text arrives through
// insertText and deleteBackward (the window sends the keyboard there), return through
// pressReturn. Each typed change sends editingChanged; setting `text` in code sends nothing.
class UITextField : public UIControl, public UIKeyInput {
  public:
    using UIControl::UIControl;
    static std::shared_ptr<UITextField> make(const CGRect& frame = {}) {
        return std::make_shared<UITextField>(frame);
    }

    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    std::string placeholder;
    UIFont font = UIFont::systemFont(17);
    UIColor textColor = UIColor::label();
    NSTextAlignment textAlignment = NSTextAlignment::natural;
    UITextBorderStyle borderStyle = UITextBorderStyle::none;
    UIReturnKeyType returnKeyType = UIReturnKeyType::defaultKey;
    UIKeyboardType keyboardType = UIKeyboardType::defaultType;
    bool isSecureTextEntry = false;
    bool clearsOnBeginEditing = false;
    std::weak_ptr<UITextFieldDelegate> delegate;

    bool isEditing() const { return editing_; }

    bool canBecomeFirstResponder() const override { return isEnabled(); }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;

    bool hasText() const override { return !text_.empty(); }
    void insertText(const std::string& text) override;
    void deleteBackward() override;
    // Replaces the whole text as a user edit would (delegate asked, editingChanged sent).
    void replaceAllText(const std::string& text);
    void pressReturn();
    // Where typing goes, as a byte position of the text. Setting the text puts it at the end.
    size_t caretPosition() const { return std::min(caret_, text_.size()); }
    // Clamped to the text and moved back to the start of a character.
    void setCaretPosition(size_t position);
    // Moves the caret by whole characters (negative: towards the start).
    void moveCaret(int characters);

    CGSize intrinsicContentSize() const override;

    // Posted with the field as object after each typed change.
    static constexpr const char* textDidChangeNotification = "UITextFieldTextDidChangeNotification";
    // Posted with the field as object when it becomes and stops being the first responder.
    static constexpr const char* textDidBeginEditingNotification =
        "UITextFieldTextDidBeginEditingNotification";
    static constexpr const char* textDidEndEditingNotification =
        "UITextFieldTextDidEndEditingNotification";

  protected:
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;
    void primaryTouchUpInside(UIEvent* event) override;

  private:
    void edit(NSRange range, const std::string& replacement);

    std::string text_;
    size_t caret_ = 0;
    bool editing_ = false;
};
