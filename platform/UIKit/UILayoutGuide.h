#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UILayoutItem.h"

#include <memory>
#include <string>

// A rectangle in a view that constraints can use without a view of its own. The safe-area and
// layout-margins guides follow their view's bounds and insets; any other guide is placed by
// the constraints on it.
class UILayoutGuide : public UILayoutItem, public std::enable_shared_from_this<UILayoutGuide> {
  public:
    enum class Kind { custom, safeArea, layoutMargins };

    explicit UILayoutGuide(Kind kind = Kind::custom) : kind_(kind) {}
    static std::shared_ptr<UILayoutGuide> make() { return std::make_shared<UILayoutGuide>(); }

    Kind kind() const { return kind_; }
    std::shared_ptr<UIView> owningView() const { return owner_.lock(); }
    // In the owning view's coordinates.
    CGRect layoutFrame() const;
    std::string identifier;
    // Where the layout engine placed a custom guide.
    void setSolvedFrame(const CGRect& frame) { solvedFrame_ = frame; }

    std::shared_ptr<UILayoutItem> layoutItemPointer() const override;
    std::shared_ptr<UIView> layoutOwningView() const override { return owningView(); }

  private:
    friend class UIView;
    Kind kind_;
    std::weak_ptr<UIView> owner_;
    CGRect solvedFrame_;
};
