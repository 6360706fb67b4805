#include "Foundation/AppContainer.h"
#include "Foundation/FileManager.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class FileManagerTests : public ::testing::Test {
  protected:
    void SetUp() override {
        root = URL::fileURL(AppContainer::rootPath()).appendingPathComponent("fm");
        ASSERT_TRUE(fm.createDirectory(root, true));
    }

    URL write(const std::string& name, const std::string& contents = "x") {
        URL url = root.appendingPathComponent(name);
        EXPECT_TRUE(fm.createFile(url.path(), contents));
        return url;
    }

    FileManager& fm = FileManager::defaultManager();
    URL root;
};

std::vector<std::string> names(const std::vector<URL>& urls) {
    std::vector<std::string> out;
    for (const URL& url : urls)
        out.push_back(url.lastPathComponent());
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST_F(FileManagerTests, ContainerFoldersAreCreatedOnDemand) {
    auto documents = fm.documentsDirectory();
    ASSERT_TRUE(documents);
    EXPECT_EQ(documents->path(), AppContainer::documentsPath());
    bool isDirectory = false;
    EXPECT_TRUE(fm.fileExists(documents->path(), &isDirectory));
    EXPECT_TRUE(isDirectory);
    EXPECT_TRUE(fm.fileExists(fm.temporaryDirectory().path()));
}

TEST_F(FileManagerTests, ListingWithAndWithoutHiddenItems) {
    write("a.mp3");
    write(".hidden");
    ASSERT_TRUE(fm.createDirectory(root.appendingPathComponent("Music"), false));

    EXPECT_EQ(names(*fm.contentsOfDirectory(root, true)),
              (std::vector<std::string>{"Music", "a.mp3"}));
    EXPECT_EQ(names(*fm.contentsOfDirectory(root, false)),
              (std::vector<std::string>{".hidden", "Music", "a.mp3"}));

    NSError error;
    EXPECT_FALSE(fm.contentsOfDirectory(root.appendingPathComponent("missing"), true, &error));
    EXPECT_FALSE(error.localizedDescription().empty());
}

TEST_F(FileManagerTests, AttributesOfFilesAndMissingItems) {
    URL file = write("a.wav", std::string(1234, 'z'));
    auto attributes = fm.attributesOfItem(file.path());
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->size, 1234u);
    EXPECT_EQ(attributes->type, FileType::regular);
    ASSERT_TRUE(attributes->creationDate);
    EXPECT_NEAR(attributes->creationDate->timeIntervalSince(Date::now()), 0, 60);

    NSError error;
    EXPECT_FALSE(fm.attributesOfItem(root.appendingPathComponent("gone").path(), &error));
    EXPECT_EQ(error.code, ENOENT);
    EXPECT_NE(error.debugDescription().find("Code=2"), std::string::npos);
}

TEST_F(FileManagerTests, CreateDirectoryRules) {
    URL nested = root.appendingPathComponent("a/b/c");
    EXPECT_FALSE(fm.createDirectory(root.appendingPathComponent("x/y"), false));
    EXPECT_TRUE(fm.createDirectory(nested, true));
    EXPECT_TRUE(fm.createDirectory(nested, true)) << "an existing folder is no error";

    URL file = write("taken");
    NSError error;
    EXPECT_FALSE(fm.createDirectory(file, true, &error)) << "a file is in the way";
    EXPECT_EQ(error.code, EEXIST);
}

TEST_F(FileManagerTests, MoveAndCopyNeverOverwrite) {
    URL a = write("a.mp3", "first");
    URL b = write("b.mp3", "second");
    EXPECT_FALSE(fm.moveItem(a, b));
    EXPECT_FALSE(fm.copyItem(a, b));
    EXPECT_TRUE(fm.fileExists(a.path()));

    URL c = root.appendingPathComponent("c.mp3");
    EXPECT_TRUE(fm.copyItem(a, c));
    EXPECT_TRUE(fm.moveItem(a, root.appendingPathComponent("d.mp3")));
    EXPECT_FALSE(fm.fileExists(a.path()));
    EXPECT_FALSE(fm.moveItem(a, root.appendingPathComponent("e.mp3"))) << "source is gone";
}

TEST_F(FileManagerTests, RemoveItemTakesWholeFolders) {
    URL folder = root.appendingPathComponent("tree");
    ASSERT_TRUE(fm.createDirectory(folder.appendingPathComponent("deep/er"), true));
    ASSERT_TRUE(fm.createFile(folder.appendingPathComponent("deep/er/f.txt").path(), "x"));
    EXPECT_TRUE(fm.removeItem(folder));
    EXPECT_FALSE(fm.fileExists(folder.path()));

    NSError error;
    EXPECT_FALSE(fm.removeItem(folder, &error));
    EXPECT_FALSE(error.localizedDescription().empty());
}
