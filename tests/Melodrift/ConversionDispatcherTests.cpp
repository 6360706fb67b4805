#include "Foundation/RunLoop.h"
#include "LibraryFixture.h"
#include "Melodrift/ConversionDispatcher.h"
#include "Melodrift/ConversionFormats.h"
#include "support/MediaFixtures.h"

#include <map>

using MediaFixtures::Tone;

namespace {

class ConversionDispatcherTests : public LibraryFixture {
  protected:
    URL tone(const std::string& name, double seconds, int rate, int channels,
             const std::string& encoder, const URL* folder = nullptr) {
        URL url = (folder ? *folder : FileManager::defaultManager().temporaryDirectory())
                      .appendingPathComponent(name);
        Tone t;
        t.seconds = seconds;
        t.sampleRate = rate;
        t.channels = channels;
        t.encoderArguments = encoder;
        EXPECT_TRUE(MediaFixtures::makeTone(url.path(), t)) << name;
        return url;
    }

    // Converts the inputs as one batch and waits until every job has ended; answers each
    // job's outcome by output path.
    std::map<std::string, bool> convert(const ConversionChoice& choice,
                                        const std::vector<URL>& inputs) {
        std::map<std::string, bool> ended;
        bool done = false;
        ConversionDispatcher dispatcher(
            choice, [&](const URL&, const URL& output, bool ok) { ended[output.path()] = ok; });
        for (const URL& input : inputs)
            dispatcher.convert(input);
        dispatcher.notifyWhenDone(DispatchQueue::main(), [&] { done = true; });
        EXPECT_TRUE(RunLoop::main().runUntil([&] { return done; }, 300));
        return ended;
    }
};

struct Expected {
    const char* extension;
    const char* format;
    const char* codec;
    bool keepsSourceChannels; // AIFF, CAF and MP3 ignore the mono choice
};

const std::map<std::string_view, Expected> expectations = {
    {"aac", {"m4a", "mov,mp4,m4a,3gp,3g2,mj2", "aac", false}},
    {"flac", {"flac", "mov,mp4,m4a,3gp,3g2,mj2", "flac", false}},
    {"mp3", {"mp3", "mp3", "mp3", true}},
    {"m4a", {"mp4", "mov,mp4,m4a,3gp,3g2,mj2", "aac", false}},
    {"alaw", {"alaw", "caf", "pcm_alaw", false}},
    {"ulaw", {"ulaw", "caf", "pcm_mulaw", false}},
    {"wav", {"wav", "wav", "pcm_s16le", false}},
    {"ima4", {"ima4", "caf", "adpcm_ima_qt", false}},
    {"opus", {"opus", "caf", "opus", false}},
    {"aiff", {"aiff", "aiff", "pcm_s16be", true}},
    {"caf", {"caf", "caf", "pcm_s16le", true}},
};

} // namespace

TEST_F(ConversionDispatcherTests, EveryFormatFromTwoInputsDecodesBack) {
    URL flac = tone("stereo48k.flac", 1.5, 48000, 2, "-c:a flac -sample_fmt s16");
    URL mp3 = tone("stereo.mp3", 1.2, 44100, 2, "-c:a libmp3lame");
    for (const ConversionFormat& format : conversionFormats()) {
        const Expected& expected = expectations.at(format.name);
        ConversionChoice choice{format.code, format.code == formatCode("opus") ? 16000 : 22050, 1};
        SCOPED_TRACE(std::string(format.name));
        auto ended = convert(choice, {flac, mp3});
        for (const URL& input : {flac, mp3}) {
            URL output = ConversionDispatcher::outputURL(input, format.code);
            EXPECT_EQ(output.pathExtension(), expected.extension);
            EXPECT_TRUE(ended[output.path()]) << output.path();
            auto probe = MediaFixtures::probe(output.path());
            ASSERT_TRUE(probe) << output.path();
            EXPECT_EQ(probe->formatName, expected.format);
            EXPECT_EQ(probe->codecName, expected.codec);
            int rate = format.code == formatCode("opus")   ? 48000 // Opus always plays at 48 kHz
                       : format.code == formatCode(".mp3") ? probe->sampleRate
                                                           : choice.sample_rate;
            EXPECT_EQ(probe->sampleRate, rate);
            EXPECT_EQ(probe->channels, expected.keepsSourceChannels ? 2 : 1);
            EXPECT_NEAR(probe->duration, MediaFixtures::probe(input.path())->duration, 0.1);
        }
    }
}

TEST_F(ConversionDispatcherTests, OutputNamesReplaceOnlyTheLastExtension) {
    struct Case {
        const char* input;
        const char* format;
        const char* output;
    };
    for (Case c : {Case{"/music/a.b.wav", "aac", "a.b.m4a"}, Case{"/music/take", "aac", "take.m4a"},
                   Case{"/music/Song.MP3", "m4a", "Song.mp4"}, Case{"/x/y.flac", "caf", "y.caf"}}) {
        URL output =
            ConversionDispatcher::outputURL(URL::fileURL(c.input), formatNamed(c.format)->code);
        EXPECT_EQ(output, root.appendingPathComponent(c.output)) << c.input;
    }
    EXPECT_EQ(fileExtension(formatCode("zzzz")), "mp3");
}

TEST_F(ConversionDispatcherTests, InputsWithTheSameNameGiveOneOutputFromTheLaterInput) {
    URL earlier = tone("a.mp3", 1.0, 44100, 2, "-c:a libmp3lame");
    URL later = tone("a.wav", 2.0, 44100, 2, "-c:a pcm_s16le");
    for (const char* format : {"wav", "mp3", "caf"}) {
        SCOPED_TRACE(format);
        FormatCode code = formatNamed(format)->code;
        convert({code, 44100, 2}, {earlier, later});
        auto probe = MediaFixtures::probe(ConversionDispatcher::outputURL(later, code).path());
        ASSERT_TRUE(probe);
        EXPECT_NEAR(probe->duration, 2.0, 0.1);
    }
}

TEST_F(ConversionDispatcherTests, ALibraryFileConvertedToItsOwnFormatKeepsTheInput) {
    URL input = tone("song.wav", 1.0, 44100, 2, "-c:a pcm_s16le", &root);
    std::string before = contentsOf(input);
    for (const char* format : {"wav", "mp3"}) {
        URL self = tone(std::string("self.") + format, 1.0, 44100, 2,
                        format == std::string("wav") ? "-c:a pcm_s16le" : "-c:a libmp3lame", &root);
        std::string selfBefore = contentsOf(self);
        auto ended = convert({formatNamed(format)->code, 22050, 1}, {self});
        URL written = root.appendingPathComponent(std::string("self_1.") + format);
        EXPECT_TRUE(ended[written.path()]) << format;
        EXPECT_TRUE(MediaFixtures::probe(written.path())) << format;
        EXPECT_EQ(contentsOf(self), selfBefore) << format;
    }
    EXPECT_EQ(contentsOf(input), before);
}

TEST_F(ConversionDispatcherTests, FailedJobsEndTheBatchAsFailures) {
    URL text = file(FileManager::defaultManager().temporaryDirectory(), "notes.txt", 400);
    URL missing = root.appendingPathComponent("gone.wav");
    for (const char* format : {"aac", "mp3", "aiff"}) {
        SCOPED_TRACE(format);
        FormatCode code = formatNamed(format)->code;
        auto ended = convert({code, 44100, 2}, {text, missing});
        EXPECT_EQ(ended.size(), 2u);
        for (auto& [output, ok] : ended)
            EXPECT_FALSE(ok) << output;
    }
    auto refused =
        convert({formatCode("opus"), 44100, 2}, {tone("t.wav", 0.5, 44100, 2, "-c:a pcm_s16le")});
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_FALSE(refused.begin()->second);
    EXPECT_FALSE(
        exists(ConversionDispatcher::outputURL(URL::fileURL("t.wav"), formatCode("opus"))));
}
