#include "Foundation/RunLoop.h"
#include "Render/Snapshot.h"
#include "Services/LottieAnimationView.h"
#include "UIKit/CABasicAnimation.h"
#include "UIKit/CAGradientLayer.h"
#include "UIKit/CAShapeLayer.h"
#include "UIKit/UIBezierPath.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITextField.h"
#include "UIKit/UIView.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Pixel = SnapshotImage::Pixel;

// A black phone-sized screen to place views on.
class SnapshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Snapshot::prepare();
        root = UIView::make({0, 0, 390, 844});
        root->setBackgroundColor(UIColor::black());
    }

    static void expectNear(Pixel actual, Pixel expected, int tolerance = 3) {
        EXPECT_NEAR(actual.r, expected.r, tolerance);
        EXPECT_NEAR(actual.g, expected.g, tolerance);
        EXPECT_NEAR(actual.b, expected.b, tolerance);
        EXPECT_NEAR(actual.a, expected.a, tolerance);
    }

    std::shared_ptr<UIView> root;
};

const Pixel black{0, 0, 0, 255};

TEST_F(SnapshotTest, GradientRunsFromItsTopColourToItsBottomColour) {
    auto gradient = CAGradientLayer::make();
    gradient->setFrame(root->bounds());
    gradient->colors = {UIColor::rgb255(75, 57, 93), UIColor::rgb255(40, 48, 72)};
    gradient->locations = std::vector<double>{0, 1};
    gradient->startPoint = {1, 0};
    gradient->endPoint = {1, 1};
    root->layer()->insertSublayer(gradient, 0);

    auto image = Snapshot::image(*root);
    expectNear(image.pixelAt({195, 0.2}), {75, 57, 93, 255});
    expectNear(image.pixelAt({195, 843.8}), {40, 48, 72, 255});
    Pixel middle = image.pixelAt({10, 422});
    EXPECT_NEAR(middle.r, (75 + 40) / 2, 3);
    EXPECT_NEAR(middle.b, (93 + 72) / 2, 3);
}

std::shared_ptr<UIView> box(const CGRect& frame, const UIColor& color) {
    auto v = UIView::make(frame);
    v->setBackgroundColor(color);
    return v;
}

TEST_F(SnapshotTest, HiddenAndTransparentViewsAreNotDrawnButHalfAlphaBlends) {
    auto hidden = box({10, 10, 50, 50}, UIColor::white());
    hidden->setHidden(true);
    auto clear = box({70, 10, 50, 50}, UIColor::white());
    clear->setAlpha(0);
    auto half = box({130, 10, 50, 50}, UIColor::white());
    half->setAlpha(0.5);
    for (auto& v : {hidden, clear, half})
        root->addSubview(v);
    // A hidden parent hides its children too.
    auto child = box({0, 0, 20, 20}, UIColor::red());
    hidden->addSubview(child);

    auto image = Snapshot::image(*root);
    EXPECT_EQ(image.countDiffering({10, 10, 110, 50}, black, 0), 0);
    expectNear(image.pixelAt({155, 35}), {128, 128, 128, 255});
}

TEST_F(SnapshotTest, LabelInkStaysInsideItsFrame) {
    struct Case {
        const char* text;
        int lines;
        NSTextAlignment alignment;
    };
    const Case cases[] = {
        {"Processing 2 items", 1, NSTextAlignment::left},
        {"Unable to delete item: a name far too long to fit on one line of this label", 1,
         NSTextAlignment::center},
        {"Three lines of wrapping text that go on and on and on and on and on until cut", 2,
         NSTextAlignment::right},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        root = UIView::make({0, 0, 390, 200});
        root->setBackgroundColor(UIColor::black());
        CGRect frame{40, 50, 200, c.lines == 1 ? 24.0 : 48.0};
        auto label = UILabel::make(frame);
        label->setText(c.text);
        label->setTextColor(UIColor::white());
        label->setNumberOfLines(c.lines);
        label->textAlignment = c.alignment;
        root->addSubview(label);
        auto image = Snapshot::image(*root);
        EXPECT_GT(image.countDiffering(frame, black), 50);
        int outside =
            image.countDiffering({0, 0, 390, 200}, black) - image.countDiffering(frame, black);
        EXPECT_EQ(outside, 0);
    }
}

TEST_F(SnapshotTest, AttributedRunsKeepTheirOwnColours) {
    auto label = UILabel::make({20, 20, 350, 30});
    NSAttributedString text("red blue");
    NSTextAttributes red, link;
    red.foregroundColor = UIColor::red();
    link.link = "https://example.com";
    text.addAttributes(red, {0, 3});
    text.addAttributes(link, {4, 4});
    label->setAttributedText(text);
    label->setFont(UIFont::systemFont(24, UIFont::Weight::bold));
    root->addSubview(label);
    auto image = Snapshot::image(*root);
    int reddish = 0, bluish = 0;
    for (int x = 0; x < 390 * 2; ++x) {
        for (int y = 40; y < 100; ++y) {
            Pixel p = image.pixel(x, y);
            reddish += p.r > 150 && p.b < 80;
            bluish += p.b > 150 && p.r < 80;
        }
    }
    EXPECT_GT(reddish, 50);
    EXPECT_GT(bluish, 50);
}

TEST_F(SnapshotTest, CornerRadiusClipsChildrenAndBordersDrawOnTop) {
    auto card = box({50, 50, 100, 100}, UIColor::blue());
    card->layer()->cornerRadius = 30;
    card->setClipsToBounds(true);
    card->layer()->borderWidth = 4;
    card->layer()->borderColor = UIColor::green();
    card->addSubview(box({0, 0, 100, 100}, UIColor::red()));
    root->addSubview(card);

    auto image = Snapshot::image(*root);
    expectNear(image.pixelAt({52, 52}), black);              // the cut corner
    expectNear(image.pixelAt({100, 100}), {255, 0, 0, 255}); // the child inside
    expectNear(image.pixelAt({100, 51}), {0, 255, 0, 255});  // border over the child
}

TEST_F(SnapshotTest, ShadowDarkensAroundAViewAndMasksCutIt) {
    root->setBackgroundColor(UIColor::white());
    auto card = box({100, 100, 100, 100}, UIColor::white());
    card->layer()->shadowOpacity = 0.5;
    card->layer()->shadowRadius = 8;
    card->layer()->shadowOffset = {0, 6};
    root->addSubview(card);

    auto masked = box({250, 100, 100, 100}, UIColor::red());
    auto mask = CAShapeLayer::make();
    mask->path = UIBezierPath::roundedRect({0, 0, 50, 100}, 0)->cgPath();
    masked->layer()->mask = mask;
    root->addSubview(masked);

    auto image = Snapshot::image(*root);
    Pixel below = image.pixelAt({150, 204});
    EXPECT_LT(below.r, 235);
    expectNear(image.pixelAt({150, 150}), {255, 255, 255, 255});
    expectNear(image.pixelAt({275, 150}), {255, 0, 0, 255});
    expectNear(image.pixelAt({325, 150}), {255, 255, 255, 255});
}

TEST_F(SnapshotTest, RunningAnimationIsDrawnAtItsPresentationValue) {
    auto fading = box({0, 0, 100, 100}, UIColor::white());
    root->addSubview(fading);
    UIView::animate(1.0, 0, UIViewAnimationOptionCurveLinear, [&] { fading->setAlpha(0); });
    double start = RunLoop::main().now();

    Pixel midway = Snapshot::image(*root, 1, start + 0.5).pixelAt({50, 50});
    EXPECT_NEAR(midway.r, 128, 6);
    RunLoop::main().advance(1.1);
    expectNear(Snapshot::image(*root, 1).pixelAt({50, 50}), black);
}

TEST_F(SnapshotTest, SymbolImagesAreTintedAndFitTheirView) {
    auto icon = UIImageView::make(UIImage::systemName("play.fill"));
    ASSERT_TRUE(icon->image());
    icon->setFrame({100, 100, 120, 60});
    icon->contentMode = UIViewContentMode::scaleAspectFit;
    icon->setTintColor(UIColor::rgb255(117, 151, 242));
    root->addSubview(icon);
    auto image = Snapshot::image(*root);
    // Fitted: a 60-point square centred in the view, nothing on its left and right thirds.
    EXPECT_EQ(image.countDiffering({100, 100, 28, 60}, black), 0);
    EXPECT_EQ(image.countDiffering({192, 100, 28, 60}, black), 0);
    expectNear(image.pixelAt({162, 130}), {117, 151, 242, 255}, 6);
}

// The vector animation is drawn at the frame it stands on, so playing changes the picture.
TEST_F(SnapshotTest, AnimationViewShowsItsCurrentFrame) {
    auto kit = Bundle::at(Bundle::main().resourcePath() + "/Bootwell_Bootwell.bundle");
    ASSERT_TRUE(kit);
    auto waves = LottieAnimationView::named("waves", *kit);
    ASSERT_TRUE(waves->hasAnimation());
    waves->setFrame({0, 0, 390, 400});
    root->addSubview(waves);
    auto first = Snapshot::image(*root, 1);
    EXPECT_GT(first.countDiffering({0, 0, 390, 400}, black), 20000);
    EXPECT_EQ(first.countDiffering({0, 400, 390, 444}, black), 0);
    waves->setCurrentFrame(120);
    auto later = Snapshot::image(*root, 1);
    int changed = 0;
    for (int y = 0; y < 400; y += 4)
        for (int x = 0; x < 390; x += 4)
            changed +=
                later.pixelAt({double(x), double(y)}) != first.pixelAt({double(x), double(y)});
    EXPECT_GT(changed, 200);
}

TEST_F(SnapshotTest, PatternBackgroundTilesTheArtwork) {
    auto image = UIImage::named("bg.png");
    ASSERT_TRUE(image);
    root->setBackgroundColor(UIColor::patternImage(image));
    auto shot = Snapshot::image(*root, 1);
    EXPECT_GT(shot.countDiffering({0, 0, 390, 844}, black), 100000);
}

TEST_F(SnapshotTest, EditingFieldShowsItsCaretAndAnEmptyOneItsPlaceholder) {
    auto field = UITextField::make({20, 20, 300, 40});
    field->placeholder = "Name";
    field->textColor = UIColor::white();
    root->addSubview(field);
    auto placeholder = Snapshot::image(*root);
    EXPECT_GT(placeholder.countDiffering({20, 20, 80, 40}, black), 30);

    field->setText("");
    field->placeholder = "";
    field->becomeFirstResponder();
    // Caret on (early in its blink) and off (late in it).
    auto on = Snapshot::image(*root, 2, 100.1);
    auto off = Snapshot::image(*root, 2, 100.9);
    EXPECT_GT(on.countDiffering({19, 20, 4, 40}, black), 20);
    EXPECT_EQ(off.countDiffering({19, 20, 4, 40}, black), 0);
    field->resignFirstResponder();
}

TEST_F(SnapshotTest, WritesAReadablePngAndReportsAnUnwritablePath) {
    root->addSubview(box({0, 0, 10, 10}, UIColor::red()));
    std::string path = (std::filesystem::temp_directory_path() / "melodrift-snap.png").string();
    ASSERT_TRUE(Snapshot::render(*root, path));
    EXPECT_GT(std::filesystem::file_size(path), 100u);
    std::filesystem::remove(path);
    std::string error;
    EXPECT_FALSE(Snapshot::render(*root, "/nonexistent-folder/x.png", 2, &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
