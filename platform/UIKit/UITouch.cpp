#include "UIKit/UITouch.h"

#include "UIKit/UIView.h"

namespace {
CGPoint fromRoot(const std::weak_ptr<UIView>& root, CGPoint p, const UIView* view) {
    auto r = root.lock();
    if (!view || !r)
        return p;
    return view->convertPointFrom(p, r.get());
}
} // namespace

CGPoint UITouch::location(const UIView* view) const {
    return fromRoot(root_, location_, view);
}

CGPoint UITouch::previousLocation(const UIView* view) const {
    return fromRoot(root_, previous_, view);
}
