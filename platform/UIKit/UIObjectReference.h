#pragma once

#include <memory>
#include <string>

class NSLayoutConstraint;
class UIBarButtonItem;
class UIGestureRecognizer;
class UIResponder;
class UIView;

// One object of a storyboard or interface file, as an outlet receives it or an action's
// sender is passed: a view, a constraint, a gesture recognizer, a bar button item or a
// controller. Exactly one is set.
struct UIObjectReference {
    std::shared_ptr<UIView> view;
    std::shared_ptr<NSLayoutConstraint> constraint;
    std::shared_ptr<UIGestureRecognizer> recognizer;
    std::shared_ptr<UIBarButtonItem> barButtonItem;
    std::shared_ptr<UIResponder> controller;

    // The dynamic class name of the object ("UIButton", "NSLayoutConstraint").
    std::string className() const;
    bool empty() const {
        return !view && !constraint && !recognizer && !barButtonItem && !controller;
    }
};
