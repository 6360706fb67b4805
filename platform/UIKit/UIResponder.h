#pragma once

#include <memory>
#include <string>
#include <vector>

class UITouch;
class UIEvent;

using UITouchSet = std::vector<std::shared_ptr<UITouch>>;

// The base of everything that takes part in event handling: views, and (later) controllers
// and the application. Touches a responder does not handle go to its next responder. One
// responder at a time is the first responder, which receives the keyboard.
class UIResponder : public std::enable_shared_from_this<UIResponder> {
  public:
    UIResponder() = default;
    UIResponder(const UIResponder&) = delete;
    UIResponder& operator=(const UIResponder&) = delete;
    virtual ~UIResponder();

    virtual std::shared_ptr<UIResponder> nextResponder() const { return nullptr; }

    virtual bool canBecomeFirstResponder() const { return false; }
    virtual bool canResignFirstResponder() const { return true; }
    // Resigns the current first responder first; false when either step is refused.
    virtual bool becomeFirstResponder();
    virtual bool resignFirstResponder();
    bool isFirstResponder() const;
    static std::shared_ptr<UIResponder> currentFirstResponder();

    virtual void touchesBegan(const UITouchSet& touches, UIEvent* event);
    virtual void touchesMoved(const UITouchSet& touches, UIEvent* event);
    virtual void touchesEnded(const UITouchSet& touches, UIEvent* event);
    virtual void touchesCancelled(const UITouchSet& touches, UIEvent* event);

    // The class's name as written in code, with its namespace ("UILabel", "Bootwell::X").
    std::string className() const;

  protected:
    // Called when first-responder status is given or taken, after the change.
    virtual void didBecomeFirstResponder() {}
    virtual void didResignFirstResponder() {}
};

// A responder that takes typed text (text fields, text views, search bars).
class UIKeyInput {
  public:
    virtual ~UIKeyInput() = default;
    virtual bool hasText() const = 0;
    virtual void insertText(const std::string& text) = 0;
    virtual void deleteBackward() = 0;
};
