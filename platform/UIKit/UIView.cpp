#include "UIKit/UIView.h"

#include "Foundation/RunLoop.h"
#include "UIKit/NSLayoutEngine.h"
#include "UIKit/UIGestureRecognizer.h"
#include "UIKit/UILayoutGuide.h"
#include "UIKit/UIViewAnimationContext.h"

#include <algorithm>
#include <cstdio>

namespace {

// Views marked for layout, laid out together on the next turn of the main run loop.
struct PendingLayout {
    std::vector<std::weak_ptr<UIView>> views;
    bool posted = false;
};

PendingLayout& pendingLayout() {
    static PendingLayout pending;
    return pending;
}

void runPendingLayout() {
    auto views = std::move(pendingLayout().views);
    pendingLayout().views.clear();
    pendingLayout().posted = false;
    for (auto& weak : views) {
        if (auto view = weak.lock())
            view->layoutIfNeeded();
    }
}

// Moves one axis of a view whose superview's length changed from `oldLength` to
// `newLength`: the flexible parts (margin before, length, margin after) share the change in
// proportion to their sizes, or evenly when they are all empty.
void autoresizeAxis(CGFloat& start, CGFloat& length, CGFloat oldLength, CGFloat newLength,
                    bool flexBefore, bool flexLength, bool flexAfter) {
    CGFloat parts[3] = {start, length, oldLength - start - length};
    bool flex[3] = {flexBefore, flexLength, flexAfter};
    int count = 0;
    CGFloat sum = 0;
    for (int i = 0; i < 3; ++i) {
        if (!flex[i])
            continue;
        ++count;
        sum += parts[i];
    }
    if (count == 0)
        return;
    CGFloat delta = newLength - oldLength;
    for (int i = 0; i < 3; ++i) {
        if (flex[i])
            parts[i] += delta * (sum > 0 ? parts[i] / sum : 1.0 / count);
    }
    start = parts[0];
    length = parts[1];
}

} // namespace

UIView::UIView() : UIView(CGRect{}) {}

UIView::UIView(const CGRect& frame) : UIView(frame, CALayer::make()) {}

UIView::UIView(const CGRect& frame, std::shared_ptr<CALayer> layer) : layer_(std::move(layer)) {
    layer_->setOwningView(this);
    layer_->setFrame(frame);
}

UIView::~UIView() {
    layer_->setOwningView(nullptr);
    for (auto& subview : subviews_)
        subview->superview_.reset();
    for (auto& c : constraints_)
        c->clearHolder();
}

std::shared_ptr<UIView> UIView::make(const CGRect& frame) {
    return std::make_shared<UIView>(frame);
}

// Geometry.

void UIView::setFrame(const CGRect& frame) {
    CGSize old = bounds().size;
    if (frame == this->frame())
        return;
    willChangeAnimatable("position");
    willChangeAnimatable("bounds");
    layer_->setFrame(frame);
    sizeDidChange(old);
}

void UIView::setBounds(const CGRect& bounds) {
    CGSize old = this->bounds().size;
    if (bounds == this->bounds())
        return;
    willChangeAnimatable("bounds");
    layer_->setBounds(bounds);
    sizeDidChange(old);
}

void UIView::setCenter(CGPoint center) {
    if (center == this->center())
        return;
    willChangeAnimatable("position");
    layer_->setPosition(center);
    if (auto s = superview())
        s->setNeedsLayout();
}

void UIView::setTransform(const CGAffineTransform& transform) {
    if (transform == this->transform())
        return;
    willChangeAnimatable("transform");
    layer_->setAffineTransform(transform);
}

void UIView::sizeDidChange(CGSize oldSize) {
    if (oldSize == bounds().size) {
        if (auto s = superview())
            s->setNeedsLayout();
        return;
    }
    setNeedsLayout();
    if (auto s = superview())
        s->setNeedsLayout();
    if (autoresizesSubviews)
        resizeSubviews(oldSize);
}

void UIView::resizeSubviews(CGSize oldSize) {
    CGSize size = bounds().size;
    for (auto& sub : subviews_) {
        uint32_t m = sub->autoresizingMask;
        if (!sub->translatesMask_ || m == UIViewAutoresizingNone)
            continue;
        CGRect b = sub->bounds();
        CGPoint c = sub->center();
        CGFloat x = c.x - b.size.width / 2, w = b.size.width;
        CGFloat y = c.y - b.size.height / 2, h = b.size.height;
        autoresizeAxis(x, w, oldSize.width, size.width, m & UIViewAutoresizingFlexibleLeftMargin,
                       m & UIViewAutoresizingFlexibleWidth,
                       m & UIViewAutoresizingFlexibleRightMargin);
        autoresizeAxis(y, h, oldSize.height, size.height, m & UIViewAutoresizingFlexibleTopMargin,
                       m & UIViewAutoresizingFlexibleHeight,
                       m & UIViewAutoresizingFlexibleBottomMargin);
        CGSize oldSub = b.size;
        sub->willChangeAnimatable("position");
        sub->willChangeAnimatable("bounds");
        sub->layer_->setBounds({b.origin, {w, h}});
        sub->layer_->setPosition({x + w / 2, y + h / 2});
        sub->sizeDidChange(oldSub);
    }
}

// The tree.

void UIView::addSubview(const std::shared_ptr<UIView>& view) {
    attachSubview(view, subviews_.size());
}

void UIView::insertSubview(const std::shared_ptr<UIView>& view, size_t index) {
    attachSubview(view, index);
}

void UIView::insertSubviewBelow(const std::shared_ptr<UIView>& view,
                                const std::shared_ptr<UIView>& sibling) {
    auto it = std::find(subviews_.begin(), subviews_.end(), sibling);
    attachSubview(view, it == subviews_.end() ? 0 : static_cast<size_t>(it - subviews_.begin()));
}

void UIView::insertSubviewAbove(const std::shared_ptr<UIView>& view,
                                const std::shared_ptr<UIView>& sibling) {
    auto it = std::find(subviews_.begin(), subviews_.end(), sibling);
    attachSubview(view, it == subviews_.end() ? subviews_.size()
                                              : static_cast<size_t>(it - subviews_.begin()) + 1);
}

void UIView::attachSubview(const std::shared_ptr<UIView>& view, size_t index) {
    if (!view || view.get() == this || isDescendant(*view))
        return;
    auto keepAlive = view;
    bool moving = view->superview().get() == this;
    if (moving) {
        auto at = static_cast<size_t>(std::find(subviews_.begin(), subviews_.end(), view) -
                                      subviews_.begin());
        if (at < index)
            --index;
        subviews_.erase(subviews_.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
        if (view->superview())
            view->removeFromSuperview();
        view->willMoveToSuperview(this);
    }
    index = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
    // The layer goes on top, or just below the layer of the subview that now follows it, so
    // layers the view's own code added stay where they were.
    if (index + 1 < subviews_.size())
        layer_->insertSublayerBelow(view->layer_, subviews_[index + 1]->layer_);
    else
        layer_->addSublayer(view->layer_);
    view->superview_ = sharedView();
    if (!moving) {
        view->didMoveToSuperview();
        didAddSubview(*view);
    }
    view->setNeedsLayout();
    setNeedsLayout();
}

void UIView::bringSubviewToFront(const std::shared_ptr<UIView>& view) {
    if (view && view->superview().get() == this)
        attachSubview(view, subviews_.size());
}

void UIView::sendSubviewToBack(const std::shared_ptr<UIView>& view) {
    if (view && view->superview().get() == this)
        attachSubview(view, 0);
}

void UIView::exchangeSubview(size_t i, size_t j) {
    if (i >= subviews_.size() || j >= subviews_.size() || i == j)
        return;
    if (i > j)
        std::swap(i, j);
    auto a = subviews_[i], b = subviews_[j];
    attachSubview(b, i);
    attachSubview(a, j + 1);
}

void UIView::removeFromSuperview() {
    auto sup = superview();
    if (!sup)
        return;
    auto self = sharedView();
    sup->willRemoveSubview(*this);
    deactivateConstraintsCrossing(*sup->rootView());
    if (auto responder = UIResponder::currentFirstResponder()) {
        auto view = std::dynamic_pointer_cast<UIView>(responder);
        if (view && (view.get() == this || view->isDescendant(*this)))
            view->resignFirstResponder();
    }
    willMoveToSuperview(nullptr);
    auto& list = sup->subviews_;
    list.erase(std::remove(list.begin(), list.end(), self), list.end());
    layer_->removeFromSuperlayer();
    superview_.reset();
    didMoveToSuperview();
    sup->setNeedsLayout();
}

void UIView::deactivateConstraintsCrossing(UIView& root) {
    std::vector<std::shared_ptr<NSLayoutConstraint>> all;
    root.collectConstraints(all);
    auto inside = [&](const std::shared_ptr<UILayoutItem>& item) {
        auto view = NSLayoutConstraint::viewOf(item);
        return view && (view.get() == this || view->isDescendant(*this));
    };
    for (auto& c : all) {
        auto first = c->firstItem(), second = c->secondItem();
        if (!second)
            continue;
        if (inside(first) != inside(second))
            c->setActive(false);
    }
}

void UIView::collectConstraints(std::vector<std::shared_ptr<NSLayoutConstraint>>& out) const {
    out.insert(out.end(), constraints_.begin(), constraints_.end());
    for (auto& sub : subviews_)
        sub->collectConstraints(out);
}

bool UIView::isDescendant(const UIView& view) const {
    for (auto v = superview(); v; v = v->superview()) {
        if (v.get() == &view)
            return true;
    }
    return this == &view;
}

std::shared_ptr<UIView> UIView::viewWithTag(int wanted) {
    if (tag == wanted)
        return sharedView();
    for (auto& sub : subviews_) {
        if (auto found = sub->viewWithTag(wanted))
            return found;
    }
    return nullptr;
}

std::shared_ptr<UIView> UIView::rootView() {
    auto view = sharedView();
    while (auto s = view->superview())
        view = s;
    return view;
}

// Appearance.

void UIView::setHidden(bool hidden) {
    if (hidden == isHidden())
        return;
    layer_->isHidden = hidden;
    if (hidden)
        endEditing(true);
}

void UIView::setAlpha(CGFloat alpha) {
    CGFloat value = std::clamp(alpha, 0.0, 1.0);
    if (value == this->alpha())
        return;
    willChangeAnimatable("opacity");
    alpha_ = value;
    layer_->opacity = static_cast<float>(value);
}

void UIView::setBackgroundColor(const std::optional<UIColor>& color) {
    willChangeAnimatable("backgroundColor");
    layer_->backgroundColor = color;
}

UIColor UIView::tintColor() const {
    for (const UIView* v = this; v;) {
        if (v->tint_)
            return *v->tint_;
        auto s = v->superview_.lock();
        v = s.get();
    }
    return UIColor::systemBlue();
}

void UIView::setTintColor(const std::optional<UIColor>& color) {
    tint_ = color;
    setNeedsDisplay();
}

UITraitCollection UIView::traitCollection() const {
    UITraitCollection traits = UITraitCollection::current();
    for (const UIView* v = this; v;) {
        if (v->overrideUserInterfaceStyle != UIUserInterfaceStyle::unspecified) {
            traits.userInterfaceStyle = v->overrideUserInterfaceStyle;
            break;
        }
        auto s = v->superview_.lock();
        v = s.get();
    }
    return traits;
}

// Layout.

void UIView::setNeedsLayout() {
    needsLayout_ = true;
    scheduleLayout();
}

void UIView::scheduleLayout() {
    auto weak = weak_from_this();
    if (weak.expired())
        return;
    auto& pending = pendingLayout();
    pending.views.push_back(std::static_pointer_cast<UIView>(weak.lock()));
    if (pending.posted)
        return;
    pending.posted = true;
    RunLoop::main().post(runPendingLayout);
}

bool UIView::treeNeedsLayout() const {
    if (needsLayout_)
        return true;
    return std::any_of(subviews_.begin(), subviews_.end(),
                       [](const auto& sub) { return sub->treeNeedsLayout(); });
}

void UIView::layoutIfNeeded() {
    UIView* root = this;
    while (auto s = root->superview_.lock())
        root = s.get();
    for (int pass = 0; pass < 4 && root->treeNeedsLayout(); ++pass) {
        NSLayoutEngine::layout(*root);
        root->runLayoutPass();
    }
}

void UIView::runLayoutPass() {
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    auto list = subviews_;
    for (auto& sub : list)
        sub->runLayoutPass();
}

CGSize UIView::sizeThatFits(CGSize) const {
    return bounds().size;
}

void UIView::sizeToFit() {
    CGRect f = frame();
    f.size = sizeThatFits(bounds().size);
    setFrame(f);
}

void UIView::setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
    translatesMask_ = translates;
    setNeedsLayout();
}

void UIView::invalidateIntrinsicContentSize() {
    setNeedsLayout();
    if (auto s = superview())
        s->setNeedsLayout();
}

UILayoutPriority UIView::contentHuggingPriority(UILayoutConstraintAxis axis) const {
    return hugging_[axis == UILayoutConstraintAxis::vertical];
}

void UIView::setContentHuggingPriority(UILayoutPriority priority, UILayoutConstraintAxis axis) {
    hugging_[axis == UILayoutConstraintAxis::vertical] = priority;
    invalidateIntrinsicContentSize();
}

UILayoutPriority UIView::contentCompressionResistancePriority(UILayoutConstraintAxis axis) const {
    return compression_[axis == UILayoutConstraintAxis::vertical];
}

void UIView::setContentCompressionResistancePriority(UILayoutPriority priority,
                                                     UILayoutConstraintAxis axis) {
    compression_[axis == UILayoutConstraintAxis::vertical] = priority;
    invalidateIntrinsicContentSize();
}

void UIView::setLayoutMargins(const UIEdgeInsets& margins) {
    layoutMargins_ = margins;
    setNeedsLayout();
}

UIEdgeInsets UIView::effectiveLayoutMargins() const {
    if (!insetsLayoutMarginsFromSafeArea)
        return layoutMargins_;
    return layoutMargins_ + safeAreaInsets();
}

UIEdgeInsets UIView::safeAreaInsets() const {
    if (safeAreaInsets_)
        return *safeAreaInsets_;
    const UIView* root = this;
    while (auto s = root->superview_.lock())
        root = s.get();
    if (root == this || !root->safeAreaInsets_)
        return {};
    CGRect safe = convertRectFrom(root->safeAreaInsets_->inset(root->bounds()), root);
    CGRect b = bounds();
    return {std::max(0.0, safe.minY() - b.minY()), std::max(0.0, safe.minX() - b.minX()),
            std::max(0.0, b.maxY() - safe.maxY()), std::max(0.0, b.maxX() - safe.maxX())};
}

void UIView::setSafeAreaInsets(const UIEdgeInsets& insets) {
    safeAreaInsets_ = insets;
    setNeedsLayout();
}

std::shared_ptr<UILayoutGuide> UIView::safeAreaLayoutGuide() {
    if (!safeAreaGuide_) {
        safeAreaGuide_ = std::make_shared<UILayoutGuide>(UILayoutGuide::Kind::safeArea);
        safeAreaGuide_->owner_ = sharedView();
        safeAreaGuide_->identifier = "UIViewSafeAreaLayoutGuide";
    }
    return safeAreaGuide_;
}

std::shared_ptr<UILayoutGuide> UIView::layoutMarginsGuide() {
    if (!marginsGuide_) {
        marginsGuide_ = std::make_shared<UILayoutGuide>(UILayoutGuide::Kind::layoutMargins);
        marginsGuide_->owner_ = sharedView();
        marginsGuide_->identifier = "UIViewLayoutMarginsGuide";
    }
    return marginsGuide_;
}

void UIView::addLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide) {
    if (!guide || std::find(guides_.begin(), guides_.end(), guide) != guides_.end())
        return;
    if (auto old = guide->owningView())
        old->removeLayoutGuide(guide);
    guide->owner_ = sharedView();
    guides_.push_back(guide);
    setNeedsLayout();
}

void UIView::removeLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide) {
    auto it = std::find(guides_.begin(), guides_.end(), guide);
    if (it == guides_.end())
        return;
    guides_.erase(it);
    guide->owner_.reset();
    setNeedsLayout();
}

void UIView::addConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint) {
    if (!constraint)
        return;
    if (auto old = constraint->holder()) {
        if (old.get() == this)
            return;
        old->removeConstraint(constraint);
    }
    constraints_.push_back(constraint);
    constraint->setHolder(sharedView());
    constraint->invalidate();
    setNeedsLayout();
}

void UIView::addConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& list) {
    for (auto& c : list)
        addConstraint(c);
}

void UIView::removeConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint) {
    auto it = std::find(constraints_.begin(), constraints_.end(), constraint);
    if (it == constraints_.end())
        return;
    auto keep = *it;
    constraints_.erase(it);
    keep->clearHolder();
    keep->invalidate();
    setNeedsLayout();
}

void UIView::removeConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& list) {
    for (auto& c : list)
        removeConstraint(c);
}

std::vector<std::shared_ptr<NSLayoutConstraint>> UIView::constraintsAffectingLayout() const {
    const UIView* root = this;
    while (auto s = root->superview_.lock())
        root = s.get();
    std::vector<std::shared_ptr<NSLayoutConstraint>> all, mine;
    root->collectConstraints(all);
    for (auto& c : all) {
        auto a = NSLayoutConstraint::viewOf(c->firstItem());
        auto b = NSLayoutConstraint::viewOf(c->secondItem());
        if (a.get() == this || b.get() == this)
            mine.push_back(c);
    }
    return mine;
}

CGSize UIView::systemLayoutSizeFitting(CGSize target, UILayoutPriority horizontal,
                                       UILayoutPriority vertical) {
    return NSLayoutEngine::fittingSize(*this, target, horizontal, vertical);
}

std::shared_ptr<UILayoutItem> UIView::layoutItemPointer() const {
    return std::const_pointer_cast<UIView>(sharedView());
}

std::shared_ptr<UIView> UIView::layoutOwningView() const {
    return std::const_pointer_cast<UIView>(sharedView());
}

// Hit-testing and coordinates.

std::shared_ptr<UIView> UIView::hitTest(CGPoint point, UIEvent* event) {
    if (isHidden() || !userInteraction_ || alpha() < 0.01)
        return nullptr;
    if (!pointInside(point, event))
        return nullptr;
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        auto sub = *it;
        if (auto hit = sub->hitTest(sub->layer_->convertFromSuperlayer(point), event))
            return hit;
    }
    return sharedView();
}

bool UIView::pointInside(CGPoint point, UIEvent*) const {
    return bounds().contains(point);
}

CGPoint UIView::convertPointTo(CGPoint point, const UIView* view) const {
    const UIView* v = this;
    while (auto s = v->superview_.lock()) {
        point = v->layer_->convertToSuperlayer(point);
        v = s.get();
    }
    if (!view)
        return point;
    return view->convertPointFrom(point, nullptr);
}

CGPoint UIView::convertPointFrom(CGPoint point, const UIView* view) const {
    if (view)
        point = view->convertPointTo(point, nullptr);
    std::vector<const UIView*> chain;
    for (const UIView* v = this;;) {
        auto s = v->superview_.lock();
        if (!s)
            break;
        chain.push_back(v);
        v = s.get();
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        point = (*it)->layer_->convertFromSuperlayer(point);
    return point;
}

CGRect UIView::convertRectTo(const CGRect& rect, const UIView* view) const {
    CGPoint a = convertPointTo({rect.minX(), rect.minY()}, view);
    CGPoint b = convertPointTo({rect.maxX(), rect.maxY()}, view);
    return CGRect{std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)};
}

CGRect UIView::convertRectFrom(const CGRect& rect, const UIView* view) const {
    CGPoint a = convertPointFrom({rect.minX(), rect.minY()}, view);
    CGPoint b = convertPointFrom({rect.maxX(), rect.maxY()}, view);
    return CGRect{std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)};
}

// Gesture recognizers.

void UIView::addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    if (!recognizer)
        return;
    if (auto old = recognizer->view()) {
        if (old.get() == this)
            return;
        old->removeGestureRecognizer(recognizer);
    }
    recognizers_.push_back(recognizer);
    recognizer->attach(sharedView());
}

void UIView::removeGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    auto it = std::find(recognizers_.begin(), recognizers_.end(), recognizer);
    if (it == recognizers_.end())
        return;
    auto keep = *it;
    recognizers_.erase(it);
    keep->attach(nullptr);
}

bool UIView::gestureRecognizerShouldBegin(UIGestureRecognizer&) {
    return true;
}

// Responders.

std::shared_ptr<UIResponder> UIView::nextResponder() const {
    if (auto controller = controller_.lock())
        return controller;
    return superview();
}

bool UIView::endEditing(bool force) {
    auto responder = std::dynamic_pointer_cast<UIView>(UIResponder::currentFirstResponder());
    if (!responder || !responder->isDescendant(*this))
        return true;
    bool resigned = responder->resignFirstResponder();
    (void)force;
    return resigned;
}

void UIView::willChangeAnimatable(const std::string& keyPath) {
    UIViewAnimationContext::recordChange(*this, keyPath);
}

std::string UIView::description() const {
    CGRect f = frame();
    char text[160];
    std::snprintf(text, sizeof text, "<%s: %p; frame = (%g %g; %g %g)", className().c_str(),
                  static_cast<const void*>(this), f.origin.x, f.origin.y, f.size.width,
                  f.size.height);
    std::string out = text;
    if (tag != 0)
        out += "; tag = " + std::to_string(tag);
    if (isHidden())
        out += "; hidden = YES";
    return out + ">";
}
