#pragma once

#include "Foundation/IndexPath.h"
#include "UIKit/CGGeometry.h"

#include <map>
#include <optional>

class UICollectionView;

enum class UICollectionViewScrollDirection { vertical, horizontal };

// Places items in lines: across the view, wrapping to the next line when one is full (the
// other way round for horizontal scrolling). Sizes, spacings and insets come from the layout
// or, when it answers, from the collection view's flow-layout delegate.
class UICollectionViewFlowLayout {
  public:
    CGSize itemSize{50, 50};
    CGFloat minimumInteritemSpacing = 10;
    CGFloat minimumLineSpacing = 10;
    UIEdgeInsets sectionInset;
    UICollectionViewScrollDirection scrollDirection = UICollectionViewScrollDirection::vertical;

    // Computes the frames of every item of the collection view.
    void prepare(UICollectionView& collectionView);
    CGSize collectionViewContentSize() const { return contentSize_; }
    std::optional<CGRect> frameForItem(const IndexPath& indexPath) const;
    const std::map<IndexPath, CGRect>& frames() const { return frames_; }

  private:
    std::map<IndexPath, CGRect> frames_;
    CGSize contentSize_;
};
