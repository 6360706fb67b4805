#include "Foundation/Bundle.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<Bundle> kitBundle() {
    return Bundle::at(mainResourcesPath() + "/Bootwell_Bootwell.bundle");
}

nlohmann::json waves() {
    auto bundle = kitBundle();
    auto path = bundle ? bundle->path("waves", "json") : std::nullopt;
    return path ? nlohmann::json::parse(readFile(*path)) : nlohmann::json();
}

// Calls `visit` with every paint item (solid or gradient fill or stroke) and its depth below the
// composition: a layer's own shapes are at depth 2, a group's items one deeper.
void forEachPaint(const nlohmann::json& items, int depth,
                  const std::function<void(const nlohmann::json&, int)>& visit) {
    for (const auto& item : items) {
        std::string type = item.value("ty", "");
        if (type == "gr")
            forEachPaint(item["it"], depth + 1, visit);
        else if (type == "fl" || type == "st" || type == "gf" || type == "gs")
            visit(item, depth);
    }
}

} // namespace

TEST(ArtworkResourceTests, KitBundleCarriesItsNameAndTheAnimation) {
    auto bundle = kitBundle();
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->infoDictionary().value("CFBundleName", ""), "Bootwell_Bootwell");
    EXPECT_TRUE(bundle->url("waves", "json"));
}

TEST(ArtworkResourceTests, WavesPlaysPastFrameTwoHundredAndEveryColourSitsThreeKeysDeep) {
    auto animation = waves();
    ASSERT_TRUE(animation.is_object());
    // The welcome screen plays up to frame 200.
    EXPECT_GT(animation["op"].get<double>() - animation["ip"].get<double>(), 200);

    int paints = 0;
    for (const auto& layer : animation["layers"]) {
        EXPECT_EQ(layer["ty"], 4) << layer["nm"];
        forEachPaint(layer["shapes"], 2, [&](const nlohmann::json& paint, int depth) {
            ++paints;
            // One colour set through "**.**.**.Color" must reach every paint: solid paints
            // only, each at layer > group > paint.
            std::string type = paint["ty"];
            EXPECT_TRUE(type == "fl" || type == "st") << layer["nm"] << " has a gradient";
            EXPECT_EQ(depth, 3) << layer["nm"];
            EXPECT_EQ(paint["c"]["k"].size(), 4u) << layer["nm"];
        });
    }
    EXPECT_GT(paints, 0);
}

TEST(ArtworkResourceTests, NamedImagesAndSymbolsAreScalableSvgFiles) {
    struct Case {
        std::string folder;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {"images",
         {"folder",
          "ic_img",
          "ic_video",
          "ic_audio",
          "ic_note",
          "ic_unknown",
          "ic_pdf",
          "ic_zip",
          "ic_rar",
          "ic_7z",
          "ic_file_mp3",
          "ic_file_wav",
          "ic_file_flac",
          "ic_file_aac",
          "ic_file_m4a",
          "ic_file_alaw",
          "ic_file_ulaw",
          "ic_file_ima4",
          "ic_file_opus",
          "ic_file_caf",
          "ic_file_aiff",
          "bg",
          "ic_music_preview",
          "ic_h_label",
          "ic_h_label_selected",
          "ic_media_play",
          "ic_media_pause",
          "ic_music_note"}},
        {"symbols",
         {"play.fill", "pause.fill", "stop.fill", "trash.fill", "square.and.arrow.up",
          "checkmark.circle.fill", "circle"}},
    };
    for (const auto& [folder, names] : cases) {
        for (const auto& name : names) {
            std::string path = mainResourcesPath() + "/" + folder + "/" + name + ".svg";
            std::string text = readFile(path);
            EXPECT_EQ(text.rfind("<svg", 0), 0u) << path;
            EXPECT_NE(text.find("viewBox="), std::string::npos) << path;
            EXPECT_NE(text.find("</svg>"), std::string::npos) << path;
        }
    }
}
