#include "UIKit/UICollectionViewCell.h"

UICollectionViewCell::UICollectionViewCell() : UICollectionViewCell(CGRect{0, 0, 50, 50}) {}

UICollectionViewCell::UICollectionViewCell(const CGRect& frame) : UIView(frame) {
    contentView_ = UIView::make(bounds());
    contentView_->autoresizingMask =
        UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
}

const std::shared_ptr<UIView>& UICollectionViewCell::contentView() {
    attachContent();
    return contentView_;
}

void UICollectionViewCell::attachContent() {
    if (contentView_->superview().get() != this)
        insertSubview(contentView_, 0);
}

void UICollectionViewCell::setBackgroundView(std::shared_ptr<UIView> view) {
    if (backgroundView_)
        backgroundView_->removeFromSuperview();
    backgroundView_ = std::move(view);
    updateBackgrounds();
}

void UICollectionViewCell::setSelectedBackgroundView(std::shared_ptr<UIView> view) {
    if (selectedBackgroundView_)
        selectedBackgroundView_->removeFromSuperview();
    selectedBackgroundView_ = std::move(view);
    updateBackgrounds();
}

void UICollectionViewCell::setSelected(bool selected) {
    selected_ = selected;
    updateBackgrounds();
}

void UICollectionViewCell::setHighlighted(bool highlighted) {
    highlighted_ = highlighted;
    updateBackgrounds();
}

void UICollectionViewCell::updateBackgrounds() {
    attachContent();
    if (backgroundView_) {
        backgroundView_->setFrame(bounds());
        insertSubview(backgroundView_, 0);
    }
    if (selectedBackgroundView_) {
        selectedBackgroundView_->setFrame(bounds());
        insertSubviewBelow(selectedBackgroundView_, contentView_);
        selectedBackgroundView_->setHidden(!(selected_ || highlighted_));
    }
}

void UICollectionViewCell::layoutSubviews() {
    attachContent();
    contentView_->setFrame(bounds());
    if (backgroundView_)
        backgroundView_->setFrame(bounds());
    if (selectedBackgroundView_)
        selectedBackgroundView_->setFrame(bounds());
}
