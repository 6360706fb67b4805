#pragma once

#include "UIKit/CGGeometry.h"

#include <memory>
#include <string>
#include <vector>

class UILayoutItem;
class UIView;

enum class NSLayoutAttribute {
    notAnAttribute,
    left,
    right,
    top,
    bottom,
    leading,
    trailing,
    width,
    height,
    centerX,
    centerY,
};

enum class NSLayoutRelation { lessThanOrEqual = -1, equal = 0, greaterThanOrEqual = 1 };

using UILayoutPriority = float;
constexpr UILayoutPriority UILayoutPriorityRequired = 1000;
constexpr UILayoutPriority UILayoutPriorityDefaultHigh = 750;
constexpr UILayoutPriority UILayoutPriorityDefaultLow = 250;
constexpr UILayoutPriority UILayoutPriorityFittingSizeLevel = 50;

// firstItem.firstAttribute (relation) multiplier × secondItem.secondAttribute + constant.
// Items are views or layout guides, held weakly. An active constraint is kept by the closest
// common ancestor of its items' views and takes part in that tree's layout.
class NSLayoutConstraint : public std::enable_shared_from_this<NSLayoutConstraint> {
  public:
    static std::shared_ptr<NSLayoutConstraint>
    make(const std::shared_ptr<UILayoutItem>& firstItem, NSLayoutAttribute firstAttribute,
         NSLayoutRelation relation, const std::shared_ptr<UILayoutItem>& secondItem,
         NSLayoutAttribute secondAttribute, CGFloat multiplier = 1, CGFloat constant = 0);

    std::shared_ptr<UILayoutItem> firstItem() const { return first_.lock(); }
    std::shared_ptr<UILayoutItem> secondItem() const { return second_.lock(); }
    NSLayoutAttribute firstAttribute() const { return firstAttribute_; }
    NSLayoutAttribute secondAttribute() const { return secondAttribute_; }
    NSLayoutRelation relation() const { return relation_; }
    CGFloat multiplier() const { return multiplier_; }

    CGFloat constant() const { return constant_; }
    void setConstant(CGFloat constant);
    UILayoutPriority priority() const { return priority_; }
    void setPriority(UILayoutPriority priority);

    bool isActive() const { return !holder_.expired(); }
    void setActive(bool active);
    // The view that keeps the constraint while it is active.
    std::shared_ptr<UIView> holder() const { return holder_.lock(); }

    std::string identifier;

    static void activate(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);
    static void deactivate(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);

    // The view an item belongs to: the view itself, or a guide's owning view.
    static std::shared_ptr<UIView> viewOf(const std::shared_ptr<UILayoutItem>& item);
    // Marks the items' views as needing layout.
    void invalidate() const;

  private:
    friend class UIView;
    NSLayoutConstraint() = default;
    // Called by the view that stops keeping it.
    void clearHolder() { holder_.reset(); }
    void setHolder(const std::shared_ptr<UIView>& view) { holder_ = view; }

    std::weak_ptr<UILayoutItem> first_;
    std::weak_ptr<UILayoutItem> second_;
    NSLayoutAttribute firstAttribute_ = NSLayoutAttribute::notAnAttribute;
    NSLayoutAttribute secondAttribute_ = NSLayoutAttribute::notAnAttribute;
    NSLayoutRelation relation_ = NSLayoutRelation::equal;
    CGFloat multiplier_ = 1;
    CGFloat constant_ = 0;
    UILayoutPriority priority_ = UILayoutPriorityRequired;
    std::weak_ptr<UIView> holder_;
};
