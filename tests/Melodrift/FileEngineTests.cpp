#include "LibraryFixture.h"

#include "Foundation/AppContainer.h"
#include "Foundation/ByteCountFormatter.h"

#include <cmath>

namespace {

using FileEngineTests = LibraryFixture;

TEST_F(FileEngineTests, LibraryFoldersLiveInTheDocumentsFolder) {
    URL documents = URL::fileURL(AppContainer::documentsPath());
    EXPECT_EQ(engine.libraryRootURL(), documents.appendingPathComponent("Out"));
    EXPECT_EQ(engine.downloadFolderURL(), documents.appendingPathComponent("Download"));
    EXPECT_FALSE(exists(engine.downloadFolderURL()));
}

TEST_F(FileEngineTests, LibraryRootThatCannotBeCreatedGoesToTheSystemLog) {
    std::filesystem::remove(root.path());
    file(root.deletingLastPathComponent(), "Out", 10);

    engine.createLibraryFolder();
    EXPECT_EQ(linesStartingWith(Console::systemLogLines(), "Unable to create directory "), 1u);
    EXPECT_TRUE(engine.recentFiles().empty());
}

TEST_F(FileEngineTests, RecentFilesKeepsTheFirstFourFilesOfTheListingInDescendingOrder) {
    for (const char* name : {"a.mp3", "b.wav", "c.m4a", "d.flac", "e.aac"})
        file(root, name);
    file(folder(root, "Music"), "inner.mp3");

    // The first four files in the order the file system lists them, whatever their age.
    std::vector<std::string> expected;
    auto listing = FileManager::defaultManager().contentsOfDirectory(root, false);
    ASSERT_TRUE(listing);
    for (const URL& url : *listing) {
        if (!url.pathExtension().empty() && expected.size() < 4) {
            expected.push_back(url.lastPathComponent());
        }
    }
    std::sort(expected.rbegin(), expected.rend());

    std::vector<URL> recent = engine.recentFiles();
    EXPECT_EQ(names(recent), expected);
    for (const URL& url : recent)
        EXPECT_EQ(url.deletingLastPathComponent(), root);
}

TEST_F(FileEngineTests, RecentFilesOfAnEmptyOrMissingRoot) {
    EXPECT_TRUE(engine.recentFiles().empty());
    std::filesystem::remove(root.path());
    EXPECT_TRUE(engine.recentFiles().empty());
    EXPECT_TRUE(std::filesystem::is_directory(root.path()));
}

TEST_F(FileEngineTests, AvailableURLPicksTheFirstFreeNumberedName) {
    URL free = root.appendingPathComponent("free.m4a");
    EXPECT_EQ(engine.availableURL(free), free);

    file(root, "take.m4a");
    EXPECT_EQ(engine.availableURL(root.appendingPathComponent("take.m4a")).lastPathComponent(),
              "take_1.m4a");
    file(root, "take_1.m4a");
    EXPECT_EQ(engine.availableURL(root.appendingPathComponent("take.m4a")).lastPathComponent(),
              "take_2.m4a");

    folder(root, "Music");
    EXPECT_EQ(engine.availableURL(root.appendingPathComponent("Music")),
              root.appendingPathComponent("Music_1"));
    file(root, "live.set.mp3");
    EXPECT_EQ(engine.availableURL(root.appendingPathComponent("live.set.mp3")).lastPathComponent(),
              "live.set_1.mp3");

    // A dangling link still takes the name.
    link(root.appendingPathComponent("dangling.wav"), root.appendingPathComponent("nowhere"));
    EXPECT_EQ(engine.availableURL(root.appendingPathComponent("dangling.wav")).lastPathComponent(),
              "dangling_1.wav");
}

TEST_F(FileEngineTests, MoveItemNeverOverwrites) {
    URL song = file(root, "song.mp3", 10, 'a');
    URL album = folder(root, "Album");
    URL other = file(album, "song.mp3", 20, 'b');

    EXPECT_FALSE(engine.moveItem(song, album, false));
    EXPECT_EQ(contentsOf(song), std::string(10, 'a'));
    EXPECT_EQ(contentsOf(other), std::string(20, 'b'));
    EXPECT_FALSE(engine.moveItem(song, other, true));
    EXPECT_EQ(contentsOf(other), std::string(20, 'b'));

    EXPECT_TRUE(engine.moveItem(song, root.appendingPathComponent("renamed.mp3"), true));
    EXPECT_FALSE(exists(song));
    EXPECT_TRUE(
        engine.moveItem(root.appendingPathComponent("renamed.mp3"), folder(root, "Other"), false));
    EXPECT_TRUE(exists(root.appendingPathComponent("Other/renamed.mp3")));
    EXPECT_FALSE(engine.moveItem(root.appendingPathComponent("gone.mp3"), album, false));
    // A folder cannot go inside itself.
    EXPECT_FALSE(engine.moveItem(album, folder(album, "Inner"), false));
    EXPECT_TRUE(exists(other));
    EXPECT_TRUE(Console::printedLines().empty());
}

TEST_F(FileEngineTests, ChangeExtensionMovesToAFreeName) {
    URL first = file(root, "take.m4a", 5);
    engine.changeExtension(first, "aac");
    EXPECT_FALSE(exists(first));
    EXPECT_TRUE(exists(root.appendingPathComponent("take.aac")));

    URL second = file(root, "take.m4a", 7);
    engine.changeExtension(second, "aac");
    EXPECT_EQ(contentsOf(root.appendingPathComponent("take_1.aac")), std::string(7, 'x'));
    // Nothing there yet: nothing happens.
    engine.changeExtension(root.appendingPathComponent("later.mp4"), "aac");
    EXPECT_FALSE(exists(root.appendingPathComponent("later.aac")));
}

TEST_F(FileEngineTests, EntriesDescribeEveryVisibleItem) {
    file(root, "song.mp3", 1200);
    URL album = folder(root, "Album");
    file(album, "a.wav", 10);
    file(album, ".hidden", 10);
    file(root, ".DS_Store");
    URL sub = folder(album, "Sub");
    file(sub, "b.wav");

    std::vector<FolderModel> top = engine.entries(root);
    ASSERT_EQ(top.size(), 2u);
    for (const FolderModel& entry : top) {
        EXPECT_TRUE(entry.isMainDirectory) << entry.FolderName;
        EXPECT_LT(std::fabs(entry.date.timeIntervalSince(Date::now())), 60.0);
        if (entry.FolderName == "song.mp3") {
            EXPECT_EQ(entry.url, root.appendingPathComponent("song.mp3"));
            EXPECT_EQ(entry.type, TypeFile::MP3);
            EXPECT_EQ(entry.FolderSize, "1 KB");
            EXPECT_EQ(entry.inFilesCount, 0);
        } else {
            EXPECT_EQ(entry.FolderName, "Album");
            EXPECT_EQ(entry.type, TypeFile::FOLDER);
            EXPECT_EQ(entry.inFilesCount, 3); // the hidden file counts here
        }
    }

    std::vector<FolderModel> inner = engine.entries(album);
    ASSERT_EQ(inner.size(), 2u);
    for (const FolderModel& entry : inner)
        EXPECT_FALSE(entry.isMainDirectory);
    EXPECT_TRUE(engine.entries(root.appendingPathComponent("Missing")).empty());
    EXPECT_TRUE(Console::printedLines().empty());
}

TEST_F(FileEngineTests, FolderEntriesKeepNamesWithoutExtension) {
    URL files = folder(root, "Files");
    for (const char* name : {"a.mp3", "b.wav", "c.m4a"})
        file(files, name);
    EXPECT_TRUE(engine.folderEntries(files).empty());

    folder(files, "Inner");
    folder(files, "Live.2020");
    EXPECT_EQ(names(engine.subfolders(files)), std::vector<std::string>{"Inner"});
    std::vector<FolderModel> found = engine.folderEntries(files);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].FolderName, "Inner");
    EXPECT_FALSE(found[0].isMainDirectory);

    std::vector<FolderModel> rootFolders = engine.rootFolderEntries();
    ASSERT_EQ(rootFolders.size(), 1u);
    EXPECT_EQ(rootFolders[0].FolderName, "Files");
    EXPECT_TRUE(rootFolders[0].isMainDirectory);
    EXPECT_EQ(rootFolders[0].inFilesCount, 5);
}

TEST_F(FileEngineTests, CreateFolderMakesNestedFoldersAndKeepsExistingOnes) {
    URL existing = folder(root, "Music");
    file(existing, "keep.mp3", 3);
    EXPECT_EQ(engine.createFolder(root, "Music"), existing.path());
    EXPECT_EQ(engine.contents(existing).size(), 1u);

    std::string nested = engine.createFolder(root, "Live/2024");
    EXPECT_EQ(nested, root.path() + "/Live/2024");
    EXPECT_TRUE(std::filesystem::is_directory(nested));

    file(root, "taken");
    EXPECT_THROW(engine.createFolder(root, "taken"), NSError);
}

TEST_F(FileEngineTests, CreateFolderRefusesNamesThatLeaveTheParent) {
    URL parent = folder(root, "Parent");
    for (const char* name :
         {"..", "../Escaped", "a/../../Escaped", "a/..", "/tmp/Escaped", "", ".", "./"}) {
        try {
            engine.createFolder(parent, name);
            ADD_FAILURE() << "accepted \"" << name << "\"";
        } catch (const NSError& error) {
            EXPECT_FALSE(error.localizedDescription().empty());
        }
    }
    EXPECT_FALSE(exists(root.appendingPathComponent("Escaped")));
    EXPECT_FALSE(exists(root.deletingLastPathComponent().appendingPathComponent("Escaped")));
    EXPECT_TRUE(engine.contents(parent).empty());
    // Dots inside a name are only part of it.
    EXPECT_EQ(engine.createFolder(parent, "..a/b..").substr(parent.path().size()), "/..a/b..");
}

TEST_F(FileEngineTests, DeleteItemRemovesASubtreeAndReportsAMissingItem) {
    URL album = folder(root, "Album");
    file(folder(album, "Disc 1"), "a.mp3");
    file(album, "b.mp3");
    EXPECT_TRUE(engine.deleteItem(album));
    EXPECT_FALSE(exists(album));
    EXPECT_TRUE(Console::printedLines().empty());

    EXPECT_FALSE(engine.deleteItem(album));
    auto lines = Console::printedLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(linesStartingWith(lines, "Unable to delete item: "), 1u);
    EXPECT_NE(lines[0].find("Album"), std::string::npos);
}

TEST_F(FileEngineTests, DeleteItemOfALinkLeavesItsTarget) {
    URL outside = folder(root.deletingLastPathComponent(), "Elsewhere");
    URL kept = file(outside, "kept.mp3");
    URL linked = root.appendingPathComponent("Linked");
    link(linked, outside);
    EXPECT_TRUE(engine.deleteItem(linked));
    EXPECT_TRUE(exists(kept));
}

TEST_F(FileEngineTests, SizeTextCountsTheFolderEntryAndEverythingBelow) {
    URL album = folder(root, "Album");
    file(album, "a.mp3", 1000);
    file(album, "b.mp3", 2000);
    EXPECT_EQ(engine.sizeText(album), ByteCountFormatter::fileString(3000 + entrySize(album)));

    URL disc = folder(album, "Disc");
    file(disc, "c.wav", 500'000);
    file(disc, ".hidden", 700'000);
    uint64_t expected = entrySize(album) + entrySize(disc) + 3000 + 500'000;
    EXPECT_EQ(engine.sizeText(album), ByteCountFormatter::fileString(expected));
    EXPECT_EQ(engine.sizeText(album.appendingPathComponent("a.mp3")), "1 KB");
    EXPECT_EQ(sorted(names(engine.allItems(album))),
              (std::vector<std::string>{"Disc", "a.mp3", "b.mp3", "c.wav"}));
    // Children come before the folder that holds them.
    std::vector<std::string> order = names(engine.allItems(album));
    EXPECT_LT(std::find(order.begin(), order.end(), "c.wav"),
              std::find(order.begin(), order.end(), "Disc"));
    EXPECT_TRUE(engine.allItems(album.appendingPathComponent("a.mp3")).empty());
}

TEST_F(FileEngineTests, SizeWalkDescendsOnlyIntoNamesWithoutExtension) {
    URL album = folder(root, "Album");
    URL dotted = folder(album, "Live.2020");
    file(dotted, "big.wav", 900'000);
    EXPECT_EQ(engine.sizeText(album),
              ByteCountFormatter::fileString(entrySize(album) + entrySize(dotted)));
    // Listed itself, the dotted folder counts what it holds.
    EXPECT_EQ(engine.sizeText(dotted), ByteCountFormatter::fileString(entrySize(dotted) + 900'000));
}

TEST_F(FileEngineTests, SizeWalkStaysInsideTheFolderAndSurvivesLinkCycles) {
    URL outside = folder(root.deletingLastPathComponent(), "Elsewhere");
    file(outside, "huge.wav", 5'000'000);

    URL album = folder(root, "Album");
    file(album, "a.mp3", 1000);
    URL out = album.appendingPathComponent("Out");
    link(out, outside);
    URL loop = folder(album, "Loop");
    URL back = loop.appendingPathComponent("Back");
    link(back, album);

    uint64_t expected =
        entrySize(album) + 1000 + entrySize(out) + entrySize(loop) + entrySize(back);
    EXPECT_EQ(engine.sizeText(album), ByteCountFormatter::fileString(expected));
    EXPECT_EQ(sorted(names(engine.allItems(album))),
              (std::vector<std::string>{"Back", "Loop", "Out", "a.mp3"}));

    // A listed link is only the link.
    link(root.appendingPathComponent("Shortcut"), outside);
    for (const FolderModel& entry : engine.entries(root)) {
        if (entry.FolderName == "Shortcut") {
            EXPECT_EQ(entry.FolderSize, ByteCountFormatter::fileString(entrySize(entry.url)));
        } else {
            EXPECT_EQ(entry.FolderSize, ByteCountFormatter::fileString(expected));
        }
    }
    EXPECT_EQ(engine.sizeText(root.appendingPathComponent("Shortcut")),
              ByteCountFormatter::fileString(entrySize(root.appendingPathComponent("Shortcut"))));
    EXPECT_TRUE(engine.allItems(root.appendingPathComponent("Shortcut")).empty());
}

TEST_F(FileEngineTests, FilesWithoutExtensionAreTakenForFolders) {
    URL album = folder(root, "Album");
    file(album, "README", 100);
    file(root, "NOTES", 10);

    EXPECT_EQ(engine.sizeText(album), ByteCountFormatter::fileString(entrySize(album) + 100));
    for (const FolderModel& entry : engine.entries(root)) {
        if (entry.FolderName != "NOTES")
            continue;
        EXPECT_EQ(entry.type, TypeFile::FOLDER);
        EXPECT_EQ(entry.inFilesCount, 0);
        EXPECT_EQ(entry.FolderSize, "10 bytes");
    }
    // Each attempt to list such a file as a folder leaves the kit's console line.
    EXPECT_GE(linesStartingWith(Console::printedLines(), "FileAttribute error: "), 2u);
}

} // namespace
