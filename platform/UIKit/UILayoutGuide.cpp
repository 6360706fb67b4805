#include "UIKit/UILayoutGuide.h"

#include "UIKit/UIView.h"

CGRect UILayoutGuide::layoutFrame() const {
    auto view = owningView();
    if (!view)
        return solvedFrame_;
    switch (kind_) {
    case Kind::safeArea:
        return view->safeAreaInsets().inset(view->bounds());
    case Kind::layoutMargins:
        return view->effectiveLayoutMargins().inset(view->bounds());
    case Kind::custom:
        break;
    }
    return solvedFrame_;
}

std::shared_ptr<UILayoutItem> UILayoutGuide::layoutItemPointer() const {
    return std::const_pointer_cast<UILayoutGuide>(shared_from_this());
}
