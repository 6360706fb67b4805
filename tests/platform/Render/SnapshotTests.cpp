#include "Foundation/RunLoop.h"
#include "Render/Snapshot.h"
#include "UIKit/CABasicAnimation.h"
#include "UIKit/CAGradientLayer.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
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

} // namespace
