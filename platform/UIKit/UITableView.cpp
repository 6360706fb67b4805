#include "UIKit/UITableView.h"

#include "UIKit/UIButton.h"
#include "UIKit/UIContextualAction.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIPanGestureRecognizer.h"
#include "UIKit/UISwipeActionsConfiguration.h"
#include "UIKit/UITouch.h"

#include <algorithm>
#include <stdexcept>

namespace {
constexpr CGFloat swipeButtonWidth = 80;
constexpr CGFloat revealDistance = 40;
constexpr double fullSwipeShare = 0.6;
constexpr CGFloat insetGroupedMargin = 16;
constexpr CGFloat insetGroupedRadius = 10;
} // namespace

// Decides between scrolling and swiping a row: a drag that is mostly horizontal swipes.
class UITableView::SwipeHandler : public UIGestureRecognizerDelegate {
  public:
    explicit SwipeHandler(UITableView& table) : table_(table) {}
    bool gestureRecognizerShouldBegin(UIGestureRecognizer& recognizer) override {
        auto* pan = dynamic_cast<UIPanGestureRecognizer*>(&recognizer);
        if (!pan)
            return true;
        CGPoint t = pan->translation(nullptr);
        bool horizontal = std::fabs(t.x) > std::fabs(t.y);
        bool swipe = horizontal && !table_.editing_ && (t.x < 0 || table_.swipedRow_);
        if (pan == table_.swipePan_.get())
            return swipe;
        return !swipe;
    }

  private:
    UITableView& table_;
};

UITableView::UITableView(const CGRect& frame, UITableViewStyle style)
    : UIScrollView(frame), style_(style) {
    setBackgroundColor(style == UITableViewStyle::plain ? UIColor::systemBackground()
                                                        : UIColor::systemGroupedBackground());
    swipeHandler_ = std::make_shared<SwipeHandler>(*this);
}

UITableView::~UITableView() = default;

std::shared_ptr<UITableView> UITableView::make(const CGRect& frame, UITableViewStyle style) {
    return std::make_shared<UITableView>(frame, style);
}

void UITableView::didMoveToSuperview() {
    UIScrollView::didMoveToSuperview();
    installSwipeRecognizer();
}

void UITableView::installSwipeRecognizer() {
    if (swipePan_)
        return;
    panGestureRecognizer()->delegate = swipeHandler_;
    swipePan_ = UIPanGestureRecognizer::make();
    swipePan_->delegate = swipeHandler_;
    swipePan_->addAction(
        [this](UIGestureRecognizer& r) { handleSwipe(static_cast<UIPanGestureRecognizer&>(r)); });
    addGestureRecognizer(swipePan_);
}

void UITableView::setDataSource(const std::shared_ptr<UITableViewDataSource>& dataSource) {
    dataSource_ = dataSource;
    loaded_ = false;
    setNeedsLayout();
}

void UITableView::setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate) {
    delegate_ = delegate;
    UIScrollView::delegate = delegate;
    if (loaded_)
        setNeedsLayout();
}

// ---- Heights ----

CGFloat UITableView::defaultRowHeight() const {
    if (rowHeight == UITableViewAutomaticDimension)
        return estimatedRowHeight > 0 ? estimatedRowHeight : 44;
    return rowHeight;
}

CGFloat UITableView::defaultHeaderHeight(int section) {
    if (style_ != UITableViewStyle::plain)
        return sectionHeaderHeight;
    if (auto ds = dataSource(); ds && ds->titleForHeaderInSection(*this, section))
        return sectionHeaderHeight;
    return 0;
}

CGFloat UITableView::defaultFooterHeight(int section) {
    if (auto ds = dataSource(); ds && ds->titleForFooterInSection(*this, section))
        return std::max<CGFloat>(sectionFooterHeight, 20);
    return style_ == UITableViewStyle::plain ? 0 : sectionFooterHeight;
}

// ---- Cells ----

void UITableView::registerCell(const std::string& reuseIdentifier, CellFactory factory) {
    factories_[reuseIdentifier] = std::move(factory);
    pool_.erase(reuseIdentifier);
}

std::shared_ptr<UITableViewCell>
UITableView::dequeueReusableCell(const std::string& reuseIdentifier) {
    auto& pool = pool_[reuseIdentifier];
    if (!pool.empty()) {
        auto cell = pool.back();
        pool.pop_back();
        cell->prepareForReuse();
        return cell;
    }
    auto it = factories_.find(reuseIdentifier);
    if (it == factories_.end())
        return nullptr;
    auto cell = it->second();
    if (cell && cell->reuseIdentifier().empty())
        cell->setReuseIdentifier(reuseIdentifier);
    return cell;
}

std::shared_ptr<UITableViewCell>
UITableView::dequeueReusableCell(const std::string& reuseIdentifier, const IndexPath&) {
    auto cell = dequeueReusableCell(reuseIdentifier);
    if (!cell)
        throw std::logic_error("unable to dequeue a cell with identifier \"" + reuseIdentifier +
                               "\": register a class or a prototype for it");
    return cell;
}

void UITableView::enqueue(const std::shared_ptr<UITableViewCell>& cell) {
    cell->removeFromSuperview();
    cell->setSelected(false, false);
    cell->setHighlighted(false, false);
    cell->setSwipeOffset(0);
    if (!cell->reuseIdentifier().empty())
        pool_[cell->reuseIdentifier()].push_back(cell);
}

// ---- Data ----

int UITableView::numberOfRows(int section) const {
    return section >= 0 && section < int(sections_.size()) ? sections_[section].rows : 0;
}

bool UITableView::isValid(const IndexPath& ip) const {
    return ip.section >= 0 && ip.section < int(sections_.size()) && ip.row >= 0 &&
           ip.row < sections_[ip.section].rows;
}

void UITableView::computeGeometry() {
    auto ds = dataSource();
    auto d = delegate();
    sections_.clear();
    CGFloat y = tableHeaderView ? tableHeaderView->frame().size.height : 0;
    int count = ds ? ds->numberOfSections(*this) : 0;
    for (int s = 0; s < count; ++s) {
        Section section;
        section.y = y;
        section.rows = std::max(0, ds->numberOfRowsInSection(*this, s));
        section.header = ds->titleForHeaderInSection(*this, s);
        section.headerHeight = d ? d->heightForHeaderInSection(*this, s) : defaultHeaderHeight(s);
        if (section.headerHeight == UITableViewAutomaticDimension)
            section.headerHeight = section.header ? sectionHeaderHeight : 0;
        y += section.headerHeight;
        for (int r = 0; r < section.rows; ++r) {
            CGFloat h = d ? d->heightForRowAt(*this, {r, s}) : defaultRowHeight();
            if (h == UITableViewAutomaticDimension)
                h = defaultRowHeight();
            section.rowY.push_back(y);
            section.rowHeights.push_back(h);
            y += h;
        }
        section.footerHeight = d ? d->heightForFooterInSection(*this, s) : defaultFooterHeight(s);
        if (section.footerHeight == UITableViewAutomaticDimension)
            section.footerHeight = 0;
        y += section.footerHeight;
        sections_.push_back(std::move(section));
    }
    if (tableFooterView)
        y += tableFooterView->frame().size.height;
    setContentSize({bounds().size.width, y});
}

void UITableView::rebuildCells() {
    for (auto& [ip, cell] : cells_)
        enqueue(cell);
    cells_.clear();
    for (auto& label : headerLabels_)
        label->removeFromSuperview();
    headerLabels_.clear();
    auto ds = dataSource();
    if (!ds)
        return;
    for (int s = 0; s < int(sections_.size()); ++s) {
        if (sections_[s].header && sections_[s].headerHeight > 0) {
            auto label = UILabel::make();
            label->setText(*sections_[s].header);
            label->setFont(UIFont::systemFont(13));
            label->setTextColor(UIColor::secondaryLabel());
            headerLabels_.push_back(label);
            addSubview(label);
        }
        for (int r = 0; r < sections_[s].rows; ++r) {
            IndexPath ip{r, s};
            auto cell = ds->cellForRowAt(*this, ip);
            if (!cell)
                throw std::logic_error("the table's data source returned no cell for row " +
                                       ip.description());
            cells_[ip] = cell;
            cell->contentView();
            adoptCell(*cell);
            cell->setSelected(selected_.count(ip) > 0, false);
            addSubview(cell);
            if (auto d = delegate())
                d->willDisplayCell(*this, *cell, ip);
        }
    }
    if (tableHeaderView && tableHeaderView->superview().get() != this)
        addSubview(tableHeaderView);
    if (tableFooterView && tableFooterView->superview().get() != this)
        addSubview(tableFooterView);
    placeCells();
}

// Rows of an inset grouped table stand in from the sides, and each section's first and last
// rows round its outer corners.
void UITableView::placeCell(UITableViewCell& cell, const IndexPath& ip, CGFloat width) {
    const Section& s = sections_[ip.section];
    CGFloat y = s.rowY[ip.row], height = s.rowHeights[ip.row];
    if (style_ != UITableViewStyle::insetGrouped) {
        cell.setFrame({0, y, width, height});
        return cell.layoutIfNeeded();
    }
    cell.setFrame(
        {insetGroupedMargin, y, std::max<CGFloat>(0, width - 2 * insetGroupedMargin), height});
    CACornerMask corners = 0;
    if (ip.row == 0)
        corners |= kCALayerMinXMinYCorner | kCALayerMaxXMinYCorner;
    if (ip.row == s.rows - 1)
        corners |= kCALayerMinXMaxYCorner | kCALayerMaxXMaxYCorner;
    auto layer = cell.layer();
    layer->cornerRadius = corners ? insetGroupedRadius : 0;
    layer->maskedCorners = corners ? corners : kCALayerAllCorners;
    layer->masksToBounds = corners != 0;
    cell.layoutIfNeeded();
}

// A row made for this table: in its editing and selection state, and on a grouped table's
// row colour unless it was given one of its own.
void UITableView::adoptCell(UITableViewCell& cell) {
    cell.setEditing(editing_, false);
    if (style_ != UITableViewStyle::plain && cell.backgroundColor() == UIColor::systemBackground())
        cell.setBackgroundColor(UIColor::secondarySystemGroupedBackground());
}

void UITableView::placeCells() {
    CGFloat width = bounds().size.width;
    size_t label = 0;
    CGFloat headerX = style_ == UITableViewStyle::insetGrouped ? 2 * insetGroupedMargin : 16;
    for (auto& section : sections_)
        if (section.header && section.headerHeight > 0 && label < headerLabels_.size())
            headerLabels_[label++]->setFrame(
                {headerX, section.y, width - 2 * headerX, section.headerHeight});
    for (auto& [ip, cell] : cells_)
        placeCell(*cell, ip, width);
    if (tableHeaderView)
        tableHeaderView->setFrame({0, 0, width, tableHeaderView->frame().size.height});
    if (tableFooterView) {
        CGFloat h = tableFooterView->frame().size.height;
        tableFooterView->setFrame({0, contentSize().height - h, width, h});
    }
    if (contentSize().width != width)
        setContentSize({width, contentSize().height});
}

void UITableView::reloadData() {
    if (reloading_)
        return;
    reloading_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{reloading_};
    auto keep = sharedView();
    closeSwipe();
    highlighted_.reset();
    selected_.clear();
    computeGeometry();
    rebuildCells();
    loaded_ = true;
    setContentOffset(clampedOffset());
}

CGPoint UITableView::clampedOffset() const {
    CGPoint offset = contentOffset();
    CGPoint lo = minimumContentOffset();
    CGPoint hi = maximumContentOffset();
    offset.x = std::clamp(offset.x, lo.x, std::max(lo.x, hi.x));
    offset.y = std::clamp(offset.y, lo.y, std::max(lo.y, hi.y));
    return offset;
}

void UITableView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    if (!loaded_ && dataSource())
        reloadData();
    else
        placeCells();
}

namespace {
// Counts per section before and after an update, for the consistency check.
std::map<int, int> countBySection(const std::vector<IndexPath>& paths) {
    std::map<int, int> counts;
    for (auto& ip : paths)
        ++counts[ip.section];
    return counts;
}
} // namespace

void UITableView::deleteRows(const std::vector<IndexPath>& indexPaths,
                             UITableViewRowAnimation animation) {
    auto keep = sharedView();
    lastAnimation_ = animation;
    closeSwipe();
    std::vector<int> before;
    for (auto& s : sections_)
        before.push_back(s.rows);
    std::set<IndexPath> gone(indexPaths.begin(), indexPaths.end());
    for (auto& ip : gone)
        if (!isValid(ip))
            throw std::logic_error("attempt to delete row " + ip.description() +
                                   ", which does not exist");
    computeGeometry();
    auto removed = countBySection(indexPaths);
    if (sections_.size() != before.size())
        throw std::logic_error("Invalid update: the number of sections changed in a row deletion");
    for (size_t s = 0; s < before.size(); ++s) {
        int expected = before[s] - removed[int(s)];
        if (sections_[s].rows != expected)
            throw std::logic_error(
                "Invalid update: invalid number of rows in section " + std::to_string(s) +
                ": it holds " + std::to_string(sections_[s].rows) +
                " rows after the update but should hold " + std::to_string(expected));
    }
    auto shift = [&gone](const IndexPath& ip) {
        int below = 0;
        for (auto& g : gone)
            if (g.section == ip.section && g.row < ip.row)
                ++below;
        return IndexPath{ip.row - below, ip.section};
    };
    std::map<IndexPath, std::shared_ptr<UITableViewCell>> cells;
    for (auto& [ip, cell] : cells_) {
        if (!gone.count(ip)) {
            cells[shift(ip)] = cell;
            continue;
        }
        if (animation == UITableViewRowAnimation::none) {
            enqueue(cell);
        } else {
            std::weak_ptr<UITableViewCell> weak = cell;
            UIView::animate(
                0.3, [cell] { cell->setAlpha(0); },
                [weak](bool) {
                    if (auto c = weak.lock()) {
                        c->removeFromSuperview();
                        c->setAlpha(1);
                    }
                });
        }
    }
    cells_ = std::move(cells);
    std::set<IndexPath> selected;
    for (auto& ip : selected_)
        if (!gone.count(ip))
            selected.insert(shift(ip));
    selected_ = std::move(selected);
    placeCells();
}

void UITableView::insertRows(const std::vector<IndexPath>& indexPaths,
                             UITableViewRowAnimation animation) {
    auto keep = sharedView();
    lastAnimation_ = animation;
    closeSwipe();
    std::vector<int> before;
    for (auto& s : sections_)
        before.push_back(s.rows);
    computeGeometry();
    auto added = countBySection(indexPaths);
    for (size_t s = 0; s < before.size() && s < sections_.size(); ++s)
        if (sections_[s].rows != before[s] + added[int(s)])
            throw std::logic_error("Invalid update: invalid number of rows in section " +
                                   std::to_string(s));
    std::set<IndexPath> fresh(indexPaths.begin(), indexPaths.end());
    auto shift = [&fresh](const IndexPath& ip) {
        IndexPath out = ip;
        for (auto& f : fresh)
            if (f.section == ip.section && f.row <= out.row)
                ++out.row;
        return out;
    };
    std::map<IndexPath, std::shared_ptr<UITableViewCell>> cells;
    for (auto& [ip, cell] : cells_)
        cells[shift(ip)] = cell;
    cells_ = std::move(cells);
    auto ds = dataSource();
    for (auto& ip : fresh) {
        if (!ds || !isValid(ip))
            continue;
        auto cell = ds->cellForRowAt(*this, ip);
        if (!cell)
            continue;
        adoptCell(*cell);
        cells_[ip] = cell;
        addSubview(cell);
    }
    placeCells();
}

void UITableView::reloadRows(const std::vector<IndexPath>& indexPaths,
                             UITableViewRowAnimation animation) {
    lastAnimation_ = animation;
    auto ds = dataSource();
    if (!ds)
        return;
    for (auto& ip : indexPaths) {
        if (!isValid(ip))
            continue;
        if (auto it = cells_.find(ip); it != cells_.end())
            enqueue(it->second);
        auto cell = ds->cellForRowAt(*this, ip);
        if (!cell)
            continue;
        adoptCell(*cell);
        cell->setSelected(selected_.count(ip) > 0, false);
        cells_[ip] = cell;
        addSubview(cell);
    }
    placeCells();
}

// ---- Rows on screen ----

std::shared_ptr<UITableViewCell> UITableView::cellForRow(const IndexPath& indexPath) const {
    auto it = cells_.find(indexPath);
    return it == cells_.end() ? nullptr : it->second;
}

std::optional<IndexPath> UITableView::indexPathForCell(const UITableViewCell& cell) const {
    for (auto& [ip, c] : cells_)
        if (c.get() == &cell)
            return ip;
    return std::nullopt;
}

std::optional<IndexPath> UITableView::indexPathForRow(CGPoint point) const {
    for (int s = 0; s < int(sections_.size()); ++s)
        for (int r = 0; r < sections_[s].rows; ++r)
            if (point.y >= sections_[s].rowY[r] &&
                point.y < sections_[s].rowY[r] + sections_[s].rowHeights[r])
                return IndexPath{r, s};
    return std::nullopt;
}

CGRect UITableView::rectForRow(const IndexPath& ip) const {
    if (!isValid(ip))
        return {};
    const Section& s = sections_[ip.section];
    return {0, s.rowY[ip.row], bounds().size.width, s.rowHeights[ip.row]};
}

std::vector<std::shared_ptr<UITableViewCell>> UITableView::visibleCells() const {
    std::vector<std::shared_ptr<UITableViewCell>> out;
    for (auto& ip : indexPathsForVisibleRows())
        out.push_back(cells_.at(ip));
    return out;
}

std::vector<IndexPath> UITableView::indexPathsForVisibleRows() const {
    std::vector<IndexPath> out;
    CGRect visible = bounds();
    for (auto& [ip, cell] : cells_)
        if (rectForRow(ip).intersects(visible))
            out.push_back(ip);
    return out;
}

void UITableView::scrollToRow(const IndexPath& indexPath, UITableViewScrollPosition position,
                              bool animated) {
    CGRect rect = rectForRow(indexPath);
    if (rect.isEmpty())
        return;
    CGFloat h = bounds().size.height;
    switch (position) {
    case UITableViewScrollPosition::none:
        scrollRectToVisible(rect, animated);
        return;
    case UITableViewScrollPosition::top:
        break;
    case UITableViewScrollPosition::middle:
        rect.origin.y -= (h - rect.size.height) / 2;
        break;
    case UITableViewScrollPosition::bottom:
        rect.origin.y -= h - rect.size.height;
        break;
    }
    CGPoint offset{contentOffset().x, rect.origin.y};
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    offset.y = std::clamp(offset.y, lo.y, std::max(lo.y, hi.y));
    setContentOffset(offset, animated);
}

// ---- Selection ----

std::optional<IndexPath> UITableView::indexPathForSelectedRow() const {
    if (selected_.empty())
        return std::nullopt;
    return *selected_.begin();
}

std::vector<IndexPath> UITableView::indexPathsForSelectedRows() const {
    return {selected_.begin(), selected_.end()};
}

void UITableView::selectRow(const std::optional<IndexPath>& indexPath, bool animated,
                            UITableViewScrollPosition position) {
    bool multiple = editing_ ? allowsMultipleSelectionDuringEditing : allowsMultipleSelection;
    if (!indexPath || !multiple)
        for (auto ip : std::set<IndexPath>(selected_))
            if (!indexPath || ip != *indexPath)
                deselectRow(ip, animated);
    if (!indexPath || !isValid(*indexPath))
        return;
    selected_.insert(*indexPath);
    if (auto cell = cellForRow(*indexPath))
        cell->setSelected(true, animated);
    if (position != UITableViewScrollPosition::none)
        scrollToRow(*indexPath, position, animated);
}

void UITableView::deselectRow(const IndexPath& indexPath, bool animated) {
    selected_.erase(indexPath);
    if (auto cell = cellForRow(indexPath))
        cell->setSelected(false, animated);
}

void UITableView::userSelectRow(const IndexPath& indexPath) {
    if (!isValid(indexPath))
        return;
    auto keep = sharedView();
    bool allowed = editing_ ? (allowsSelectionDuringEditing || allowsMultipleSelectionDuringEditing)
                            : allowsSelection;
    if (!allowed)
        return;
    bool multiple = editing_ ? allowsMultipleSelectionDuringEditing : allowsMultipleSelection;
    auto d = delegate();
    if (multiple && selected_.count(indexPath)) {
        auto target = d ? d->willDeselectRowAt(*this, indexPath) : indexPath;
        if (!target)
            return;
        deselectRow(*target, false);
        if (d)
            d->didDeselectRowAt(*this, *target);
        return;
    }
    auto target = d ? d->willSelectRowAt(*this, indexPath) : indexPath;
    if (!target || !isValid(*target))
        return;
    if (!multiple) {
        for (auto ip : std::set<IndexPath>(selected_)) {
            if (ip == *target)
                continue;
            deselectRow(ip, false);
            if (d)
                d->didDeselectRowAt(*this, ip);
        }
    }
    selected_.insert(*target);
    if (auto cell = cellForRow(*target))
        cell->setSelected(true, false);
    if (d)
        d->didSelectRowAt(*this, *target);
}

std::optional<IndexPath> UITableView::touchedRow(const UITouchSet& touches) const {
    if (touches.empty())
        return std::nullopt;
    return indexPathForRow(touches.front()->location(this));
}

void UITableView::touchesBegan(const UITouchSet& touches, UIEvent*) {
    auto row = touchedRow(touches);
    if (!row || swipedRow_)
        return;
    auto d = delegate();
    if (d && !d->shouldHighlightRowAt(*this, *row))
        return;
    highlighted_ = row;
    if (auto cell = cellForRow(*row))
        cell->setHighlighted(true, false);
}

void UITableView::touchesEnded(const UITouchSet& touches, UIEvent*) {
    if (highlighted_)
        if (auto cell = cellForRow(*highlighted_))
            cell->setHighlighted(false, false);
    highlighted_.reset();
    if (swipedRow_) {
        closeSwipe();
        return;
    }
    if (auto row = touchedRow(touches))
        userSelectRow(*row);
}

void UITableView::touchesCancelled(const UITouchSet&, UIEvent*) {
    if (highlighted_)
        if (auto cell = cellForRow(*highlighted_))
            cell->setHighlighted(false, false);
    highlighted_.reset();
}

// ---- Editing ----

void UITableView::setEditing(bool editing, bool animated) {
    if (editing == editing_)
        return;
    closeSwipe();
    editing_ = editing;
    for (auto ip : std::set<IndexPath>(selected_))
        deselectRow(ip, false);
    for (auto& [ip, cell] : cells_)
        cell->setEditing(editing, animated);
}

// ---- Swiping ----

std::shared_ptr<UISwipeActionsConfiguration>
UITableView::trailingConfiguration(const IndexPath& ip) {
    auto d = delegate();
    auto ds = dataSource();
    if (auto configuration = d ? d->trailingSwipeActionsConfigurationForRowAt(*this, ip) : nullptr)
        return configuration;
    if (!ds || !ds->canEditRowAt(*this, ip))
        return nullptr;
    auto style = d ? d->editingStyleForRowAt(*this, ip) : UITableViewCellEditingStyle::deleteStyle;
    if (style != UITableViewCellEditingStyle::deleteStyle)
        return nullptr;
    std::string title = d ? d->titleForDeleteConfirmationButtonForRowAt(*this, ip) : "Delete";
    std::weak_ptr<UITableView> weak = std::static_pointer_cast<UITableView>(sharedView());
    auto action = UIContextualAction::make(
        UIContextualActionStyle::destructive, title,
        [weak, ip](UIContextualAction&, UIView&, UIContextualAction::CompletionHandler done) {
            auto table = weak.lock();
            if (table)
                if (auto source = table->dataSource())
                    source->commitEditingStyle(*table, UITableViewCellEditingStyle::deleteStyle,
                                               ip);
            done(true);
        });
    return UISwipeActionsConfiguration::make({action});
}

bool UITableView::revealTrailingActions(const IndexPath& indexPath) {
    if (editing_ || !isValid(indexPath))
        return false;
    closeSwipe();
    auto configuration = trailingConfiguration(indexPath);
    auto cell = cellForRow(indexPath);
    if (!configuration || configuration->actions.empty() || !cell)
        return false;
    swipedRow_ = indexPath;
    swipeConfiguration_ = configuration;
    CGRect row = rectForRow(indexPath);
    CGFloat x = row.maxX();
    for (auto& action : configuration->actions) {
        x -= swipeButtonWidth;
        auto button = UIButton::make(UIButtonType::custom,
                                     CGRect{x, row.minY(), swipeButtonWidth, row.size.height});
        button->setTitle(action->title.value_or(""), UIControlStateNormal);
        button->setTitleColor(UIColor::white(), UIControlStateNormal);
        if (action->image)
            button->setImage(action->image, UIControlStateNormal);
        button->setBackgroundColor(action->displayedBackgroundColor());
        std::weak_ptr<UIContextualAction> weakAction = action;
        button->addHandler(
            [this, weakAction](const std::shared_ptr<UIControl>& sender, UIEvent*) {
                if (auto a = weakAction.lock())
                    runSwipeAction(a, *sender);
            },
            UIControlEventTouchUpInside);
        addSubview(button);
        swipeButtons_.push_back(button);
    }
    cell->setSwipeOffset(-swipeButtonWidth * CGFloat(configuration->actions.size()));
    return true;
}

bool UITableView::performFullSwipe(const IndexPath& indexPath) {
    if (!revealTrailingActions(indexPath))
        return false;
    if (!swipeConfiguration_->performsFirstActionWithFullSwipe)
        return true;
    runSwipeAction(swipeConfiguration_->actions.front(), *swipeButtons_.front());
    return true;
}

void UITableView::runSwipeAction(const std::shared_ptr<UIContextualAction>& action,
                                 UIView& source) {
    auto keep = sharedView();
    auto keepSource = source.sharedView();
    auto keepConfiguration = swipeConfiguration_;
    std::weak_ptr<UITableView> weak = std::static_pointer_cast<UITableView>(sharedView());
    auto done = [weak](bool) {
        if (auto table = weak.lock())
            table->closeSwipe();
    };
    if (action->handler)
        action->handler(*action, source, done);
    else
        done(false);
}

void UITableView::closeSwipe() {
    for (auto& button : swipeButtons_)
        button->removeFromSuperview();
    swipeButtons_.clear();
    if (swipedRow_)
        if (auto cell = cellForRow(*swipedRow_))
            cell->setSwipeOffset(0);
    swipedRow_.reset();
    swipeConfiguration_.reset();
}

void UITableView::handleSwipe(UIPanGestureRecognizer& pan) {
    CGPoint t = pan.translation(this);
    switch (pan.state()) {
    case UIGestureRecognizerState::began: {
        CGPoint start = pan.location(this);
        start.x -= t.x;
        start.y -= t.y;
        swipingRow_ = indexPathForRow(start);
        if (swipedRow_ && swipingRow_ != swipedRow_)
            closeSwipe();
        [[fallthrough]];
    }
    case UIGestureRecognizerState::changed:
        if (swipingRow_)
            if (auto cell = cellForRow(*swipingRow_))
                cell->setSwipeOffset(std::min<CGFloat>(0, t.x));
        break;
    case UIGestureRecognizerState::ended: {
        auto row = swipingRow_;
        swipingRow_.reset();
        if (!row)
            break;
        if (auto cell = cellForRow(*row))
            cell->setSwipeOffset(0);
        if (-t.x >= bounds().size.width * fullSwipeShare)
            performFullSwipe(*row);
        else if (-t.x >= revealDistance)
            revealTrailingActions(*row);
        else
            closeSwipe();
        break;
    }
    case UIGestureRecognizerState::cancelled:
    case UIGestureRecognizerState::failed:
        if (swipingRow_)
            if (auto cell = cellForRow(*swipingRow_))
                cell->setSwipeOffset(0);
        swipingRow_.reset();
        break;
    default:
        break;
    }
}
