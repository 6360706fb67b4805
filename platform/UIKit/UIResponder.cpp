#include "UIKit/UIResponder.h"

#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace {
std::weak_ptr<UIResponder>& firstResponder() {
    static std::weak_ptr<UIResponder> current;
    return current;
}
} // namespace

UIResponder::~UIResponder() = default;

bool UIResponder::becomeFirstResponder() {
    if (isFirstResponder())
        return true;
    if (!canBecomeFirstResponder())
        return false;
    if (auto current = firstResponder().lock()) {
        if (!current->resignFirstResponder())
            return false;
    }
    firstResponder() = weak_from_this();
    didBecomeFirstResponder();
    return true;
}

bool UIResponder::resignFirstResponder() {
    if (!isFirstResponder())
        return true;
    if (!canResignFirstResponder())
        return false;
    firstResponder().reset();
    didResignFirstResponder();
    return true;
}

bool UIResponder::isFirstResponder() const {
    auto current = firstResponder().lock();
    return current && current.get() == this;
}

std::shared_ptr<UIResponder> UIResponder::currentFirstResponder() {
    return firstResponder().lock();
}

void UIResponder::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    if (auto next = nextResponder())
        next->touchesBegan(touches, event);
}
void UIResponder::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    if (auto next = nextResponder())
        next->touchesMoved(touches, event);
}
void UIResponder::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (auto next = nextResponder())
        next->touchesEnded(touches, event);
}
void UIResponder::touchesCancelled(const UITouchSet& touches, UIEvent* event) {
    if (auto next = nextResponder())
        next->touchesCancelled(touches, event);
}

std::string UIResponder::className() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    char* text = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && text ? text : mangled;
    std::free(text);
    return name;
}
