#include "Melodrift/FileEngine.h"
#include "Melodrift/TypeFile.h"

#include <gtest/gtest.h>

namespace {

TEST(TypeFileTests, ExtensionRuleDecidesByNameAlone) {
    struct Case {
        const char* name;
        TypeFile type;
    };
    const Case cases[] = {
        {"Song.MP3", TypeFile::MP3},   {"song.mp3", TypeFile::MP3},
        {"clip.mp4", TypeFile::M4A},   {"take.m4a", TypeFile::M4A},
        {"README", TypeFile::FOLDER},  {"Live.2020", TypeFile::UNKNOWN},
        {".hidden", TypeFile::FOLDER}, {"a.jpg", TypeFile::IMAGE},
        {"a.TIFF", TypeFile::IMAGE},   {"a.jpeg", TypeFile::UNKNOWN},
        {"a.tif", TypeFile::UNKNOWN},  {"a.aif", TypeFile::UNKNOWN},
        {"a.m4v", TypeFile::UNKNOWN},  {"a.ogg", TypeFile::UNKNOWN},
        {"a.aiff", TypeFile::AIFF},    {"a.caf", TypeFile::CAF},
        {"a.wav", TypeFile::WAV},      {"a.flac", TypeFile::FLAC},
        {"a.aac", TypeFile::AAC},      {"a.alaw", TypeFile::ALAW},
        {"a.ulaw", TypeFile::ULAW},    {"a.ima4", TypeFile::IMA4},
        {"a.opus", TypeFile::OPUS},    {"a.mov", TypeFile::VIDEO},
        {"a.webm", TypeFile::VIDEO},   {"a.txt", TypeFile::NOTE},
        {"a.rtf", TypeFile::NOTE},     {"a.pdf", TypeFile::PDF},
        {"a.zip", TypeFile::ZIP},      {"a.rar", TypeFile::RAR},
        {"a.7z", TypeFile::SEVENZ},    {"a.7Z", TypeFile::SEVENZ},
    };
    for (const Case& c : cases) {
        URL url = URL::fileURL("/library/Out").appendingPathComponent(c.name);
        EXPECT_EQ(FileEngine::shared().fileType(url), c.type) << c.name;
    }
}

TEST(TypeFileTests, IconsLabelsAndThePlayableRange) {
    EXPECT_EQ(iconName(TypeFile::FOLDER), "folder");
    EXPECT_EQ(iconName(TypeFile::UNKNOWN), "ic_unknown");
    EXPECT_EQ(iconName(TypeFile::DOWNLOADING), "ic_unknown");
    EXPECT_EQ(iconName(TypeFile::SEVENZ), "ic_7z");
    EXPECT_EQ(iconName(TypeFile::OPUS), "ic_file_opus");
    EXPECT_EQ(iconName(TypeFile::AIFF), "ic_file_aiff");
    EXPECT_EQ(kindLabel(TypeFile::FOLDER), "Folder");
    EXPECT_EQ(kindLabel(TypeFile::PDF), "Audio");

    EXPECT_TRUE(isPlayableAudio(TypeFile::MP3));
    EXPECT_TRUE(isPlayableAudio(TypeFile::OPUS));
    for (TypeFile outside : {TypeFile::SEVENZ, TypeFile::CAF, TypeFile::AIFF, TypeFile::AUDIO}) {
        EXPECT_FALSE(isPlayableAudio(outside)) << static_cast<int>(outside);
    }
}

} // namespace
