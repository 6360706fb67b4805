#include "UIKit/UICollectionViewFlowLayout.h"

#include "UIKit/UICollectionView.h"

void UICollectionViewFlowLayout::prepare(UICollectionView& view) {
    frames_.clear();
    auto flow = std::dynamic_pointer_cast<UICollectionViewDelegateFlowLayout>(view.delegate());
    bool vertical = scrollDirection == UICollectionViewScrollDirection::vertical;
    CGSize bounds = view.bounds().size;
    // Along: the direction lines run in; across: the direction lines stack in.
    CGFloat across = 0;
    CGFloat maxAlong = 0;
    for (int s = 0; s < view.numberOfSections(); ++s) {
        UIEdgeInsets inset =
            flow ? flow->insetForSectionAt(view, s).value_or(sectionInset) : sectionInset;
        CGFloat lineSpacing =
            flow ? flow->minimumLineSpacingForSectionAt(view, s).value_or(minimumLineSpacing)
                 : minimumLineSpacing;
        CGFloat itemSpacing = flow ? flow->minimumInteritemSpacingForSectionAt(view, s).value_or(
                                         minimumInteritemSpacing)
                                   : minimumInteritemSpacing;
        CGFloat start = vertical ? inset.left : inset.top;
        CGFloat limit = vertical ? bounds.width - inset.right : bounds.height - inset.bottom;
        across += vertical ? inset.top : inset.left;
        CGFloat along = start;
        CGFloat lineDepth = 0;
        int items = view.numberOfItems(s);
        for (int i = 0; i < items; ++i) {
            IndexPath ip{i, s};
            CGSize size = flow ? flow->sizeForItemAt(view, ip).value_or(itemSize) : itemSize;
            CGFloat length = vertical ? size.width : size.height;
            CGFloat depth = vertical ? size.height : size.width;
            if (along > start && along + length > limit) {
                across += lineDepth + lineSpacing;
                along = start;
                lineDepth = 0;
            }
            frames_[ip] = vertical ? CGRect{along, across, size.width, size.height}
                                   : CGRect{across, along, size.width, size.height};
            along += length + itemSpacing;
            maxAlong = std::max(maxAlong, along - itemSpacing);
            lineDepth = std::max(lineDepth, depth);
        }
        across += lineDepth + (vertical ? inset.bottom : inset.right);
    }
    contentSize_ = vertical ? CGSize{bounds.width, across} : CGSize{across, bounds.height};
}

std::optional<CGRect> UICollectionViewFlowLayout::frameForItem(const IndexPath& indexPath) const {
    auto it = frames_.find(indexPath);
    if (it == frames_.end())
        return std::nullopt;
    return it->second;
}
