#include "UIKit/UIImageView.h"

UIImageView::UIImageView() : UIImageView(CGRect{}) {}

UIImageView::UIImageView(const CGRect& frame) : UIView(frame) {
    setUserInteractionEnabled(false);
    isOpaque = false;
}

UIImageView::UIImageView(std::shared_ptr<UIImage> image) : UIImageView(CGRect{}) {
    if (image)
        setFrame({0, 0, image->size().width, image->size().height});
    image_ = std::move(image);
}

void UIImageView::setImage(std::shared_ptr<UIImage> image) {
    if (image == image_)
        return;
    image_ = std::move(image);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

std::shared_ptr<UIImage> UIImageView::displayedImage() const {
    if (isHighlighted && highlightedImage)
        return highlightedImage;
    return image_;
}

CGSize UIImageView::intrinsicContentSize() const {
    if (!image_)
        return {noIntrinsicMetric, noIntrinsicMetric};
    return image_->size();
}

CGSize UIImageView::sizeThatFits(CGSize) const {
    return image_ ? image_->size() : CGSize{};
}
