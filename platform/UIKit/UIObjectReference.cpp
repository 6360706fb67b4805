#include "UIKit/UIObjectReference.h"

#include "UIKit/NSLayoutConstraint.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIGestureRecognizer.h"
#include "UIKit/UIView.h"

#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace {
std::string demangle(const std::type_info& type) {
    int status = 0;
    char* text = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && text ? text : type.name();
    std::free(text);
    return name;
}
} // namespace

std::string UIObjectReference::className() const {
    if (view)
        return view->className();
    if (controller)
        return controller->className();
    if (constraint)
        return demangle(typeid(*constraint));
    if (recognizer)
        return demangle(typeid(*recognizer));
    if (barButtonItem)
        return demangle(typeid(*barButtonItem));
    return "nothing";
}
