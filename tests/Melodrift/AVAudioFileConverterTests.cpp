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
    if (FileManager::defaultManager().fileExists(url.path()))
        return url;
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
    if (!converter)
        return false;
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

bool exists(const URL& url) {
    return FileManager::defaultManager().fileExists(url.path());
}

double inputDuration(const URL& url) {
    return MediaFixtures::probe(url.path())->duration;
}

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
        // 96 kbit/s for the AAC code; at low rates the encoder lowers it by itself.
        if (code == formatCode("aac ") && c.rate >= 22050) {
            EXPECT_NEAR(probe->bitRate, 96000, 9600);
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

namespace {

struct WaveLayout {
    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int byteRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    std::string data;
};

uint32_t little32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

uint16_t little16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// Walks the RIFF chunks of a WAVE file.
std::optional<WaveLayout> readWave(const std::string& path) {
    std::string bytes = MediaFixtures::readFile(path);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") || bytes.compare(8, 4, "WAVE")) {
        return std::nullopt;
    }
    if (little32(bytes, 4) + 8 != bytes.size())
        return std::nullopt;
    WaveLayout wave;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        std::string id = bytes.substr(at, 4);
        uint32_t size = little32(bytes, at + 4);
        if (id == "fmt ") {
            wave.formatTag = little16(bytes, at + 8);
            wave.channels = little16(bytes, at + 10);
            wave.sampleRate = static_cast<int>(little32(bytes, at + 12));
            wave.byteRate = static_cast<int>(little32(bytes, at + 16));
            wave.blockAlign = little16(bytes, at + 20);
            wave.bitsPerSample = little16(bytes, at + 22);
        } else if (id == "data") {
            wave.data = bytes.substr(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}

int16_t sampleAt(const WaveLayout& wave, size_t frame, int channel) {
    return static_cast<int16_t>(little16(wave.data, (frame * wave.channels + channel) * 2));
}

} // namespace

TEST(AVAudioFileConverterTests, WavIsInterleaved16BitLittleEndianPcm) {
    // Left silent, right a half-scale tone, so the channel order and interleaving show.
    Tone source = tone(1.0, 48000, 2, "-c:a pcm_f32le");
    source.expressions = "0|0.5*sin(2*PI*440*t)";
    URL from = temporaryURL("right-only.wav");
    ASSERT_TRUE(MediaFixtures::makeTone(from.path(), source));
    struct Case {
        int rate;
        int channels;
    };
    for (Case c : {Case{22050, 2}, Case{8000, 1}, Case{44100, 2}}) {
        SCOPED_TRACE(std::to_string(c.rate) + " Hz " + std::to_string(c.channels) + " ch");
        URL to = temporaryURL("layout.wav");
        ASSERT_TRUE(convert(from, to, formatCode("lpcm"), c.rate, c.channels));
        auto wave = readWave(to.path());
        ASSERT_TRUE(wave);
        EXPECT_EQ(wave->formatTag, 1);
        EXPECT_EQ(wave->channels, c.channels);
        EXPECT_EQ(wave->sampleRate, c.rate);
        EXPECT_EQ(wave->bitsPerSample, 16);
        EXPECT_EQ(wave->blockAlign, 2 * c.channels);
        EXPECT_EQ(wave->byteRate, 2 * c.channels * c.rate);
        size_t frames = wave->data.size() / wave->blockAlign;
        EXPECT_NEAR(static_cast<double>(frames), c.rate, 2);

        int left = 0, right = 0;
        for (size_t i = 0; i < frames; ++i) {
            left = std::max(left, std::abs(static_cast<int>(sampleAt(*wave, i, 0))));
            if (c.channels == 2)
                right = std::max(right, std::abs(static_cast<int>(sampleAt(*wave, i, 1))));
        }
        if (c.channels == 2) {
            EXPECT_LT(left, 2);             // silence stays silence
            EXPECT_NEAR(right, 16384, 400); // half scale, little-endian signed
        } else {
            EXPECT_GT(left, 8000); // the tone, mixed down
            EXPECT_LT(left, 16800);
        }
        FileManager::defaultManager().removeItem(to);
    }
}

TEST(AVAudioFileConverterTests, TagsTravelIntoEveryContainer) {
    URL from = input("tagged48k.flac");
    const std::map<std::string, std::string> tags = {
        {"title", "Tide Pool"}, {"artist", "Öresund Trio"}, {"album", "Shoreline"},
        {"track", "3"},         {"date", "2021"},           {"genre", "Ambient"}};
    for (const char* name : {"aac ", "flac", "aach", "alaw", "ulaw", "ima4", "opus", "lpcm"}) {
        SCOPED_TRACE(name);
        FormatCode code = formatCode(*reinterpret_cast<const char(*)[5]>(name));
        URL to = temporaryURL("tagged.out");
        ASSERT_TRUE(convert(from, to, code, code == formatCode("opus") ? 48000 : 44100, 2));
        auto probe = MediaFixtures::probe(to.path());
        ASSERT_TRUE(probe);
        for (const auto& [key, value] : tags) {
            EXPECT_EQ(probe->tags[key], value) << key;
        }
        FileManager::defaultManager().removeItem(to);
    }
}

TEST(AVAudioFileConverterTests, ConsoleTellsTheJobsCourse) {
    URL from = input("mono44k.wav");
    URL to = temporaryURL("course.m4a");
    ASSERT_TRUE(convert(from, to, formatCode("aac "), 44100, 2));
    std::vector<std::string> expected = {
        "Output file path -> " + to.absoluteString(),
        "Finsihed Setup of AVAssetReader and AVAssetWriter",
        "STARTING ASSET WRITER",
        "Asset Writer Finished Writing",
    };
    EXPECT_EQ(Console::printedLines(), expected);
}

TEST(AVAudioFileConverterTests, ReplacesAnExistingOutput) {
    URL to = temporaryURL("existing.wav");
    std::ofstream(to.path()) << "an older file that is not audio at all";
    ASSERT_TRUE(convert(input("song.mp3"), to, formatCode("lpcm"), 16000, 1));
    auto probe = MediaFixtures::probe(to.path());
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->codecName, "pcm_s16le");
    EXPECT_EQ(probe->sampleRate, 16000);
    EXPECT_FALSE(printedStartingWith("Error trying to remove output file"));
}

TEST(AVAudioFileConverterTests, MissingInputYieldsNoConverter) {
    URL missing = temporaryURL("gone away.flac");
    EXPECT_FALSE(AVAudioFileConverter::make(missing, temporaryURL("x.m4a"), 44100, 2));
    EXPECT_EQ(Console::printedLines(),
              std::vector<std::string>{"Input file does not exist at file path " +
                                       missing.absoluteString()});
}

TEST(AVAudioFileConverterTests, UnusableInputsEndWithoutOutput) {
    URL text = temporaryURL("notes.txt");
    std::ofstream(text.path()) << "not a sound in here\n";
    URL empty = temporaryURL("empty.m4a");
    std::ofstream(empty.path()).flush();
    URL videoOnly = temporaryURL("video-only.mp4");
    ASSERT_TRUE(MediaFixtures::run("ffmpeg -nostdin -loglevel error -y -f lavfi -i "
                                   "testsrc=size=64x48:rate=10:duration=0.5 -c:v mpeg4 " +
                                   MediaFixtures::quoted(videoOnly.path())));
    // An M4A cut short loses its index, which sits at the end.
    URL cut = temporaryURL("cut.m4a");
    std::string whole = MediaFixtures::readFile(input("voice.m4a").path());
    std::ofstream(cut.path(), std::ios::binary) << whole.substr(0, whole.size() / 2);

    struct Case {
        URL input;
        const char* lastLine;
    };
    for (const Case& c : {Case{text, "Failed to start Asset Reader and Writer"},
                          Case{empty, "Failed to start Asset Reader and Writer"},
                          Case{cut, "Failed to start Asset Reader and Writer"},
                          Case{videoOnly, "Finsihed Setup of AVAssetReader and AVAssetWriter"}}) {
        SCOPED_TRACE(c.input.lastPathComponent());
        Console::startCapture();
        URL to = temporaryURL("unusable.wav");
        ASSERT_TRUE(convert(c.input, to, formatCode("lpcm"), 44100, 2));
        EXPECT_FALSE(exists(to));
        ASSERT_FALSE(Console::printedLines().empty());
        EXPECT_EQ(Console::printedLines().back(), c.lastLine);
        EXPECT_FALSE(printed("STARTING ASSET WRITER"));
    }
}

TEST(AVAudioFileConverterTests, TruncatedStreamKeepsWhatCouldBeRead) {
    URL whole = input("tagged48k.flac");
    std::string bytes = MediaFixtures::readFile(whole.path());
    URL cut = temporaryURL("cut.flac");
    std::ofstream(cut.path(), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    URL to = temporaryURL("cut.wav");
    ASSERT_TRUE(convert(cut, to, formatCode("lpcm"), 44100, 2));
    auto probe = MediaFixtures::probe(to.path());
    ASSERT_TRUE(probe);
    EXPECT_GT(probe->duration, 0.3);
    EXPECT_LT(probe->duration, 1.2);
    EXPECT_TRUE(printed("Asset Writer Finished Writing"));
}

TEST(AVAudioFileConverterTests, RefusedCombinationEndsWithoutOutput) {
    for (int rate : {44100, 22050}) {
        SCOPED_TRACE(rate);
        Console::startCapture();
        URL to = temporaryURL("refused.opus");
        ASSERT_TRUE(convert(input("tagged48k.flac"), to, formatCode("opus"), rate, 2));
        EXPECT_FALSE(exists(to));
        auto lines = Console::printedLines();
        auto refusal = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
            return l.rfind("Error Creating AVAssetWriterInput: ", 0) == 0;
        });
        ASSERT_NE(refusal, lines.end());
        EXPECT_NE(refusal->find(std::to_string(rate) + " Hz"), std::string::npos) << *refusal;
        EXPECT_EQ(lines.back(), "Finsihed Setup of AVAssetReader and AVAssetWriter");
    }
}

TEST(AVAudioFileConverterTests, NeverConvertsAFileOntoItself) {
    URL from = input("mono44k.wav");
    std::string before = MediaFixtures::readFile(from.path());
    ASSERT_TRUE(convert(from, from, formatCode("lpcm"), 8000, 1));
    EXPECT_EQ(MediaFixtures::readFile(from.path()), before);
    EXPECT_TRUE(printed("Output file is the input file at path -> " + from.path()));
}

TEST(AVAudioFileConverterTests, SeveralConvertersRunAtOnce) {
    struct Job {
        const char* input;
        const char* code;
        const char* output;
        int rate;
        int channels;
    };
    const Job jobs[] = {{"tagged48k.flac", "aac ", "a.m4a", 44100, 2},
                        {"song.mp3", "flac", "b.flac", 22050, 1},
                        {"mono44k.wav", "opus", "c.opus", 16000, 2},
                        {"voice.m4a", "ima4", "d.ima4", 8000, 1},
                        {"tagged48k.flac", "lpcm", "e.wav", 24000, 1}};
    std::vector<std::weak_ptr<AVAudioFileConverter>> running;
    for (const Job& j : jobs)
        input(j.input);
    for (const Job& j : jobs) {
        auto converter =
            AVAudioFileConverter::make(input(j.input), temporaryURL(j.output), j.rate, j.channels);
        ASSERT_TRUE(converter);
        converter->convertAudio(formatCode(*reinterpret_cast<const char(*)[5]>(j.code)));
        running.push_back(converter);
    }
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] {
            return std::all_of(running.begin(), running.end(),
                               [](auto& job) { return job.expired(); });
        },
        120));
    auto lines = Console::printedLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Asset Writer Finished Writing"), 5);
    for (const Job& j : jobs) {
        SCOPED_TRACE(j.output);
        auto probe = MediaFixtures::probe(temporaryURL(j.output).path());
        ASSERT_TRUE(probe);
        EXPECT_EQ(probe->codecName,
                  expectedFor(formatCode(*reinterpret_cast<const char(*)[5]>(j.code))).codec);
        EXPECT_EQ(probe->channels, j.channels);
        EXPECT_NEAR(probe->duration, inputDuration(input(j.input)), 0.3);
    }
}

// A file-size limit makes every write past it fail, as a full disk would.
TEST(AVAudioFileConverterTests, WriterFailingPartWayLeavesNoOutput) {
    Tone longer = tone(20.0, 44100, 2, "-c:a flac");
    URL from = temporaryURL("long.flac");
    ASSERT_TRUE(MediaFixtures::makeTone(from.path(), longer));
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 256 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    URL to = temporaryURL("too-big.wav");
    bool ended = convert(from, to, formatCode("lpcm"), 44100, 2);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(exists(to));
    EXPECT_TRUE(printedStartingWith("Asset Writer Failed: "));
    EXPECT_FALSE(printed("Asset Writer Finished Writing"));
}
