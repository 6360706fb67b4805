#include "UIKit/UIVisualEffectView.h"

std::shared_ptr<UIVisualEffectView>
UIVisualEffectView::make(std::shared_ptr<UIVisualEffect> effect) {
    auto view = std::make_shared<UIVisualEffectView>(std::move(effect));
    view->contentView();
    return view;
}

std::shared_ptr<UIView> UIVisualEffectView::contentView() {
    if (!content_) {
        content_ = UIView::make(bounds());
        content_->autoresizingMask =
            UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
        addSubview(content_);
    }
    return content_;
}
