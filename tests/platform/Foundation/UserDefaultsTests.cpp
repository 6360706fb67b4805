#include "Foundation/AppContainer.h"
#include "Foundation/UserDefaults.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

TEST(UserDefaultsTests, ValuesPersistAcrossInstances) {
    std::string path = AppContainer::defaultsPath();
    {
        UserDefaults defaults(path);
        EXPECT_EQ(defaults.integer("count"), 0);
        EXPECT_FALSE(defaults.boolean("flag"));
        EXPECT_FALSE(defaults.string("name"));
        defaults.set("count", 3);
        defaults.set("flag", true);
        defaults.set("name", "Melodrift");
        defaults.set("blob", std::vector<uint8_t>{0, 1, 254, 255, 7});
        defaults.set("gone", 1);
        defaults.removeObject("gone");
    }
    UserDefaults again(path);
    EXPECT_EQ(again.integer("count"), 3);
    EXPECT_TRUE(again.boolean("flag"));
    EXPECT_EQ(again.string("name"), "Melodrift");
    EXPECT_EQ(again.data("blob"), (std::vector<uint8_t>{0, 1, 254, 255, 7}));
    EXPECT_FALSE(again.hasKey("gone"));
    EXPECT_FALSE(std::filesystem::exists(path + ".new")) << "the temporary file is renamed";
}

TEST(UserDefaultsTests, StandardFollowsTheContainer) {
    UserDefaults::standard().set("isFirstOpen", true);
    EXPECT_TRUE(UserDefaults(AppContainer::defaultsPath()).boolean("isFirstOpen"));
}

TEST(UserDefaultsTests, CorruptFileIsSetAsideAndDefaultsStartEmpty) {
    std::string path = AppContainer::defaultsPath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "{\"number0fTimesLaunched\": 4,";
    UserDefaults defaults(path);
    EXPECT_EQ(defaults.integer("number0fTimesLaunched"), 0);
    EXPECT_TRUE(std::filesystem::exists(path + ".corrupt"));
    defaults.set("number0fTimesLaunched", 1);
    EXPECT_EQ(UserDefaults(path).integer("number0fTimesLaunched"), 1);
}
