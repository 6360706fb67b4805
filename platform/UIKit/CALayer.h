#pragma once

#include "UIKit/CAAnimation.h"
#include "UIKit/CGAffineTransform.h"
#include "UIKit/CGGeometry.h"
#include "UIKit/CGPath.h"
#include "UIKit/UIColor.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class UIImage;
class UIView;

// The corners a layer rounds, as bits: top-left 1, top-right 2, bottom-left 4, bottom-right 8.
using CACornerMask = uint32_t;
constexpr CACornerMask kCALayerMinXMinYCorner = 1;
constexpr CACornerMask kCALayerMaxXMinYCorner = 2;
constexpr CACornerMask kCALayerMinXMaxYCorner = 4;
constexpr CACornerMask kCALayerMaxXMaxYCorner = 8;
constexpr CACornerMask kCALayerAllCorners = 15;

enum class CALayerContentsGravity {
    resize,
    resizeAspect,
    resizeAspectFill,
    center,
    top,
    bottom,
    left,
    right
};

// Everything a renderer needs to draw one rectangle of the scene: geometry, colours,
// corners, border, shadow, mask, contents and sublayers, with the animations attached to
// it by key. A view's layer reports the view as its owner, so the renderer can draw the
// view's own content (text, images) at the right place in the tree.
class CALayer : public std::enable_shared_from_this<CALayer> {
  public:
    CALayer() = default;
    // Copies the properties and the sublayer list, not the superlayer or the animations.
    CALayer(const CALayer& other);
    virtual ~CALayer();

    static std::shared_ptr<CALayer> make() { return std::make_shared<CALayer>(); }
    // A copy of this layer (same kind, same sublayers) with no superlayer of its own.
    virtual std::shared_ptr<CALayer> copyLayer() const { return std::make_shared<CALayer>(*this); }

    // Geometry. The frame is derived from position, anchor point, bounds size and transform.
    CGRect bounds() const { return bounds_; }
    void setBounds(const CGRect& bounds) { bounds_ = bounds; }
    CGPoint position() const { return position_; }
    void setPosition(CGPoint position) { position_ = position; }
    CGPoint anchorPoint() const { return anchorPoint_; }
    void setAnchorPoint(CGPoint anchor) { anchorPoint_ = anchor; }
    CGRect frame() const;
    // Sets position and bounds size; the transform is not taken into account.
    void setFrame(const CGRect& frame);
    CGAffineTransform affineTransform() const { return transform_; }
    void setAffineTransform(const CGAffineTransform& t) { transform_ = t; }
    CGFloat zPosition = 0;

    // Converts a point of this layer's space into the superlayer's, and back.
    CGPoint convertToSuperlayer(CGPoint p) const;
    CGPoint convertFromSuperlayer(CGPoint p) const;

    // Appearance.
    float opacity = 1;
    bool isHidden = false;
    bool masksToBounds = false;
    std::optional<UIColor> backgroundColor;
    CGFloat cornerRadius = 0;
    CACornerMask maskedCorners = kCALayerAllCorners;
    CGFloat borderWidth = 0;
    std::optional<UIColor> borderColor = UIColor::black();
    std::optional<UIColor> shadowColor = UIColor::black();
    float shadowOpacity = 0;
    CGSize shadowOffset{0, -3};
    CGFloat shadowRadius = 3;
    std::optional<CGPath> shadowPath;
    bool shouldRasterize = false;
    CGFloat rasterizationScale = 1;
    std::shared_ptr<UIImage> contents;
    CALayerContentsGravity contentsGravity = CALayerContentsGravity::resize;
    CGFloat contentsScale = 1;
    std::shared_ptr<CALayer> mask;
    std::string name;

    // The tree.
    std::shared_ptr<CALayer> superlayer() const { return superlayer_.lock(); }
    const std::vector<std::shared_ptr<CALayer>>& sublayers() const { return sublayers_; }
    void addSublayer(const std::shared_ptr<CALayer>& layer);
    // An index past the end appends.
    void insertSublayer(const std::shared_ptr<CALayer>& layer, size_t index);
    // A sibling that is not a sublayer appends (below) or appends (above).
    void insertSublayer(const std::shared_ptr<CALayer>& layer,
                        const std::shared_ptr<CALayer>& below, bool above = false);
    void insertSublayerBelow(const std::shared_ptr<CALayer>& layer,
                             const std::shared_ptr<CALayer>& sibling) {
        insertSublayer(layer, sibling, false);
    }
    void insertSublayerAbove(const std::shared_ptr<CALayer>& layer,
                             const std::shared_ptr<CALayer>& sibling) {
        insertSublayer(layer, sibling, true);
    }
    void replaceSublayer(const std::shared_ptr<CALayer>& old,
                         const std::shared_ptr<CALayer>& replacement);
    void removeFromSuperlayer();

    // The view whose layer this is, or none.
    UIView* owningView() const { return owningView_; }
    void setOwningView(UIView* view) { owningView_ = view; }

    bool needsDisplay() const { return needsDisplay_; }
    void setNeedsDisplay() { needsDisplay_ = true; }
    void displayIfNeeded() { needsDisplay_ = false; }

    // Animations. Adding stores a copy under the key (replacing one already there) and starts
    // it now when its beginTime is 0. It stays until it ends (unless isRemovedOnCompletion is
    // off) or is removed.
    void addAnimation(const std::shared_ptr<CAAnimation>& animation, const std::string& key);
    std::shared_ptr<CAAnimation> animation(const std::string& key) const;
    std::vector<std::string> animationKeys() const;
    void removeAnimation(const std::string& key);
    void removeAllAnimations();

    // Key-value access to the animatable properties ("opacity", "position", "bounds",
    // "transform", "transform.scale", "transform.translation.x", "cornerRadius", ...).
    virtual std::optional<CAAnimationValue> valueForKeyPath(const std::string& keyPath) const;
    // False for a key path this layer does not have or a value of the wrong kind.
    virtual bool setValueForKeyPath(const std::string& keyPath, const CAAnimationValue& value);

    // A copy showing what is on screen at `time`: the model with every running animation's
    // values applied, later animations winning.
    std::shared_ptr<CALayer> presentationLayer(double time) const;
    std::shared_ptr<CALayer> presentationLayer() const;

  private:
    void finishAnimation(const std::string& key, const std::shared_ptr<CAAnimation>& animation);
    void detach(const std::shared_ptr<CALayer>& layer);

    CGRect bounds_;
    CGPoint position_;
    CGPoint anchorPoint_{0.5, 0.5};
    CGAffineTransform transform_;
    std::weak_ptr<CALayer> superlayer_;
    std::vector<std::shared_ptr<CALayer>> sublayers_;
    std::vector<std::pair<std::string, std::shared_ptr<CAAnimation>>> animations_;
    UIView* owningView_ = nullptr;
    bool needsDisplay_ = false;
    uint64_t unnamedAnimations_ = 0;
};
