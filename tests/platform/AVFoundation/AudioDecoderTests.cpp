#include "AVFoundation/AudioDecoder.h"
#include "Foundation/FileManager.h"
#include "support/MediaFixtures.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string temporaryPath(const std::string& name) {
    return FileManager::defaultManager().temporaryDirectory().appendingPathComponent(name).path();
}

struct DecodedLength {
    int64_t samples = 0;
    bool consistent = true;
};

DecodedLength decodeAll(AudioDecoder& decoder) {
    DecodedLength length;
    while (const AVFrame* frame = decoder.nextFrame()) {
        length.samples += frame->nb_samples;
        if (frame->ch_layout.nb_channels != decoder.info().channels ||
            frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            length.consistent = false;
        }
    }
    return length;
}

} // namespace

TEST(AudioDecoderTests, DescribesAndDecodesEveryKindOfInput) {
    struct Case {
        const char* name;
        MediaFixtures::Tone tone;
        const char* codec;
        int bits;
        bool isFloat;
    };
    const Case cases[] = {
        {"tone.flac",
         {1.0, 48000, 2, "-c:a flac -sample_fmt s32 -bits_per_raw_sample 24", {}, false},
         "flac",
         24,
         false},
        {"mono16.wav", {1.0, 44100, 1, "-c:a pcm_s16le", {}, false}, "pcm_s16le", 16, false},
        {"u8.wav", {0.5, 22050, 2, "-c:a pcm_u8", {}, false}, "pcm_u8", 8, false},
        {"float.wav", {0.5, 48000, 2, "-c:a pcm_f32le", {}, false}, "pcm_f32le", 32, true},
        {"tone.mp3", {1.0, 44100, 2, "-c:a libmp3lame -b:a 128k", {}, false}, "mp3float", 0, false},
        {"tone.m4a", {1.0, 44100, 1, "-c:a aac", {}, false}, "aac", 0, false},
        {"clip.mp4", {1.0, 32000, 2, "-c:a aac", {}, true}, "aac", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = temporaryPath(c.name);
        ASSERT_TRUE(MediaFixtures::makeTone(path, c.tone));
        std::string error;
        auto decoder = AudioDecoder::open(path, &error);
        ASSERT_TRUE(decoder) << error;
        const AudioStreamInfo& info = decoder->info();
        EXPECT_EQ(info.sampleRate, c.tone.sampleRate);
        EXPECT_EQ(info.channels, c.tone.channels);
        EXPECT_EQ(info.codecName, c.codec);
        EXPECT_EQ(info.bitsPerSample, c.bits);
        EXPECT_EQ(info.isFloat, c.isFloat);
        EXPECT_NEAR(info.duration, c.tone.seconds, 0.06);

        DecodedLength length = decodeAll(*decoder);
        EXPECT_FALSE(decoder->failed());
        EXPECT_TRUE(length.consistent);
        // Lossy codecs add a little padding of their own; never more than a couple of frames.
        EXPECT_NEAR(static_cast<double>(length.samples) / c.tone.sampleRate, c.tone.seconds, 0.06);
        EXPECT_EQ(decoder->nextFrame(), nullptr);
    }
}

TEST(AudioDecoderTests, ReadsTheContainersTags) {
    std::string path = temporaryPath("tagged.flac");
    MediaFixtures::Tone tone{0.3,
                             48000,
                             2,
                             "-c:a flac",
                             {{"title", "Tide"},
                              {"artist", "Öresund"},
                              {"album", "Shore"},
                              {"track", "3"},
                              {"date", "2021"},
                              {"genre", "Ambient"}},
                             false};
    ASSERT_TRUE(MediaFixtures::makeTone(path, tone));
    auto decoder = AudioDecoder::open(path);
    ASSERT_TRUE(decoder);
    for (const auto& [key, value] : tone.tags)
        EXPECT_EQ(decoder->info().metadata.at(key), value);
}

TEST(AudioDecoderTests, RefusesWhatItCannotDecode) {
    std::string text = temporaryPath("notes.txt");
    std::ofstream(text) << "these are not the sounds you are looking for\n";
    std::string video = temporaryPath("silent.mp4");
    ASSERT_TRUE(MediaFixtures::run("ffmpeg -nostdin -loglevel error -y -f lavfi -i "
                                   "testsrc=size=64x48:rate=10:duration=0.5 -c:v mpeg4 " +
                                   MediaFixtures::quoted(video)));
    std::string empty = temporaryPath("empty.wav");
    std::ofstream(empty).flush();
    for (const std::string& path : {temporaryPath("missing.flac"), text, video, empty}) {
        std::string error;
        EXPECT_FALSE(AudioDecoder::open(path, &error)) << path;
        EXPECT_FALSE(error.empty()) << path;
    }
}

TEST(AudioDecoderTests, TruncatedFilesEndEarlyWithoutCrashing) {
    for (const char* name : {"cut.flac", "cut.mp3", "cut.m4a", "cut.wav"}) {
        SCOPED_TRACE(name);
        std::string whole = temporaryPath(std::string("whole-") + name);
        std::string extension = std::string(name).substr(4);
        std::string encoder = extension == "flac"  ? "-c:a flac"
                              : extension == "mp3" ? "-c:a libmp3lame"
                              : extension == "m4a" ? "-c:a aac"
                                                   : "-c:a pcm_s16le";
        ASSERT_TRUE(MediaFixtures::makeTone(whole, {2.0, 44100, 2, encoder, {}, false}));
        std::string contents = MediaFixtures::readFile(whole);
        std::string cut = temporaryPath(name);
        std::ofstream(cut, std::ios::binary) << contents.substr(0, contents.size() / 3);
        auto decoder = AudioDecoder::open(cut);
        if (!decoder)
            continue; // a container whose index sits at the end cannot be opened
        DecodedLength length = decodeAll(*decoder);
        EXPECT_LT(length.samples, 2 * 44100);
        EXPECT_EQ(decoder->nextFrame(), nullptr);
    }
}
