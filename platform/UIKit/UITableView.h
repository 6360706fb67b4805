#pragma once

#include "Foundation/IndexPath.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UITableViewCell.h"
#include "UIKit/UITableViewDataSource.h"
#include "UIKit/UITableViewDelegate.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class UIButton;
class UILabel;
class UIPanGestureRecognizer;
class UISwipeActionsConfiguration;

enum class UITableViewStyle { plain, grouped, insetGrouped };
enum class UITableViewRowAnimation { fade, right, left, top, bottom, none, middle, automatic };
enum class UITableViewScrollPosition { none, top, middle, bottom };
constexpr CGFloat UITableViewAutomaticDimension = -1;

// Rows in sections, from a data source, as a vertically scrolling list. Every row's cell is
// made on reload (cells come from `dequeueReusableCell`, which reuses the cells of the last
// load) and placed at the row's offset; hit-testing and drawing see them as subviews.
//
// The user taps a row to select it (with multiple selection, taps toggle), drags up and down
// to scroll, and swipes a row to the left to show its trailing actions; a swipe across most of
// the row performs the first action when the configuration allows a full swipe. Tapping an
// action's button runs its handler; its completion closes the row.
class UITableView : public UIScrollView {
  public:
    using CellFactory = std::function<std::shared_ptr<UITableViewCell>()>;
    struct StaticSection {
        std::optional<std::string> header;
        std::optional<std::string> footer;
        std::vector<std::shared_ptr<UITableViewCell>> cells;
    };

    explicit UITableView(const CGRect& frame = {},
                         UITableViewStyle style = UITableViewStyle::plain);
    static std::shared_ptr<UITableView> make(const CGRect& frame = {},
                                             UITableViewStyle style = UITableViewStyle::plain);
    ~UITableView() override;

    UITableViewStyle style() const { return style_; }

    std::shared_ptr<UITableViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(const std::shared_ptr<UITableViewDataSource>& dataSource);
    std::shared_ptr<UITableViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate);

    CGFloat rowHeight = 44;
    CGFloat estimatedRowHeight = 44;
    CGFloat sectionHeaderHeight = 28;
    CGFloat sectionFooterHeight = 0;
    bool allowsSelection = true;
    bool allowsMultipleSelection = false;
    bool allowsSelectionDuringEditing = false;
    bool allowsMultipleSelectionDuringEditing = false;
    std::shared_ptr<UIView> tableHeaderView;
    std::shared_ptr<UIView> tableFooterView;
    // Rows laid out in a file (static tables); a table controller serves them.
    std::vector<StaticSection> staticSections;

    // Cells.
    void registerCell(const std::string& reuseIdentifier, CellFactory factory);
    template <class Cell>
    void registerClass(const std::string& reuseIdentifier) {
        registerCell(reuseIdentifier, [reuseIdentifier] {
            auto cell = std::make_shared<Cell>();
            cell->setReuseIdentifier(reuseIdentifier);
            return std::static_pointer_cast<UITableViewCell>(cell);
        });
    }
    bool hasCellFor(const std::string& reuseIdentifier) const {
        return factories_.count(reuseIdentifier) > 0;
    }
    // A cell for the identifier: a reused one, or a new one from its registration or prototype.
    // An identifier nothing is registered for throws std::logic_error naming it.
    std::shared_ptr<UITableViewCell> dequeueReusableCell(const std::string& reuseIdentifier,
                                                         const IndexPath& indexPath);
    // The same, or none when the identifier is unknown.
    std::shared_ptr<UITableViewCell> dequeueReusableCell(const std::string& reuseIdentifier);

    // Data.
    // Makes one cell of every registration (checks storyboard prototypes).
    void makeEachRegisteredCell() const {
        for (auto& [id, factory] : factories_)
            (void)factory();
    }

    void reloadData();
    int numberOfSections() const { return int(sections_.size()); }
    int numberOfRows(int section) const;
    // Removes rows whose data is already gone: the data source must report that many fewer
    // rows, else std::logic_error. Other animations than none fade the rows out.
    void deleteRows(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation animation);
    void insertRows(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation animation);
    void reloadRows(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation animation);
    UITableViewRowAnimation lastRowAnimation() const { return lastAnimation_; }

    // Rows on screen.
    std::shared_ptr<UITableViewCell> cellForRow(const IndexPath& indexPath) const;
    std::optional<IndexPath> indexPathForCell(const UITableViewCell& cell) const;
    // The row under a point in the table's coordinates (content coordinates).
    std::optional<IndexPath> indexPathForRow(CGPoint point) const;
    CGRect rectForRow(const IndexPath& indexPath) const;
    std::vector<std::shared_ptr<UITableViewCell>> visibleCells() const;
    std::vector<IndexPath> indexPathsForVisibleRows() const;
    void scrollToRow(const IndexPath& indexPath, UITableViewScrollPosition position, bool animated);

    // Selection, in row order.
    std::optional<IndexPath> indexPathForSelectedRow() const;
    std::vector<IndexPath> indexPathsForSelectedRows() const;
    void selectRow(const std::optional<IndexPath>& indexPath, bool animated,
                   UITableViewScrollPosition position);
    void deselectRow(const IndexPath& indexPath, bool animated);
    // What a tap on a row does: the delegate is asked and told.
    void userSelectRow(const IndexPath& indexPath);

    // Editing.
    bool isEditing() const { return editing_; }
    void setEditing(bool editing, bool animated);

    // Swiping: shows the row's trailing actions, as a swipe to the left does.
    bool revealTrailingActions(const IndexPath& indexPath);
    // Performs the row's first trailing action, as a full swipe does.
    bool performFullSwipe(const IndexPath& indexPath);
    // The row whose actions are showing, their buttons (outermost first) and configuration.
    std::optional<IndexPath> swipedRow() const { return swipedRow_; }
    const std::vector<std::shared_ptr<UIButton>>& swipeActionButtons() const {
        return swipeButtons_;
    }
    void closeSwipe();

    // The heights the delegate's defaults give.
    CGFloat defaultRowHeight() const;
    CGFloat defaultHeaderHeight(int section);
    CGFloat defaultFooterHeight(int section);

    void layoutSubviews() override;
    void didMoveToSuperview() override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

  private:
    struct Section {
        int rows = 0;
        CGFloat y = 0;
        CGFloat headerHeight = 0;
        CGFloat footerHeight = 0;
        std::vector<CGFloat> rowY;
        std::vector<CGFloat> rowHeights;
        std::optional<std::string> header;
    };
    class SwipeHandler;
    friend class SwipeHandler;

    void computeGeometry();
    CGPoint clampedOffset() const;
    void rebuildCells();
    void placeCells();
    void placeCell(UITableViewCell& cell, const IndexPath& indexPath, CGFloat width);
    void adoptCell(UITableViewCell& cell);
    void enqueue(const std::shared_ptr<UITableViewCell>& cell);
    bool isValid(const IndexPath& indexPath) const;
    std::shared_ptr<UISwipeActionsConfiguration> trailingConfiguration(const IndexPath& indexPath);
    void runSwipeAction(const std::shared_ptr<class UIContextualAction>& action, UIView& source);
    void handleSwipe(UIPanGestureRecognizer& pan);
    void installSwipeRecognizer();
    std::optional<IndexPath> touchedRow(const UITouchSet& touches) const;

    UITableViewStyle style_;
    std::weak_ptr<UITableViewDataSource> dataSource_;
    std::weak_ptr<UITableViewDelegate> delegate_;
    std::map<std::string, CellFactory> factories_;
    std::map<std::string, std::vector<std::shared_ptr<UITableViewCell>>> pool_;
    std::vector<Section> sections_;
    std::map<IndexPath, std::shared_ptr<UITableViewCell>> cells_;
    std::vector<std::shared_ptr<UILabel>> headerLabels_;
    std::set<IndexPath> selected_;
    std::optional<IndexPath> highlighted_;
    bool editing_ = false;
    bool loaded_ = false;
    bool reloading_ = false;
    UITableViewRowAnimation lastAnimation_ = UITableViewRowAnimation::none;

    std::shared_ptr<UIPanGestureRecognizer> swipePan_;
    std::shared_ptr<SwipeHandler> swipeHandler_;
    std::optional<IndexPath> swipedRow_;
    std::optional<IndexPath> swipingRow_;
    std::shared_ptr<UISwipeActionsConfiguration> swipeConfiguration_;
    std::vector<std::shared_ptr<UIButton>> swipeButtons_;
};
