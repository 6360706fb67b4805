#pragma once

#include "UIKit/NSLayoutAnchor.h"

#include <memory>

class UIView;

// What constraints are made between: a view or a layout guide.
class UILayoutItem {
  public:
    virtual ~UILayoutItem() = default;

    // The item as a shared pointer; views and guides always live in one.
    virtual std::shared_ptr<UILayoutItem> layoutItemPointer() const = 0;
    // The view whose tree the item belongs to: the view itself, or a guide's owner.
    virtual std::shared_ptr<UIView> layoutOwningView() const = 0;

    NSLayoutXAxisAnchor leadingAnchor() const { return {weak(), NSLayoutAttribute::leading}; }
    NSLayoutXAxisAnchor trailingAnchor() const { return {weak(), NSLayoutAttribute::trailing}; }
    NSLayoutXAxisAnchor leftAnchor() const { return {weak(), NSLayoutAttribute::left}; }
    NSLayoutXAxisAnchor rightAnchor() const { return {weak(), NSLayoutAttribute::right}; }
    NSLayoutXAxisAnchor centerXAnchor() const { return {weak(), NSLayoutAttribute::centerX}; }
    NSLayoutYAxisAnchor topAnchor() const { return {weak(), NSLayoutAttribute::top}; }
    NSLayoutYAxisAnchor bottomAnchor() const { return {weak(), NSLayoutAttribute::bottom}; }
    NSLayoutYAxisAnchor centerYAnchor() const { return {weak(), NSLayoutAttribute::centerY}; }
    NSLayoutDimension widthAnchor() const { return {weak(), NSLayoutAttribute::width}; }
    NSLayoutDimension heightAnchor() const { return {weak(), NSLayoutAttribute::height}; }

  private:
    std::weak_ptr<UILayoutItem> weak() const { return layoutItemPointer(); }
};
