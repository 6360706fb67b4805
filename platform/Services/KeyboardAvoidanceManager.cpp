#include "Services/KeyboardAvoidanceManager.h"

#include "Foundation/NotificationCenter.h"
#include "UIKit/UITextField.h"
#include "UIKit/UITextView.h"
#include "UIKit/UIView.h"

#include <algorithm>

namespace {

constexpr double moveDuration = 0.25;

// The view directly below the top of the tree that holds `view`; none when `view` is the top.
std::shared_ptr<UIView> topLevelHolder(UIView& view) {
    std::shared_ptr<UIView> current = view.sharedView();
    while (auto parent = current->superview()) {
        if (!parent->superview())
            return current;
        current = parent;
    }
    return nullptr;
}

void moveVertically(const std::shared_ptr<UIView>& view, CGFloat dy) {
    UIView::animate(moveDuration, 0, UIViewAnimationOptionBeginFromCurrentState, [&] {
        CGRect frame = view->frame();
        frame.origin.y += dy;
        view->setFrame(frame);
    });
}

} // namespace

KeyboardAvoidanceManager& KeyboardAvoidanceManager::shared() {
    static KeyboardAvoidanceManager manager;
    return manager;
}

void KeyboardAvoidanceManager::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled) {
        restore();
        edited_.reset();
        NotificationCenter::defaultCenter().removeObserver(observer_.get());
        observer_.reset();
        return;
    }
    observer_ = std::make_shared<int>(0);
    observe<UITextField>(UITextField::textDidBeginEditingNotification, true);
    observe<UITextField>(UITextField::textDidEndEditingNotification, false);
    observe<UITextView>(UITextView::textDidBeginEditingNotification, true);
    observe<UITextView>(UITextView::textDidEndEditingNotification, false);
}

// The inputs post themselves as their own type; each is turned into its view here.
template <class Input>
void KeyboardAvoidanceManager::observe(const char* name, bool begins) {
    NotificationCenter::defaultCenter().addObserver(
        observer_, name, [this, begins](const Notification& notification) {
            auto* input = const_cast<Input*>(static_cast<const Input*>(notification.object));
            if (!input)
                return;
            if (begins)
                beganEditing(*input);
            else
                endedEditing(*input);
        });
}

CGFloat KeyboardAvoidanceManager::keyboardHeightFor(const UIView& view) {
    return view.traitCollection().userInterfaceIdiom == UIUserInterfaceIdiom::pad
               ? padKeyboardHeight
               : phoneKeyboardHeight;
}

std::optional<CGRect> KeyboardAvoidanceManager::keyboardFrame() const {
    auto input = edited_.lock();
    if (!enabled_ || !input)
        return std::nullopt;
    CGRect screen = input->rootView()->bounds();
    CGFloat height = std::min(keyboardHeightFor(*input), screen.height());
    return CGRect{screen.minX(), screen.maxY() - height, screen.width(), height};
}

void KeyboardAvoidanceManager::beganEditing(UIView& input) {
    restore();
    if (input.weak_from_this().expired())
        return;
    edited_ = input.sharedView();
    auto holder = topLevelHolder(input);
    auto keyboard = keyboardFrame();
    if (!holder || !keyboard)
        return;
    auto root = input.rootView();
    CGRect inRoot = input.convertRectTo(input.bounds(), root.get());
    CGFloat needed = inRoot.maxY() + keyboardDistanceFromTextField - keyboard->minY();
    CGFloat room = inRoot.minY() - root->safeAreaInsets().top;
    CGFloat shift = std::clamp(needed, 0.0, std::max(room, 0.0));
    if (shift <= 0)
        return;
    moved_ = holder;
    shift_ = shift;
    moveVertically(holder, -shift);
}

void KeyboardAvoidanceManager::endedEditing(UIView& input) {
    auto edited = edited_.lock();
    if (edited && edited.get() != &input)
        return;
    restore();
    edited_.reset();
}

void KeyboardAvoidanceManager::restore() {
    if (auto moved = moved_.lock())
        moveVertically(moved, shift_);
    moved_.reset();
    shift_ = 0;
}
