#pragma once

#include "UIKit/UIImage.h"
#include "UIKit/UIView.h"

// Shows an image, fitted to the bounds by the content mode and tinted when the image is a
// template.
class UIImageView : public UIView {
  public:
    UIImageView();
    explicit UIImageView(const CGRect& frame);
    explicit UIImageView(std::shared_ptr<UIImage> image);
    static std::shared_ptr<UIImageView> make(std::shared_ptr<UIImage> image = nullptr) {
        return std::make_shared<UIImageView>(std::move(image));
    }

    const std::shared_ptr<UIImage>& image() const { return image_; }
    void setImage(std::shared_ptr<UIImage> image);
    std::shared_ptr<UIImage> highlightedImage;
    bool isHighlighted = false;
    // The image on screen: the highlighted one while highlighted, when there is one.
    std::shared_ptr<UIImage> displayedImage() const;

    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(CGSize size) const override;

  private:
    std::shared_ptr<UIImage> image_;
};
