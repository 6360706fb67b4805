#pragma once

#include "UIKit/NSLayoutConstraint.h"

#include <memory>

// One attribute of a view or guide, to make constraints from. The axis types keep horizontal,
// vertical and size anchors from being mixed.
template <class Axis>
class NSLayoutAnchor {
  public:
    NSLayoutAnchor(std::weak_ptr<UILayoutItem> item, NSLayoutAttribute attribute)
        : item_(std::move(item)), attribute_(attribute) {}

    std::shared_ptr<UILayoutItem> item() const { return item_.lock(); }
    NSLayoutAttribute attribute() const { return attribute_; }

    // The constraints come back inactive.
    std::shared_ptr<NSLayoutConstraint> constraintEqualTo(const NSLayoutAnchor& other,
                                                          CGFloat constant = 0) const {
        return relate(NSLayoutRelation::equal, other, 1, constant);
    }
    std::shared_ptr<NSLayoutConstraint> constraintGreaterThanOrEqualTo(const NSLayoutAnchor& other,
                                                                       CGFloat constant = 0) const {
        return relate(NSLayoutRelation::greaterThanOrEqual, other, 1, constant);
    }
    std::shared_ptr<NSLayoutConstraint> constraintLessThanOrEqualTo(const NSLayoutAnchor& other,
                                                                    CGFloat constant = 0) const {
        return relate(NSLayoutRelation::lessThanOrEqual, other, 1, constant);
    }

  protected:
    std::shared_ptr<NSLayoutConstraint> relate(NSLayoutRelation relation,
                                               const NSLayoutAnchor& other, CGFloat multiplier,
                                               CGFloat constant) const {
        return NSLayoutConstraint::make(item(), attribute_, relation, other.item(),
                                        other.attribute_, multiplier, constant);
    }

    std::weak_ptr<UILayoutItem> item_;
    NSLayoutAttribute attribute_;
};

struct NSLayoutXAxis {};
struct NSLayoutYAxis {};
struct NSLayoutSizeAxis {};

using NSLayoutXAxisAnchor = NSLayoutAnchor<NSLayoutXAxis>;
using NSLayoutYAxisAnchor = NSLayoutAnchor<NSLayoutYAxis>;

// A width or height: it can also be fixed, or made a multiple of another size.
class NSLayoutDimension : public NSLayoutAnchor<NSLayoutSizeAxis> {
  public:
    using NSLayoutAnchor<NSLayoutSizeAxis>::NSLayoutAnchor;
    using NSLayoutAnchor<NSLayoutSizeAxis>::constraintEqualTo;
    using NSLayoutAnchor<NSLayoutSizeAxis>::constraintGreaterThanOrEqualTo;
    using NSLayoutAnchor<NSLayoutSizeAxis>::constraintLessThanOrEqualTo;

    std::shared_ptr<NSLayoutConstraint> constraintEqualToConstant(CGFloat constant) const {
        return fixed(NSLayoutRelation::equal, constant);
    }
    std::shared_ptr<NSLayoutConstraint>
    constraintGreaterThanOrEqualToConstant(CGFloat constant) const {
        return fixed(NSLayoutRelation::greaterThanOrEqual, constant);
    }
    std::shared_ptr<NSLayoutConstraint>
    constraintLessThanOrEqualToConstant(CGFloat constant) const {
        return fixed(NSLayoutRelation::lessThanOrEqual, constant);
    }
    std::shared_ptr<NSLayoutConstraint>
    constraintEqualTo(const NSLayoutDimension& other, CGFloat multiplier, CGFloat constant) const {
        return relate(NSLayoutRelation::equal, other, multiplier, constant);
    }
    std::shared_ptr<NSLayoutConstraint>
    constraintGreaterThanOrEqualTo(const NSLayoutDimension& other, CGFloat multiplier,
                                   CGFloat constant) const {
        return relate(NSLayoutRelation::greaterThanOrEqual, other, multiplier, constant);
    }
    std::shared_ptr<NSLayoutConstraint> constraintLessThanOrEqualTo(const NSLayoutDimension& other,
                                                                    CGFloat multiplier,
                                                                    CGFloat constant) const {
        return relate(NSLayoutRelation::lessThanOrEqual, other, multiplier, constant);
    }

  private:
    std::shared_ptr<NSLayoutConstraint> fixed(NSLayoutRelation relation, CGFloat constant) const {
        return NSLayoutConstraint::make(item(), attribute_, relation, nullptr,
                                        NSLayoutAttribute::notAnAttribute, 1, constant);
    }
};
