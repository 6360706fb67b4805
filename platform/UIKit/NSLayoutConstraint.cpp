#include "UIKit/NSLayoutConstraint.h"

#include "UIKit/UILayoutItem.h"
#include "UIKit/UIView.h"

#include <cmath>

std::shared_ptr<NSLayoutConstraint>
NSLayoutConstraint::make(const std::shared_ptr<UILayoutItem>& firstItem,
                         NSLayoutAttribute firstAttribute, NSLayoutRelation relation,
                         const std::shared_ptr<UILayoutItem>& secondItem,
                         NSLayoutAttribute secondAttribute, CGFloat multiplier, CGFloat constant) {
    std::shared_ptr<NSLayoutConstraint> c(new NSLayoutConstraint);
    c->first_ = firstItem;
    c->second_ = secondAttribute == NSLayoutAttribute::notAnAttribute ? nullptr : secondItem;
    c->firstAttribute_ = firstAttribute;
    c->secondAttribute_ =
        c->second_.expired() ? NSLayoutAttribute::notAnAttribute : secondAttribute;
    c->relation_ = relation;
    c->multiplier_ = multiplier;
    c->constant_ = constant;
    return c;
}

std::shared_ptr<UIView> NSLayoutConstraint::viewOf(const std::shared_ptr<UILayoutItem>& item) {
    return item ? item->layoutOwningView() : nullptr;
}

void NSLayoutConstraint::invalidate() const {
    for (auto item : {firstItem(), secondItem()}) {
        auto view = viewOf(item);
        if (!view)
            continue;
        view->setNeedsLayout();
        if (auto s = view->superview())
            s->setNeedsLayout();
    }
}

void NSLayoutConstraint::setConstant(CGFloat constant) {
    if (constant == constant_ || !std::isfinite(constant))
        return;
    constant_ = constant;
    invalidate();
}

void NSLayoutConstraint::setPriority(UILayoutPriority priority) {
    priority_ = std::fmax(1.0f, std::fmin(priority, UILayoutPriorityRequired));
    invalidate();
}

namespace {
// The closest view that is both views or one of their ancestors.
std::shared_ptr<UIView> commonAncestor(const std::shared_ptr<UIView>& a,
                                       const std::shared_ptr<UIView>& b) {
    if (!b)
        return a;
    for (auto v = a; v; v = v->superview()) {
        if (b->isDescendant(*v))
            return v;
    }
    return nullptr;
}
} // namespace

void NSLayoutConstraint::setActive(bool active) {
    if (active == isActive())
        return;
    if (!active) {
        if (auto h = holder())
            h->removeConstraint(shared_from_this());
        return;
    }
    auto a = viewOf(firstItem());
    auto b = viewOf(secondItem());
    if (!a)
        return;
    // Items not yet in one tree: the first item's view keeps it until they are.
    auto holder = commonAncestor(a, b);
    (holder ? holder : a)->addConstraint(shared_from_this());
}

void NSLayoutConstraint::activate(const std::vector<std::shared_ptr<NSLayoutConstraint>>& list) {
    for (auto& c : list) {
        if (c)
            c->setActive(true);
    }
}

void NSLayoutConstraint::deactivate(const std::vector<std::shared_ptr<NSLayoutConstraint>>& list) {
    for (auto& c : list) {
        if (c)
            c->setActive(false);
    }
}
