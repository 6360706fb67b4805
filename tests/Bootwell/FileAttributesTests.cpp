#include "Bootwell/URL+FileAttributes.h"

#include "Foundation/AppContainer.h"
#include "Foundation/Console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class FileAttributesTests : public ::testing::Test {
  protected:
    URL folder = URL::fileURL(AppContainer::rootPath()).appendingPathComponent("attributes");

    void SetUp() override {
        ASSERT_TRUE(FileManager::defaultManager().createDirectory(folder, true));
    }

    URL write(const std::string& name, size_t bytes) {
        URL url = folder.appendingPathComponent(name);
        EXPECT_TRUE(FileManager::defaultManager().createFile(url.path(), std::string(bytes, 'x')));
        return url;
    }

    URL makeFolder(const std::string& name) {
        URL url = folder.appendingPathComponent(name);
        EXPECT_TRUE(FileManager::defaultManager().createDirectory(url, true));
        return url;
    }

    static size_t attributeErrorLines() {
        auto lines = Console::printedLines();
        return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
            return line.rfind("FileAttribute error: ", 0) == 0;
        });
    }
};

TEST_F(FileAttributesTests, MissingFileGivesNeutralValuesAndAConsoleLineEach) {
    URL missing = folder.appendingPathComponent("gone.mp3");

    EXPECT_FALSE(Bootwell::attributes(missing));
    EXPECT_EQ(attributeErrorLines(), 1u);
    EXPECT_EQ(Bootwell::fileSize(missing), 0u);
    EXPECT_EQ(Bootwell::fileSizeString(missing), "Zero KB");
    EXPECT_LT(std::fabs(Bootwell::creationDate(missing).timeIntervalSince(Date::now())), 5.0);
    EXPECT_EQ(attributeErrorLines(), 4u);
    // A name with an extension is never listed, so it reports nothing.
    EXPECT_EQ(Bootwell::directoryItemCount(missing), 0);
    EXPECT_EQ(attributeErrorLines(), 4u);
}

TEST_F(FileAttributesTests, FileSizeAndItsText) {
    URL song = write("song.mp3", 1500);
    EXPECT_EQ(Bootwell::fileSize(song), 1500u);
    EXPECT_EQ(Bootwell::fileSizeString(song), "2 KB");
    EXPECT_EQ(Bootwell::fileSizeString(write("big.wav", 1'250'000)), "1.3 MB");
    ASSERT_TRUE(Bootwell::attributes(song));
    EXPECT_EQ(Bootwell::attributes(song)->type, FileType::regular);
    EXPECT_LT(std::fabs(Bootwell::creationDate(song).timeIntervalSince(Date::now())), 60.0);
    EXPECT_EQ(attributeErrorLines(), 0u);
}

TEST_F(FileAttributesTests, DirectoryItemCountCountsHiddenNamesOfFoldersWithoutExtension) {
    URL plain = makeFolder("Plain");
    for (const char* name : {"a.mp3", "b.wav", ".hidden"}) {
        FileManager::defaultManager().createFile(plain.appendingPathComponent(name).path(), "x");
    }
    EXPECT_EQ(Bootwell::directoryItemCount(plain), 3);
    EXPECT_EQ(Bootwell::directoryItemCount(makeFolder("Empty")), 0);

    // A folder whose name has an extension counts as nothing, whatever it holds.
    URL dotted = makeFolder("Live.2020");
    FileManager::defaultManager().createFile(dotted.appendingPathComponent("a.mp3").path(), "x");
    EXPECT_EQ(Bootwell::directoryItemCount(dotted), 0);
    ASSERT_TRUE(Bootwell::directoryItemNames(dotted));
    EXPECT_EQ(Bootwell::directoryItemNames(dotted)->size(), 1u);
    EXPECT_EQ(attributeErrorLines(), 0u);
}

TEST_F(FileAttributesTests, UnreadableFolderCountsZeroWithAConsoleLine) {
    EXPECT_EQ(Bootwell::directoryItemCount(folder.appendingPathComponent("Missing")), 0);
    // A file without extension is taken for a folder and cannot be listed.
    EXPECT_EQ(Bootwell::directoryItemCount(write("README", 10)), 0);
    EXPECT_EQ(attributeErrorLines(), 2u);
}

} // namespace
