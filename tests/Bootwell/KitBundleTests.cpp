#include "Bootwell/Bundle+Info.h"
#include "Bootwell/SettingsManager.h"
#include "Bootwell/resource_bundle_accessor.h"

#include "Foundation/AppContainer.h"
#include "Foundation/FileManager.h"
#include "Foundation/UserDefaults.h"

#include <gtest/gtest.h>

namespace {

// A bundle folder in the test's container with the given information dictionary text.
Bundle bundleWithInfo(const std::string& name, const std::string& infoJson) {
    std::string path = AppContainer::rootPath() + "/" + name;
    FileManager::defaultManager().createDirectory(URL::fileURL(path), true);
    if (!infoJson.empty())
        FileManager::defaultManager().createFile(path + "/Info.json", infoJson);
    return *Bundle::at(path);
}

} // namespace

TEST(KitBundleTests, AppNameFallsBackFromDisplayNameToBundleNameToNothing) {
    struct Case {
        const char* info;
        const char* name;
        const char* version;
        const char* build;
    };
    int n = 0;
    for (const Case& c : {
             Case{R"({"CFBundleDisplayName":"Shown","CFBundleName":"Inner",
                      "CFBundleShortVersionString":"2.1.0","CFBundleVersion":"7"})",
                  "Shown", "2.1.0", "7"},
             Case{R"({"CFBundleName":"Inner"})", "Inner", "", ""},
             Case{R"({"CFBundleDisplayName":42,"CFBundleName":"Inner","CFBundleVersion":3})",
                  "Inner", "", ""},
             Case{R"({})", "", "", ""},
             Case{"", "", "", ""},
             Case{"not json", "", "", ""},
         }) {
        Bundle bundle = bundleWithInfo("b" + std::to_string(n++), c.info);
        EXPECT_EQ(Bootwell::appName(bundle), c.name) << c.info;
        EXPECT_EQ(Bootwell::appVersion(bundle), c.version) << c.info;
        EXPECT_EQ(Bootwell::buildNumber(bundle), c.build) << c.info;
    }
    EXPECT_EQ(Bootwell::appName(Bundle::main()), "Melodrift");
}

TEST(KitBundleTests, ModuleBundleIsTheKitsResourceBundle) {
    const Bundle& bundle = Bootwell::moduleBundle();
    EXPECT_EQ(bundle.infoDictionary().value("CFBundleName", ""), "Bootwell_Bootwell");
    EXPECT_TRUE(bundle.url("waves", "json"));
    EXPECT_EQ(&bundle, &Bootwell::moduleBundle());
}

TEST(KitBundleTests, LocatingSkipsMissingCandidatesAndTakesTheFirstThatOpens) {
    std::string empty = AppContainer::rootPath() + "/empty";
    FileManager::defaultManager().createDirectory(URL::fileURL(empty), true);
    std::string first = AppContainer::rootPath() + "/first";
    bundleWithInfo("first/Bootwell_Bootwell.bundle", R"({"CFBundleName":"first"})");
    Bundle found =
        Bootwell::locateModuleBundle({"", "/no/such/folder", empty, first, mainResourcesPath()});
    EXPECT_EQ(found.infoDictionary().value("CFBundleName", ""), "first");
}

TEST(KitBundleDeathTest, NoCandidateHoldingTheBundleStopsTheProcess) {
    std::string empty = AppContainer::rootPath() + "/empty";
    FileManager::defaultManager().createDirectory(URL::fileURL(empty), true);
    EXPECT_DEATH(Bootwell::locateModuleBundle({empty, "/no/such/folder"}),
                 "unable to find bundle named Bootwell_Bootwell");
}

TEST(KitBundleTests, IsFirstOpenReadsFalseUntilStoredAsABoolean) {
    EXPECT_FALSE(Bootwell::SettingsManager::isFirstOpen());
    Bootwell::SettingsManager::setIsFirstOpen(true);
    EXPECT_TRUE(Bootwell::SettingsManager::isFirstOpen());
    EXPECT_TRUE(UserDefaults::standard().boolean("isFirstOpen"));
    // Kept across launches: a fresh read of the stored file sees it.
    UserDefaults reread(UserDefaults::standard().path());
    EXPECT_TRUE(reread.boolean("isFirstOpen"));
}
