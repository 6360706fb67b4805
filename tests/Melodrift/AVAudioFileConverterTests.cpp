#include "Foundation/Console.h"
#include "Foundation/FileManager.h"
#include "Foundation/RunLoop.h"
#include "Melodrift/AVAudioFileConverter.h"
#include "support/MediaFixtures.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

using MediaFixtures::Probe;
using MediaFixtures::Tone;

namespace {

const std::string mpeg4Family = "mov,mp4,m4a,3gp,3g2,mj2";

URL temporaryURL(const std::string& name) {
    return FileManager::defaultManager().temporaryDirectory().appendingPathComponent(name);
}

Tone tone(double seconds, int rate, int channels, const std::string& encoder) {
    Tone t;
    t.seconds = seconds;
    t.sampleRate = rate;
    t.channels = channels;
    t.encoderArguments = encoder;
    return t;
}

// The inputs the tests convert, made once per test on demand.
URL input(const std::string& name) {
    URL url = temporaryURL(name);
    if (FileManager::defaultManager().fileExists(url.path())) return url;
    Tone t;
    if (name == "tagged48k.flac") {
        t = tone(1.5, 48000, 2, "-c:a flac");
        t.tags = {{"title", "Tide Pool"}, {"artist", "Öresund Trio"}, {"album", "Shoreline"},
                  {"track", "3"},         {"date", "2021"},           {"genre", "Ambient"}};
    } else if (name == "mono44k.wav") {
        t = tone(1.2, 44100, 1, "-c:a pcm_s16le");
    } else if (name == "u8.wav") {
        t = tone(1.0, 22050, 2, "-c:a pcm_u8");
    } else if (name == "float32.wav") {
        t = tone(1.0, 48000, 2, "-c:a pcm_f32le");
    } else if (name == "song.mp3") {
        t = tone(1.5, 44100, 2, "-c:a libmp3lame -b:a 128k");
    } else if (name == "voice.m4a") {
        t = tone(1.3, 32000, 1, "-c:a aac");
    } else if (name == "clip.mp4") {
        t = tone(1.0, 48000, 2, "-c:a aac");
        t.withVideo = true;
    }
    EXPECT_TRUE(MediaFixtures::makeTone(url.path(), t)) << name;
    return url;
}

// Runs one job to its end. The caller's reference is dropped at once, as the dispatcher
// does; the job is over once the converter has let itself go.
bool convert(const URL& from, const URL& to, FormatCode code, int rate, int channels) {
    auto converter = AVAudioFileConverter::make(from, to, rate, channels);
    if (!converter) return false;
    std::weak_ptr<AVAudioFileConverter> job = converter;
    converter->convertAudio(code);
    converter.reset();
    return RunLoop::main().runUntil([&] { return job.expired(); }, 120);
}

bool printed(const std::string& line) {
    auto lines = Console::printedLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool printedStartingWith(const std::string& prefix) {
    auto lines = Console::printedLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

bool exists(const URL& url) { return FileManager::defaultManager().fileExists(url.path()); }

double inputDuration(const URL& url) { return MediaFixtures::probe(url.path())->duration; }

struct Expected {
    const char* format;
    const char* brand;
    const char* codec;
};

Expected expectedFor(FormatCode code) {
    switch (code) {
    case formatCode("aac "):
        return {mpeg4Family.c_str(), "M4A ", "aac"};
    case formatCode("flac"):
        return {mpeg4Family.c_str(), "M4A ", "flac"};
    case formatCode("aach"):
        return {mpeg4Family.c_str(), "isom", "aac"};
    case formatCode("alaw"):
        return {"caf", "", "pcm_alaw"};
    case formatCode("ulaw"):
        return {"caf", "", "pcm_mulaw"};
    case formatCode("ima4"):
        return {"caf", "", "adpcm_ima_qt"};
    case formatCode("opus"):
        return {"caf", "", "opus"};
    default:
        return {"wav", "", "pcm_s16le"};
    }
}

} // namespace

TEST(AVAudioFileConverterTests, EveryCodeDecodesBackAsAsked) {
    struct Case {
        const char* input;
        const char* code;
        int rate;
        int channels;
    };
    const Case cases[] = {
        {"tagged48k.flac", "aac ", 44100, 1}, {"mono44k.wav", "aac ", 8000, 2},
        {"song.mp3", "aac ", 22050, 2},       {"tagged48k.flac", "flac", 44100, 2},
        {"float32.wav", "flac", 16000, 1},    {"voice.m4a", "flac", 24000, 2},
        {"u8.wav", "aach", 44100, 2},         {"clip.mp4", "aach", 12000, 1},
        {"tagged48k.flac", "alaw", 8000, 1},  {"song.mp3", "alaw", 44100, 2},
        {"mono44k.wav", "ulaw", 16000, 2},    {"float32.wav", "ulaw", 22050, 1},
        {"voice.m4a", "ima4", 44100, 1},      {"u8.wav", "ima4", 12000, 2},
        {"tagged48k.flac", "opus", 24000, 2}, {"song.mp3", "opus", 16000, 1},
        {"clip.mp4", "opus", 8000, 2},        {"mono44k.wav", "opus", 12000, 1},
        {"song.mp3", "lpcm", 22050, 1},       {"u8.wav", "lpcm", 44100, 2},
        {"float32.wav", "lpcm", 24000, 2},    {"clip.mp4", "lpcm", 16000, 1},
        {"voice.m4a", "lpcm", 8000, 2},       {"tagged48k.flac", "lpcm", 12000, 2},
    };
    for (const Case& c : cases) {
        FormatCode code = formatCode(*reinterpret_cast<const char(*)[5]>(c.code));
        std::string label = std::string(c.input) + " -> '" + c.code + "' " +
                            std::to_string(c.rate) + " Hz " + std::to_string(c.channels) + " ch";
        SCOPED_TRACE(label);
        URL from = input(c.input);
        URL to = temporaryURL("out.bin");
        ASSERT_TRUE(convert(from, to, code, c.rate, c.channels));
        auto probe = MediaFixtures::probe(to.path());
        ASSERT_TRUE(probe);
        Expected expected = expectedFor(code);
        EXPECT_EQ(probe->formatName, expected.format);
        EXPECT_EQ(probe->majorBrand, expected.brand);
        EXPECT_EQ(probe->codecName, expected.codec);
        if (probe->codecName == "aac") {
            EXPECT_EQ(probe->codecProfile, "LC");
        }
        // An Opus stream always plays at 48000 Hz, whatever rate it was encoded from.
        EXPECT_EQ(probe->sampleRate, code == formatCode("opus") ? 48000 : c.rate);
        EXPECT_EQ(probe->channels, c.channels);
        EXPECT_EQ(probe->audioStreams, 1);
        EXPECT_EQ(probe->otherStreams, 0);
        // Within two codec frames (AAC's 1024 samples are the longest here, besides FLAC's
        // last block) of the input's length.
        EXPECT_NEAR(probe->duration, inputDuration(from), 2048.0 / c.rate + 0.03);
        EXPECT_TRUE(printed("Asset Writer Finished Writing"));
        FileManager::defaultManager().removeItem(to);
        Console::startCapture();
    }
}
