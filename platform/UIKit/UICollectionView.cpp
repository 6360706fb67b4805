#include "UIKit/UICollectionView.h"

#include "UIKit/UITouch.h"

#include <stdexcept>

UICollectionView::UICollectionView(const CGRect& frame,
                                   std::shared_ptr<UICollectionViewFlowLayout> layout)
    : UIScrollView(frame),
      collectionViewLayout(layout ? std::move(layout)
                                  : std::make_shared<UICollectionViewFlowLayout>()) {
    setBackgroundColor(UIColor::systemBackground());
}

void UICollectionView::setDataSource(
    const std::shared_ptr<UICollectionViewDataSource>& dataSource) {
    dataSource_ = dataSource;
    loaded_ = false;
    setNeedsLayout();
}

void UICollectionView::setDelegate(const std::shared_ptr<UICollectionViewDelegate>& delegate) {
    delegate_ = delegate;
    UIScrollView::delegate = delegate;
    setNeedsLayout();
}

void UICollectionView::registerCell(const std::string& reuseIdentifier, CellFactory factory) {
    factories_[reuseIdentifier] = std::move(factory);
    pool_.erase(reuseIdentifier);
}

std::shared_ptr<UICollectionViewCell>
UICollectionView::dequeueReusableCell(const std::string& reuseIdentifier, const IndexPath&) {
    auto& pool = pool_[reuseIdentifier];
    if (!pool.empty()) {
        auto cell = pool.back();
        pool.pop_back();
        cell->prepareForReuse();
        return cell;
    }
    auto it = factories_.find(reuseIdentifier);
    if (it == factories_.end())
        throw std::logic_error("unable to dequeue a cell with identifier \"" + reuseIdentifier +
                               "\": register a class or a prototype for it");
    auto cell = it->second();
    if (cell && cell->reuseIdentifier().empty())
        cell->setReuseIdentifier(reuseIdentifier);
    return cell;
}

void UICollectionView::enqueue(const std::shared_ptr<UICollectionViewCell>& cell) {
    cell->removeFromSuperview();
    cell->setSelected(false);
    cell->setHighlighted(false);
    if (!cell->reuseIdentifier().empty())
        pool_[cell->reuseIdentifier()].push_back(cell);
}

int UICollectionView::numberOfItems(int section) const {
    return section >= 0 && section < int(counts_.size()) ? counts_[section] : 0;
}

void UICollectionView::reloadData() {
    if (reloading_)
        return;
    reloading_ = true;
    auto keep = sharedView();
    for (auto& [ip, cell] : cells_)
        enqueue(cell);
    cells_.clear();
    selected_.clear();
    counts_.clear();
    auto ds = dataSource();
    int sections = ds ? ds->numberOfSections(*this) : 0;
    for (int s = 0; s < sections; ++s)
        counts_.push_back(std::max(0, ds->numberOfItemsInSection(*this, s)));
    for (int s = 0; s < sections; ++s) {
        for (int i = 0; i < counts_[s]; ++i) {
            IndexPath ip{i, s};
            auto cell = ds->cellForItemAt(*this, ip);
            if (!cell) {
                reloading_ = false;
                throw std::logic_error("the collection's data source returned no cell for item " +
                                       ip.description());
            }
            cells_[ip] = cell;
            cell->contentView();
            addSubview(cell);
            if (auto d = delegate())
                d->willDisplayCell(*this, *cell, ip);
        }
    }
    loaded_ = true;
    reloading_ = false;
    place();
}

void UICollectionView::place() {
    collectionViewLayout->prepare(*this);
    for (auto& [ip, cell] : cells_)
        if (auto frame = collectionViewLayout->frameForItem(ip)) {
            cell->setFrame(*frame);
            cell->layoutIfNeeded();
        }
    setContentSize(collectionViewLayout->collectionViewContentSize());
}

void UICollectionView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    if (!loaded_ && dataSource())
        reloadData();
    else
        place();
}

void UICollectionView::deleteItems(const std::vector<IndexPath>& indexPaths) {
    auto keep = sharedView();
    std::set<IndexPath> gone(indexPaths.begin(), indexPaths.end());
    auto before = counts_;
    auto ds = dataSource();
    counts_.clear();
    int sections = ds ? ds->numberOfSections(*this) : 0;
    for (int s = 0; s < sections; ++s)
        counts_.push_back(std::max(0, ds->numberOfItemsInSection(*this, s)));
    for (size_t s = 0; s < before.size() && s < counts_.size(); ++s) {
        int removed = 0;
        for (auto& g : gone)
            removed += g.section == int(s);
        if (counts_[s] != before[s] - removed)
            throw std::logic_error("Invalid update: invalid number of items in section " +
                                   std::to_string(s));
    }
    auto shift = [&gone](const IndexPath& ip) {
        int below = 0;
        for (auto& g : gone)
            below += g.section == ip.section && g.row < ip.row;
        return IndexPath{ip.row - below, ip.section};
    };
    std::map<IndexPath, std::shared_ptr<UICollectionViewCell>> cells;
    for (auto& [ip, cell] : cells_) {
        if (gone.count(ip))
            enqueue(cell);
        else
            cells[shift(ip)] = cell;
    }
    cells_ = std::move(cells);
    std::set<IndexPath> selected;
    for (auto& ip : selected_)
        if (!gone.count(ip))
            selected.insert(shift(ip));
    selected_ = std::move(selected);
    place();
}

void UICollectionView::insertItems(const std::vector<IndexPath>&) {
    reloadData();
}

std::shared_ptr<UICollectionViewCell>
UICollectionView::cellForItem(const IndexPath& indexPath) const {
    auto it = cells_.find(indexPath);
    return it == cells_.end() ? nullptr : it->second;
}

std::optional<IndexPath> UICollectionView::indexPathForItem(CGPoint point) const {
    for (auto& [ip, frame] : collectionViewLayout->frames())
        if (frame.contains(point))
            return ip;
    return std::nullopt;
}

std::optional<IndexPath>
UICollectionView::indexPathForCell(const UICollectionViewCell& cell) const {
    for (auto& [ip, c] : cells_)
        if (c.get() == &cell)
            return ip;
    return std::nullopt;
}

std::vector<std::shared_ptr<UICollectionViewCell>> UICollectionView::visibleCells() const {
    std::vector<std::shared_ptr<UICollectionViewCell>> out;
    for (auto& [ip, cell] : cells_)
        if (cell->frame().intersects(bounds()))
            out.push_back(cell);
    return out;
}

void UICollectionView::selectItem(const std::optional<IndexPath>& indexPath, bool animated) {
    (void)animated;
    if (!indexPath || !allowsMultipleSelection)
        for (auto ip : std::set<IndexPath>(selected_))
            if (!indexPath || ip != *indexPath)
                deselectItem(ip, false);
    if (!indexPath || !cellForItem(*indexPath))
        return;
    selected_.insert(*indexPath);
    cellForItem(*indexPath)->setSelected(true);
}

void UICollectionView::deselectItem(const IndexPath& indexPath, bool animated) {
    (void)animated;
    selected_.erase(indexPath);
    if (auto cell = cellForItem(indexPath))
        cell->setSelected(false);
}

void UICollectionView::userSelectItem(const IndexPath& indexPath) {
    if (!allowsSelection || !cellForItem(indexPath))
        return;
    auto keep = sharedView();
    auto d = delegate();
    if (allowsMultipleSelection && selected_.count(indexPath)) {
        if (d && !d->shouldDeselectItemAt(*this, indexPath))
            return;
        deselectItem(indexPath, false);
        if (d)
            d->didDeselectItemAt(*this, indexPath);
        return;
    }
    if (d && !d->shouldSelectItemAt(*this, indexPath))
        return;
    if (!allowsMultipleSelection)
        for (auto ip : std::set<IndexPath>(selected_)) {
            if (ip == indexPath)
                continue;
            deselectItem(ip, false);
            if (d)
                d->didDeselectItemAt(*this, ip);
        }
    selected_.insert(indexPath);
    cellForItem(indexPath)->setSelected(true);
    if (d)
        d->didSelectItemAt(*this, indexPath);
}

void UICollectionView::touchesBegan(const UITouchSet& touches, UIEvent*) {
    if (touches.empty())
        return;
    highlighted_ = indexPathForItem(touches.front()->location(this));
    if (highlighted_)
        if (auto cell = cellForItem(*highlighted_))
            cell->setHighlighted(true);
}

void UICollectionView::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    touchesCancelled(touches, event);
    if (touches.empty())
        return;
    if (auto ip = indexPathForItem(touches.front()->location(this)))
        userSelectItem(*ip);
}

void UICollectionView::touchesCancelled(const UITouchSet&, UIEvent*) {
    if (highlighted_)
        if (auto cell = cellForItem(*highlighted_))
            cell->setHighlighted(false);
    highlighted_.reset();
}
