#include "support/UIHarness.h"

#include "UIKit/UIButton.h"
#include "UIKit/UIContextualAction.h"
#include "UIKit/UILabel.h"
#include "UIKit/UISwipeActionsConfiguration.h"
#include "UIKit/UITableView.h"
#include "UIKit/UIViewController.h"

#include <gtest/gtest.h>

namespace {

// A list of names with a filter, multi-selection in edit mode and a trailing Delete and Rename.
class ListScreen : public UIViewController,
                   public UITableViewDataSource,
                   public UITableViewDelegate {
  public:
    std::vector<std::string> names{"alpha.mp3", "beta.wav", "gamma.mp3", "delta.mp3"};
    std::vector<std::string> shown = names;
    std::vector<std::string> selectedLog;
    std::vector<std::string> renamed;
    std::shared_ptr<UITableView> table;

    void viewDidLoad() override {
        table = UITableView::make(view()->bounds());
        table->rowHeight = 60;
        table->allowsMultipleSelectionDuringEditing = true;
        table->registerClass<UITableViewCell>("cell");
        view()->addSubview(table);
        auto self = std::dynamic_pointer_cast<ListScreen>(sharedController());
        table->setDataSource(self);
        table->setDelegate(self);
    }
    void filter(const std::string& text) {
        shown.clear();
        for (auto& n : names)
            if (n.find(text) != std::string::npos)
                shown.push_back(n);
        table->reloadData();
    }
    int numberOfRowsInSection(UITableView&, int) override { return int(shown.size()); }
    std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& t, const IndexPath& ip) override {
        auto cell = t.dequeueReusableCell("cell", ip);
        cell->textLabel()->setText(shown[ip.row]);
        auto background = UIView::make();
        background->setBackgroundColor(UIColor::systemGray5());
        cell->setSelectedBackgroundView(background);
        return cell;
    }
    void didSelectRowAt(UITableView&, const IndexPath& ip) override {
        selectedLog.push_back("+" + shown[ip.row]);
    }
    void didDeselectRowAt(UITableView&, const IndexPath& ip) override {
        selectedLog.push_back("-" + shown[ip.row]);
    }
    std::shared_ptr<UISwipeActionsConfiguration>
    trailingSwipeActionsConfigurationForRowAt(UITableView&, const IndexPath& ip) override {
        std::string name = shown[ip.row];
        auto remove = UIContextualAction::make(
            UIContextualActionStyle::destructive, "Delete",
            [this, name](UIContextualAction&, UIView&, auto done) {
                std::erase(names, name);
                auto row = std::find(shown.begin(), shown.end(), name) - shown.begin();
                shown.erase(shown.begin() + row);
                table->deleteRows({{int(row), 0}}, UITableViewRowAnimation::automatic);
                done(true);
            });
        auto rename =
            UIContextualAction::make(UIContextualActionStyle::normal, "Rename",
                                     [this, name](UIContextualAction&, UIView&, auto done) {
                                         renamed.push_back(name);
                                         done(true);
                                     });
        return UISwipeActionsConfiguration::make({remove, rename});
    }
};

TEST(TableTest, SelectionInEditModeTogglesRowsAndShowsTheirBackground) {
    UIHarness h;
    auto screen = std::make_shared<ListScreen>();
    h.launch(screen);
    auto table = screen->table;
    ASSERT_EQ(table->numberOfRows(0), 4);
    h.tapRow(table, {2, 0});
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{2, 0}));
    h.tapRow(table, {1, 0});
    EXPECT_EQ(table->indexPathsForSelectedRows(), std::vector<IndexPath>{IndexPath(1, 0)})
        << "one row at a time";
    EXPECT_EQ(screen->selectedLog,
              (std::vector<std::string>{"+gamma.mp3", "-gamma.mp3", "+beta.wav"}));

    table->setEditing(true, true);
    EXPECT_TRUE(table->indexPathsForSelectedRows().empty()) << "editing starts without a selection";
    h.tapRow(table, {3, 0});
    h.tapRow(table, {0, 0});
    h.tapRow(table, {3, 0});
    h.tapRow(table, {1, 0});
    EXPECT_EQ(table->indexPathsForSelectedRows(), (std::vector<IndexPath>{{0, 0}, {1, 0}}));
    EXPECT_TRUE(table->cellForRow({0, 0})->showsSelectedBackground());
    EXPECT_FALSE(table->cellForRow({3, 0})->showsSelectedBackground());
    h.swipeRow(table, {2, 0});
    EXPECT_FALSE(table->swipedRow()) << "rows do not swipe while editing";
}

TEST(TableTest, SwipeActionsOnAFilteredListActOnTheRowShown) {
    UIHarness h;
    auto screen = std::make_shared<ListScreen>();
    h.launch(screen);
    auto table = screen->table;
    screen->filter(".mp3");
    ASSERT_EQ(table->numberOfRows(0), 3);

    h.swipeRow(table, {1, 0});
    ASSERT_EQ(table->swipedRow(), (IndexPath{1, 0}));
    ASSERT_EQ(table->swipeActionButtons().size(), 2u);
    EXPECT_EQ(table->swipeActionButtons()[0]->currentTitle(), "Delete");
    h.tapSwipeAction(table, "Rename");
    EXPECT_EQ(screen->renamed, std::vector<std::string>{"gamma.mp3"});
    EXPECT_FALSE(table->swipedRow()) << "the completion closes the row";

    // A full swipe runs the first action: Delete of the second shown row.
    h.fullSwipeRow(table, {1, 0});
    EXPECT_EQ(screen->names, (std::vector<std::string>{"alpha.mp3", "beta.wav", "delta.mp3"}));
    EXPECT_EQ(table->numberOfRows(0), 2);
    EXPECT_EQ(table->lastRowAnimation(), UITableViewRowAnimation::automatic);
    EXPECT_EQ(table->cellForRow({1, 0})->textLabel()->text(), "delta.mp3");
    EXPECT_TRUE(screen->selectedLog.empty()) << "a swipe selects nothing";
}

TEST(TableTest, DeletingRowsTheDataStillHoldsIsRefused) {
    UIHarness h;
    auto screen = std::make_shared<ListScreen>();
    h.launch(screen);
    EXPECT_THROW(screen->table->deleteRows({{0, 0}}, UITableViewRowAnimation::fade),
                 std::logic_error);
    EXPECT_THROW(screen->table->dequeueReusableCell("nothing", {0, 0}), std::logic_error);
}

} // namespace
