#include "AVFoundation/AVURLAsset.h"
#include "Foundation/FileManager.h"
#include "Foundation/RunLoop.h"
#include "support/MediaFixtures.h"

#include <atomic>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {

URL temporaryURL(const std::string& name) {
    return FileManager::defaultManager().temporaryDirectory().appendingPathComponent(name);
}

URL makeFile(const std::string& name, MediaFixtures::Tone tone) {
    URL url = temporaryURL(name);
    EXPECT_TRUE(MediaFixtures::makeTone(url.path(), tone));
    return url;
}

MediaFixtures::Tone tone(double seconds, int rate, int channels, const std::string& encoder) {
    MediaFixtures::Tone t;
    t.seconds = seconds;
    t.sampleRate = rate;
    t.channels = channels;
    t.encoderArguments = encoder;
    return t;
}

// Loads "tracks" and waits for the completion; answers the thread it ran on.
std::thread::id loadTracks(AVAsset& asset) {
    std::atomic<int> calls = 0;
    std::thread::id thread;
    asset.loadValuesAsynchronously({"tracks"}, [&] {
        thread = std::this_thread::get_id();
        ++calls;
    });
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return calls > 0; }, 30));
    RunLoop::main().runUntil([] { return false; }, 0.05);
    EXPECT_EQ(calls, 1);
    return thread;
}

} // namespace

TEST(AVURLAssetTests, LoadsTracksOffTheMainThreadThenReportsThemLoaded) {
    auto t = tone(2.0, 44100, 2, "-c:a flac");
    t.tags = {{"title", "Low Tide"}, {"artist", "Öresund Trio"}, {"album", "Shoreline"}};
    auto asset = AVURLAsset::URLAssetWithURL(makeFile("tagged.flac", t));
    EXPECT_EQ(asset->statusOfValueForKey("tracks"), AVKeyValueStatus::unknown);
    EXPECT_NE(loadTracks(*asset), std::this_thread::get_id());
    EXPECT_EQ(asset->statusOfValueForKey("tracks"), AVKeyValueStatus::loaded);

    EXPECT_NEAR(asset->duration().seconds(), 2.0, 1e-6);
    auto audio = asset->tracksWithMediaType(AVMediaTypeAudio);
    ASSERT_EQ(audio.size(), 1u);
    EXPECT_EQ(audio[0]->sampleRate(), 44100);
    EXPECT_EQ(audio[0]->channelCount(), 2);
    auto titles = metadataItemsWithCommonKey(asset->commonMetadata(), AVMetadataCommonKeyTitle);
    auto artists = metadataItemsWithCommonKey(asset->commonMetadata(), AVMetadataCommonKeyArtist);
    ASSERT_EQ(titles.size(), 1u);
    ASSERT_EQ(artists.size(), 1u);
    EXPECT_EQ(titles[0].stringValue, "Low Tide");
    EXPECT_EQ(artists[0].stringValue, "Öresund Trio");
    EXPECT_EQ(metadataItemsWithCommonKey(asset->commonMetadata(), AVMetadataCommonKeyAlbumName)
                  .at(0)
                  .stringValue,
              "Shoreline");
}

TEST(AVURLAssetTests, ListsVideoAndAudioTracks) {
    auto t = tone(1.0, 48000, 2, "-c:a aac");
    t.withVideo = true;
    auto asset = AVURLAsset::URLAssetWithURL(makeFile("clip.mp4", t));
    ASSERT_EQ(asset->tracks().size(), 2u);
    EXPECT_EQ(asset->tracksWithMediaType(AVMediaTypeVideo).size(), 1u);
    auto audio = asset->tracksWithMediaType(AVMediaTypeAudio);
    ASSERT_EQ(audio.size(), 1u);
    EXPECT_EQ(audio[0]->trackID(), 2);
    EXPECT_NEAR(asset->duration().seconds(), 1.0, 0.05);
}

TEST(AVURLAssetTests, UnreadableFileFailsToLoadWithAnError) {
    URL text = temporaryURL("notes.txt");
    std::ofstream(text.path()) << "no sound here";
    for (const URL& url : {text, temporaryURL("missing.mp3")}) {
        SCOPED_TRACE(url.path());
        auto asset = AVURLAsset::URLAssetWithURL(url);
        loadTracks(*asset);
        NSError error;
        EXPECT_EQ(asset->statusOfValueForKey("tracks", &error), AVKeyValueStatus::failed);
        EXPECT_FALSE(error.localizedDescription().empty());
        EXPECT_EQ(asset->statusOfValueForKey("readable"), AVKeyValueStatus::loaded);
        EXPECT_FALSE(asset->isReadable());
        EXPECT_TRUE(asset->duration().isIndefinite());
        EXPECT_TRUE(asset->tracks().empty());
    }
    EXPECT_EQ(AVURLAsset::URLAssetWithURL(text)->statusOfValueForKey("colour"),
              AVKeyValueStatus::failed);
}
