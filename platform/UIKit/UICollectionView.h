#pragma once

#include "Foundation/IndexPath.h"
#include "UIKit/UICollectionViewCell.h"
#include "UIKit/UICollectionViewFlowLayout.h"
#include "UIKit/UIScrollView.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class UICollectionView;

class UICollectionViewDataSource {
  public:
    virtual ~UICollectionViewDataSource() = default;
    virtual int numberOfSections(UICollectionView&) { return 1; }
    virtual int numberOfItemsInSection(UICollectionView& collectionView, int section) = 0;
    virtual std::shared_ptr<UICollectionViewCell> cellForItemAt(UICollectionView& collectionView,
                                                                const IndexPath& indexPath) = 0;
};

class UICollectionViewDelegate : public UIScrollViewDelegate {
  public:
    virtual bool shouldSelectItemAt(UICollectionView&, const IndexPath&) { return true; }
    virtual void didSelectItemAt(UICollectionView&, const IndexPath&) {}
    virtual bool shouldDeselectItemAt(UICollectionView&, const IndexPath&) { return true; }
    virtual void didDeselectItemAt(UICollectionView&, const IndexPath&) {}
    virtual void willDisplayCell(UICollectionView&, UICollectionViewCell&, const IndexPath&) {}
};

// A delegate that also sizes a flow layout's items; an answer of none keeps the layout's value.
class UICollectionViewDelegateFlowLayout : public UICollectionViewDelegate {
  public:
    virtual std::optional<CGSize> sizeForItemAt(UICollectionView&, const IndexPath&) {
        return std::nullopt;
    }
    virtual std::optional<UIEdgeInsets> insetForSectionAt(UICollectionView&, int) {
        return std::nullopt;
    }
    virtual std::optional<CGFloat> minimumLineSpacingForSectionAt(UICollectionView&, int) {
        return std::nullopt;
    }
    virtual std::optional<CGFloat> minimumInteritemSpacingForSectionAt(UICollectionView&, int) {
        return std::nullopt;
    }
};

// Items in sections, placed by a flow layout. As with tables, every item's cell is made on
// reload from `dequeueReusableCell`; a tap selects an item (with multiple selection, toggles).
class UICollectionView : public UIScrollView {
  public:
    using CellFactory = std::function<std::shared_ptr<UICollectionViewCell>()>;

    explicit UICollectionView(const CGRect& frame = {},
                              std::shared_ptr<UICollectionViewFlowLayout> layout = nullptr);
    static std::shared_ptr<UICollectionView>
    make(const CGRect& frame = {}, std::shared_ptr<UICollectionViewFlowLayout> layout = nullptr) {
        return std::make_shared<UICollectionView>(frame, std::move(layout));
    }

    std::shared_ptr<UICollectionViewFlowLayout> collectionViewLayout;

    std::shared_ptr<UICollectionViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(const std::shared_ptr<UICollectionViewDataSource>& dataSource);
    std::shared_ptr<UICollectionViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<UICollectionViewDelegate>& delegate);

    bool allowsSelection = true;
    bool allowsMultipleSelection = false;

    void registerCell(const std::string& reuseIdentifier, CellFactory factory);
    template <class Cell>
    void registerClass(const std::string& reuseIdentifier) {
        registerCell(reuseIdentifier, [reuseIdentifier] {
            auto cell = std::make_shared<Cell>();
            cell->setReuseIdentifier(reuseIdentifier);
            return std::static_pointer_cast<UICollectionViewCell>(cell);
        });
    }
    // Throws std::logic_error for an identifier nothing is registered for.
    std::shared_ptr<UICollectionViewCell> dequeueReusableCell(const std::string& reuseIdentifier,
                                                              const IndexPath& indexPath);

    // Makes one cell of every registration (checks storyboard prototypes).
    void makeEachRegisteredCell() const {
        for (auto& [id, factory] : factories_)
            (void)factory();
    }

    void reloadData();
    int numberOfSections() const { return int(counts_.size()); }
    int numberOfItems(int section) const;
    // Removes items whose data is already gone (checked as tables check deletions).
    void deleteItems(const std::vector<IndexPath>& indexPaths);
    void insertItems(const std::vector<IndexPath>& indexPaths);

    std::shared_ptr<UICollectionViewCell> cellForItem(const IndexPath& indexPath) const;
    std::optional<IndexPath> indexPathForItem(CGPoint point) const;
    std::optional<IndexPath> indexPathForCell(const UICollectionViewCell& cell) const;
    std::vector<std::shared_ptr<UICollectionViewCell>> visibleCells() const;

    std::vector<IndexPath> indexPathsForSelectedItems() const {
        return {selected_.begin(), selected_.end()};
    }
    void selectItem(const std::optional<IndexPath>& indexPath, bool animated);
    void deselectItem(const IndexPath& indexPath, bool animated);
    // What a tap on an item does.
    void userSelectItem(const IndexPath& indexPath);

    void layoutSubviews() override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

  private:
    void place();
    void enqueue(const std::shared_ptr<UICollectionViewCell>& cell);

    std::weak_ptr<UICollectionViewDataSource> dataSource_;
    std::weak_ptr<UICollectionViewDelegate> delegate_;
    std::map<std::string, CellFactory> factories_;
    std::map<std::string, std::vector<std::shared_ptr<UICollectionViewCell>>> pool_;
    std::vector<int> counts_;
    std::map<IndexPath, std::shared_ptr<UICollectionViewCell>> cells_;
    std::set<IndexPath> selected_;
    std::optional<IndexPath> highlighted_;
    bool loaded_ = false;
    bool reloading_ = false;
};
