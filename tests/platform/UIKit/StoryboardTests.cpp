#include "support/UIHarness.h"

#include "Foundation/Bundle.h"
#include "UIKit/NSLayoutConstraint.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIClassRegistry.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UINib.h"
#include "UIKit/UIStoryboard.h"
#include "UIKit/UITableView.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class CounterViewController : public UIViewController, public UITableViewDataSource {
  public:
    std::weak_ptr<UILabel> countLbl;
    std::weak_ptr<UIButton> plus_Btn;
    std::weak_ptr<UITableView> tableView;
    int count = 0;
    int lastTag = -1;

    void viewDidLoad() override {
        tableView.lock()->setDataSource(
            std::dynamic_pointer_cast<CounterViewController>(sharedController()));
    }
    void plusPressed(std::shared_ptr<UIButton> sender) {
        lastTag = sender->tag;
        countLbl.lock()->setText(std::to_string(++count));
    }
    void resetPressed() {
        count = 0;
        countLbl.lock()->setText("0");
    }
    int numberOfRowsInSection(UITableView&, int) override { return count; }
    std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& t, const IndexPath& ip) override {
        return t.dequeueReusableCell("row_cell", ip);
    }
};

class RowCell : public UITableViewCell {
  public:
    std::weak_ptr<UILabel> nameL;
};

// A view that loads its content from an interface file with itself as owner.
class StripView : public UIView {
  public:
    std::weak_ptr<UIView> contentView;
    std::weak_ptr<NSLayoutConstraint> leftConstraint;
    static std::shared_ptr<StripView> make(const Bundle& bundle) {
        auto view = std::make_shared<StripView>();
        // The top-level views live while the call's answer is held.
        auto top = loadNibNamed(bundle, "StripView", view);
        view->addSubview(view->contentView.lock());
        return view;
    }
};

UIKIT_REGISTER_CLASS(CounterViewController, UIViewController, d) {
    d.outlet("countLbl", &CounterViewController::countLbl);
    d.outlet("plus_Btn", &CounterViewController::plus_Btn);
    d.outlet("tableView", &CounterViewController::tableView);
    d.action("plusPressed:", &CounterViewController::plusPressed);
    d.action("resetPressed", &CounterViewController::resetPressed);
}

UIKIT_REGISTER_CLASS(RowCell, UITableViewCell, d) {
    d.outlet("nameL", &RowCell::nameL);
}

UIKIT_REGISTER_CLASS(StripView, UIView, d) {
    d.outlet("contentView", &StripView::contentView);
    d.outlet("leftConstraint", &StripView::leftConstraint);
}

// Writes interface files into a bundle folder of the test's own.
class StoryboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::string(std::getenv("MELODRIFT_HOME")) + "/bundle";
        std::filesystem::create_directories(folder_);
    }
    void write(const std::string& file, const std::string& text) {
        std::ofstream(folder_ + "/" + file) << text;
    }
    Bundle bundle() { return *Bundle::at(folder_); }
    std::string folder_;
};

const char* counterScene = R"({
  "initialViewController": "nav",
  "scenes": [
    {"id": "nav", "class": "UINavigationController", "storyboardIdentifier": "counter_nav", "rootViewController": "counter"},
    {"id": "counter", "class": "CounterViewController", "storyboardIdentifier": "counter", "title": "Count",
     "view": {"class": "UIView", "backgroundColor": "#202030", "subviews": [
        {"id": "count", "class": "UILabel", "frame": [20, 20, 100, 30], "text": "0", "outlet": "countLbl",
         "font": {"size": 24, "weight": "bold"}, "textColor": "white"},
        {"id": "plus", "class": "UIButton", "buttonType": "system", "frame": [20, 60, 100, 44], "title": "Plus",
         "tag": 7, "outlet": "plus_Btn", "action": "plusPressed:"},
        {"id": "reset", "class": "UIButton", "frame": [140, 60, 100, 44], "title": "Reset"},
        {"id": "table", "class": "UITableView", "frame": [0, 120, 390, 400], "outlet": "tableView", "rowHeight": 50,
         "prototypes": [{"reuseIdentifier": "row_cell", "class": "RowCell",
                         "subviews": [{"class": "UILabel", "frame": [16, 0, 200, 50], "text": "row", "outlet": "nameL"}]}]}
     ]},
     "actions": [{"selector": "resetPressed", "sender": "reset", "event": "touchUpInside"}]}
  ]})";

TEST_F(StoryboardTest, ASceneIsBoundAndDrivenByTaps) {
    write("Counter.storyboard.json", counterScene);
    Bundle b = bundle();
    auto board = UIStoryboard::make("Counter", &b);
    UIHarness h;
    auto nav = std::dynamic_pointer_cast<UINavigationController>(
        board->instantiateInitialViewController());
    ASSERT_NE(nav, nullptr);
    h.launch(nav);
    auto counter = std::dynamic_pointer_cast<CounterViewController>(nav->topViewController());
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(nav->navigationBar()->topItem()->title, "Count");
    auto label = counter->countLbl.lock();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font().pointSize(), 24);

    // Taps by window point, through hit-testing, as the desktop window sends them.
    CGPoint plus = h.centerInWindow(counter->plus_Btn.lock());
    h.tapAt(plus);
    h.tapAt(plus);
    EXPECT_EQ(UIHarness::text(label), "2");
    EXPECT_EQ(counter->lastTag, 7);
    counter->tableView.lock()->reloadData();
    auto cell = std::dynamic_pointer_cast<RowCell>(counter->tableView.lock()->cellForRow({1, 0}));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(UIHarness::text(cell->nameL.lock()), "row");
    h.tapButton("Reset");
    EXPECT_EQ(UIHarness::text(label), "0");
    EXPECT_TRUE(loadEveryScene("Counter").size() <= 1)
        << "the main bundle has no Counter storyboard";
}

struct BadScene {
    const char* change;
    const char* replacement;
    const char* message;
};

TEST_F(StoryboardTest, MistakesAreReportedByName) {
    const BadScene cases[] = {
        {"\"outlet\": \"countLbl\"", "\"outlet\": \"countLabel\"",
         "outlet \"countLabel\" is not declared by CounterViewController"},
        {"\"resetPressed\", \"sender\"", "\"resetTapped\", \"sender\"",
         "action \"resetTapped\" is not declared"},
        {"\"class\": \"CounterViewController\"", "\"class\": \"CounterScreen\"",
         "unknown class \"CounterScreen\""},
        {"\"outlet\": \"plus_Btn\"", "\"outlet\": \"countLbl\"",
         "takes a UILabel, but \"plus\" is a UIButton"},
        {"\"text\": \"0\"", "\"txt\": \"0\"",
         "property \"txt\" does not apply to UILabel \"count\""},
        {"\"class\": \"RowCell\"", "\"class\": \"RowCel\"", "unknown class \"RowCel\""},
    };
    Bundle b = bundle();
    int n = 0;
    for (auto& c : cases) {
        std::string text = counterScene;
        auto at = text.find(c.change);
        ASSERT_NE(at, std::string::npos) << c.change;
        text.replace(at, std::string(c.change).size(), c.replacement);
        std::string name = "Bad" + std::to_string(n++);
        write(name + ".storyboard.json", text);
        auto board = UIStoryboard::make(name, &b);
        try {
            board->validateScene("counter");
            ADD_FAILURE() << "no error for " << c.replacement;
        } catch (const UIInterfaceError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(name + ".storyboard.json"), std::string::npos)
                << e.what();
        }
    }
    EXPECT_THROW(UIStoryboard::make("Missing", &b), UIInterfaceError);
    write("Counter.storyboard.json", counterScene);
    EXPECT_THROW(UIStoryboard::make("Counter", &b)->instantiateViewController("nope"),
                 UIInterfaceError);
}

TEST_F(StoryboardTest, AnInterfaceFileFillsItsOwnersOutlets) {
    write("StripView.xib.json", R"({
      "objects": [{"id": "content", "class": "UIView", "frame": [0, 0, 300, 60], "subviews": [
          {"id": "strip", "class": "UIView", "frame": [0, 0, 300, 60], "translatesAutoresizingMaskIntoConstraints": false},
          {"id": "handle", "class": "UIView", "backgroundColor": "systemBlue", "translatesAutoresizingMaskIntoConstraints": false}]}],
      "outlets": {"contentView": "content"},
      "constraints": [
          {"id": "left", "outlet": "leftConstraint", "first": "handle.leading", "second": "strip.leading", "constant": 12},
          {"first": "handle.width", "constant": 20},
          {"first": "handle.top", "second": "strip.top"},
          {"first": "handle.bottom", "second": "strip.bottom"}]
    })");
    auto strip = StripView::make(bundle());
    auto left = strip->leftConstraint.lock();
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->constant(), 12);
    strip->setFrame({0, 0, 300, 60});
    strip->layoutIfNeeded();
    auto handle = strip->contentView.lock()->subviews()[1];
    EXPECT_EQ(handle->frame(), (CGRect{12, 0, 20, 60}));
    left->setConstant(40);
    strip->layoutIfNeeded();
    EXPECT_EQ(handle->frame().origin.x, 40);

    write("Broken.xib.json", R"({"objects": [{"id": "v"}], "outlets": {"rightConstraint": "v"}})");
    try {
        loadNibNamed(bundle(), "Broken", std::make_shared<StripView>());
        ADD_FAILURE() << "a missing outlet loads";
    } catch (const UIInterfaceError& e) {
        EXPECT_NE(
            std::string(e.what()).find("outlet \"rightConstraint\" is not declared by StripView"),
            std::string::npos)
            << e.what();
    }
}

} // namespace
