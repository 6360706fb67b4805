#include "Foundation/Bundle.h"
#include "UIKit/CAShapeLayer.h"
#include "UIKit/UIBezierPath.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIImage.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(UIColorValues, ConstructionAndDynamicResolution) {
    EXPECT_EQ(UIColor::hex(0x7597F2), UIColor::rgb255(117, 151, 242));
    EXPECT_EQ(*UIColor::fromHexString("#536CE2"), UIColor::rgb255(83, 108, 226));
    EXPECT_FALSE(UIColor::fromHexString("12G4").has_value());
    EXPECT_FALSE(UIColor::fromHexString("#FFF").has_value());
    EXPECT_EQ(UIColor::white(0.5).numberOfComponents(), 2);
    EXPECT_EQ(UIColor::systemBlue().numberOfComponents(), 4);

    UITraitCollection dark;
    dark.userInterfaceStyle = UIUserInterfaceStyle::dark;
    auto pair = UIColor::dynamic(UIColor::white(), UIColor::black());
    EXPECT_EQ(pair.resolvedColor(UITraitCollection{}), UIColor::white());
    EXPECT_EQ(pair.resolvedColor(dark), UIColor::black());
    EXPECT_EQ(UIColor::systemBlue().resolvedColor(UITraitCollection{}),
              UIColor::rgb255(0, 122, 255));
    EXPECT_NE(UIColor::systemBlue(), UIColor::systemRed());
    EXPECT_EQ(UIColor::lightText().alpha(), 0.6);
    EXPECT_NEAR(UIColor::black().withAlphaComponent(0.5).alpha(), 0.5, 1e-12);
}

class TempBundle : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::path(std::getenv("MELODRIFT_HOME")) / "Images.bundle";
        std::filesystem::create_directories(folder_);
        writePng("bg.png", 64, 32);
        writePng("ic_h_label@2x.png", 120, 60);
        std::ofstream(folder_ / "logo.svg")
            << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 48 24\"></svg>";
        std::ofstream(folder_ / "broken.png") << "not a png";
    }

    void writePng(const std::string& name, uint32_t w, uint32_t h) {
        unsigned char bytes[24] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                   0,    0,   0,   13,  'I',  'H',  'D',  'R'};
        for (int i = 0; i < 4; ++i) {
            bytes[16 + i] = static_cast<unsigned char>(w >> (24 - 8 * i));
            bytes[20 + i] = static_cast<unsigned char>(h >> (24 - 8 * i));
        }
        std::ofstream(folder_ / name, std::ios::binary)
            .write(reinterpret_cast<char*>(bytes), sizeof bytes);
    }

    std::filesystem::path folder_;
};

TEST_F(TempBundle, NamedImagesAreFoundWithTheirSizes) {
    auto bundle = Bundle::at(folder_.string());
    ASSERT_TRUE(bundle);
    auto bg = UIImage::named("bg.png", *bundle);
    ASSERT_TRUE(bg);
    EXPECT_EQ(bg->size(), (CGSize{64, 32}));
    EXPECT_EQ(bg->path(), (folder_ / "bg.png").string());
    auto label = UIImage::named("ic_h_label", *bundle);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->scale(), 2);
    EXPECT_EQ(label->size(), (CGSize{60, 30}));
    auto logo = UIImage::named("logo", *bundle);
    ASSERT_TRUE(logo);
    EXPECT_TRUE(logo->isVector());
    EXPECT_EQ(logo->size(), (CGSize{48, 24}));
    EXPECT_EQ(UIImage::named("missing", *bundle), nullptr);
    EXPECT_EQ(UIImage::named("broken", *bundle), nullptr);
    EXPECT_EQ(UIImage::named("../Images.bundle/bg.png", *bundle), nullptr);
    auto pattern = UIColor::patternImage(bg);
    EXPECT_TRUE(pattern.isPattern());
    EXPECT_EQ(pattern.patternImageValue(), bg);
}

TEST(UIImageSymbols, SystemSymbolsCarryTheirConfiguration) {
    auto config = UIImageSymbolConfiguration::withPointSize(20, UIImageSymbolWeight::bold,
                                                            UIImageSymbolScale::large);
    auto play = UIImage::systemName("play.fill", config);
    ASSERT_TRUE(play);
    EXPECT_TRUE(play->isSymbolImage());
    EXPECT_EQ(play->renderingMode(), UIImageRenderingMode::alwaysTemplate);
    EXPECT_EQ(play->symbolConfiguration(), config);
    auto plain = UIImage::systemName("play.fill");
    EXPECT_GT(play->size().height, plain->size().height);
    for (const char* name : {"pause.fill", "stop.fill", "checkmark.circle.fill", "circle",
                             "trash.fill", "square.and.arrow.up"})
        EXPECT_TRUE(UIImage::systemName(name)) << name;
    EXPECT_EQ(UIImage::systemName("no.such.symbol"), nullptr);
}

TEST(UIBezierPathShapes, RoundedCornersOnlyWhereAsked) {
    auto path = UIBezierPath::roundedRect({0, 0, 100, 40},
                                          UIRectCornerTopRight | UIRectCornerBottomLeft, {12, 12});
    int arcs = 0;
    for (const auto& e : path->cgPath().elements())
        arcs += e.type == CGPath::ElementType::arc;
    EXPECT_EQ(arcs, 2);
    EXPECT_EQ(path->bounds(), (CGRect{0, 0, 100, 40}));
    // A radius larger than half the short side is capped.
    auto pill = UIBezierPath::roundedRect({0, 0, 100, 40}, 50);
    EXPECT_EQ(pill->bounds(), (CGRect{0, 0, 100, 40}));

    auto shape = CAShapeLayer::make();
    shape->path = path->cgPath();
    shape->fillColor = std::nullopt;
    shape->strokeColor = UIColor::white();
    shape->lineWidth = 4;
    auto copy = std::dynamic_pointer_cast<CAShapeLayer>(shape->copyLayer());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->path, shape->path);
    EXPECT_FALSE(copy->fillColor.has_value());
}

} // namespace
