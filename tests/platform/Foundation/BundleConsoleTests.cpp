#include "Foundation/AppContainer.h"
#include "Foundation/Bundle.h"
#include "Foundation/Console.h"
#include "Foundation/DispatchQueue.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

TEST(BundleTests, MainBundleIsTheResourcesFolder) {
    const auto& info = Bundle::main().infoDictionary();
    EXPECT_EQ(info.value("CFBundleName", ""), "Melodrift");
    EXPECT_TRUE(Bundle::main().url("Info.json"));
    EXPECT_TRUE(Bundle::main().url("Info", "json"));
    EXPECT_FALSE(Bundle::main().url("no-such-resource", "png"));
}

TEST(BundleTests, BundleAtAFolderReadsItsInformation) {
    std::string folder = AppContainer::rootPath() + "/Kit.bundle";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/Info.json") << R"({"CFBundleName": "Kit", "CFBundleVersion": 7})";
    std::ofstream(folder + "/waves.json") << "{}";

    auto bundle = Bundle::at(folder);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->infoDictionary()["CFBundleName"], "Kit");
    EXPECT_FALSE(bundle->infoDictionary()["CFBundleVersion"].is_string());
    EXPECT_EQ(bundle->path("waves", "json"), folder + "/waves.json");
    EXPECT_FALSE(Bundle::at(folder + "/missing"));
}

TEST(ConsoleTests, CapturesLinesFromAnyThread) {
    Console::startCapture();
    Console::print("Unable to delete item: x");
    {
        DispatchQueue queue("test.console");
        queue.sync([] { Console::systemLog("Unable to create directory y"); });
    }
    EXPECT_EQ(Console::printedLines(), (std::vector<std::string>{"Unable to delete item: x"}));
    EXPECT_EQ(Console::systemLogLines(),
              (std::vector<std::string>{"Unable to create directory y"}));
}
