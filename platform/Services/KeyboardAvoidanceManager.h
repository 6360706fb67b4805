#pragma once

#include "UIKit/CGGeometry.h"

#include <memory>
#include <optional>

class UIView;

// Keeps the text input being edited clear of the on-screen keyboard, with no code in the
// screens. While a text field or text view is edited, the keyboard covers the bottom of the
// window (keyboardHeight points); when the input would lie under it, the top-level view that
// holds the input (a window's root or presented view) is moved up until the input's bottom is
// keyboardDistanceFromTextField above the keyboard, never so far that the input's top leaves
// the safe area. When editing ends the view goes back where it was.
class KeyboardAvoidanceManager {
  public:
    static KeyboardAvoidanceManager& shared();

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    CGFloat keyboardDistanceFromTextField = 10;
    // The height of the keyboard on a phone and on a pad, the suggestion bar included.
    static constexpr CGFloat phoneKeyboardHeight = 336;
    static constexpr CGFloat padKeyboardHeight = 398;

    // The input being edited and the keyboard's area in its window's coordinates, while
    // the manager is enabled and an input is being edited.
    std::shared_ptr<UIView> editedView() const { return edited_.lock(); }
    std::optional<CGRect> keyboardFrame() const;
    // How far the moved view has been lifted (0 when nothing is moved).
    CGFloat currentShift() const { return moved_.expired() ? 0 : shift_; }

  private:
    KeyboardAvoidanceManager() = default;
    template <class Input>
    void observe(const char* name, bool begins);
    void beganEditing(UIView& input);
    void endedEditing(UIView& input);
    void restore();
    static CGFloat keyboardHeightFor(const UIView& view);

    bool enabled_ = false;
    std::shared_ptr<int> observer_;
    std::weak_ptr<UIView> edited_;
    std::weak_ptr<UIView> moved_;
    CGFloat shift_ = 0;
};
