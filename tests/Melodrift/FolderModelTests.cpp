#include "LibraryFixture.h"

#include "Melodrift/MusicModel.h"

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// Dates are shown in the locale and time zone of the environment, read at first use.
class FolderModelTests : public LibraryFixture {
  protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        setenv("LC_ALL", "en_US", 1);
        tzset();
        LibraryFixture::SetUp();
    }

    const FolderModel& entryNamed(const std::vector<FolderModel>& list, const std::string& name) {
        auto found = std::find_if(list.begin(), list.end(),
                                  [&](const FolderModel& e) { return e.FolderName == name; });
        EXPECT_NE(found, list.end()) << name;
        return *found;
    }
};

TEST_F(FolderModelTests, RowTextsOfListedEntries) {
    file(root, "Song.MP3", 1500);
    file(root, "README");
    folder(root, "Live.2020");
    folder(root, "Album");
    file(root, "demo.caf");
    std::vector<FolderModel> list = engine.entries(root);

    struct Row {
        const char* name;
        const char* icon;
        const char* kind;
    };
    for (Row row : {Row{"Song.MP3", "ic_file_mp3", "Audio"}, Row{"README", "folder", "Folder"},
                    Row{"Live.2020", "ic_unknown", "Audio"}, Row{"Album", "folder", "Folder"},
                    Row{"demo.caf", "ic_file_caf", "Audio"}}) {
        const FolderModel& entry = entryNamed(list, row.name);
        EXPECT_EQ(iconName(entry), row.icon) << row.name;
        EXPECT_EQ(kindLabel(entry), row.kind) << row.name;
        EXPECT_EQ(nameLabel(entry), row.name);
        EXPECT_EQ(sizeLabel(entry), entry.FolderSize);
    }
    EXPECT_EQ(sizeLabel(entryNamed(list, "Song.MP3")), "2 KB");
    EXPECT_FALSE(isPlayableAudio(entryNamed(list, "demo.caf").type));
}

TEST_F(FolderModelTests, DateLabelIsTheMediumDateWithoutTime) {
    FolderModel entry;
    entry.date = Date(1709647629); // 2024-03-05 14:07:09 UTC
    EXPECT_EQ(dateLabel(entry), "Mar 5, 2024");
}

TEST_F(FolderModelTests, AnEntryWhoseAttributesCannotBeReadShowsTodayAndZero) {
    // A folder whose path is just short enough to list, holding a name whose full path is too
    // long to read: the entry is listed, its attributes are not.
    std::string path = root.path();
    while (path.size() < 4000)
        path += "/" + std::string(std::min<size_t>(200, 4000 - path.size()), 'd');
    URL deep = URL::fileURL(path);
    ASSERT_TRUE(FileManager::defaultManager().createDirectory(deep, true));
    std::string name(120, 's');
    name += ".mp3";
    int dir = ::open(deep.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(dir, 0);
    int fd = ::openat(dir, name.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "12345", 5), 5);
    ::close(fd);

    std::vector<FolderModel> list = engine.entries(deep);
    ::unlinkat(dir, name.c_str(), 0);
    ::close(dir);

    ASSERT_EQ(list.size(), 1u);
    FolderModel today;
    today.date = Date::now();
    EXPECT_EQ(dateLabel(list[0]), dateLabel(today));
    EXPECT_EQ(sizeLabel(list[0]), "Zero KB");
    EXPECT_EQ(linesStartingWith(Console::printedLines(), "FileAttribute error: "), 1u);
}

TEST(MusicModelTests, StartsEmptyAndIsShared) {
    auto model = std::make_shared<MusicModel>();
    EXPECT_FALSE(model->path);
    auto same = model;
    same->path = URL::fileURL("/tmp/a.mp3");
    EXPECT_EQ(model->path, URL::fileURL("/tmp/a.mp3"));
}

} // namespace
