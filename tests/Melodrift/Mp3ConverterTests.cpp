#include "Melodrift/Mp3Converter.h"

#include "AudioToolbox/PcmRender.h"
#include "Foundation/Console.h"
#include "Foundation/DispatchQueue.h"
#include "Foundation/FileManager.h"
#include "Foundation/RunLoop.h"
#include "support/MediaFixtures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string temporaryPath(const std::string& name) {
    return FileManager::defaultManager().temporaryDirectory().appendingPathComponent(name).path();
}

// A headed raw input: `bytes` in all, zeros for the header, then a stereo tone.
std::string rawInput(const std::string& name, size_t bytes) {
    std::string path = temporaryPath(name);
    std::ofstream file(path, std::ios::binary);
    for (size_t i = 0; i < bytes; ++i) {
        char byte = 0;
        if (i >= 4096) {
            size_t sample = (i - 4096) / 2;
            auto value =
                static_cast<int16_t>(12000 * std::sin(2 * M_PI * 440 * (sample / 2) / 44100.0));
            byte = static_cast<char>((i - 4096) % 2 == 0 ? value & 0xFF : (value >> 8) & 0xFF);
        }
        file.put(byte);
    }
    return path;
}

struct Job {
    std::vector<float> progress;
    bool completed = false;
    bool complete = false;
    bool onMainThread = true;
};

void start(const std::string& in, const std::string& out, Job& job) {
    Mp3Converter::convert(
        in, out,
        [&job](float fraction) {
            job.progress.push_back(fraction);
            job.onMainThread = job.onMainThread && RunLoop::isMainThread();
        },
        [&job](bool complete) {
            job.completed = true;
            job.complete = complete;
            job.onMainThread = job.onMainThread && RunLoop::isMainThread();
        });
}

Job encode(const std::string& in, const std::string& out) {
    Job job;
    start(in, out, job);
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return job.completed; }, 120));
    return job;
}

bool startsWithFrame(const std::string& bytes) {
    return bytes.size() > 4 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
           (static_cast<uint8_t>(bytes[1]) & 0xE0) == 0xE0;
}

} // namespace

TEST(Mp3ConverterTests, EncodesOneChunkPerFullBufferAndReportsProgressUpToOne) {
    for (size_t k : {1u, 2u, 5u}) {
        SCOPED_TRACE(k);
        std::string out = temporaryPath("out.mp3");
        Job job = encode(rawInput("in.raw", 4096 + 4 * 8192 * k), out);
        ASSERT_EQ(job.progress.size(), k);
        EXPECT_GT(job.progress.front(), 0.0f);
        EXPECT_TRUE(std::is_sorted(job.progress.begin(), job.progress.end()));
        EXPECT_EQ(job.progress.back(), 1.0f);
        EXPECT_TRUE(job.onMainThread);
        EXPECT_TRUE(startsWithFrame(MediaFixtures::readFile(out)));
    }
}

TEST(Mp3ConverterTests, InputWithoutAWholeFrameAfterTheHeaderEncodesNothing) {
    for (size_t bytes : {0u, 4096u, 4097u, 4099u}) {
        SCOPED_TRACE(bytes);
        std::string out = temporaryPath("short.mp3");
        Job job = encode(rawInput("short.raw", bytes), out);
        EXPECT_TRUE(job.progress.empty());
        EXPECT_TRUE(job.completed);
        EXPECT_TRUE(job.complete);
        EXPECT_TRUE(FileManager::defaultManager().fileExists(out));
    }
}

TEST(Mp3ConverterTests, ReplacesAnExistingOutput) {
    std::string out = temporaryPath("out.mp3");
    ASSERT_TRUE(FileManager::defaultManager().createFile(out, std::string(1 << 20, 'x')));
    encode(rawInput("in.raw", 4096 + 4 * 8192 * 3), out);
    std::string bytes = MediaFixtures::readFile(out);
    EXPECT_LT(bytes.size(), 1u << 16);
    EXPECT_TRUE(startsWithFrame(bytes));
    EXPECT_EQ(bytes.find("xxxxxxxx"), std::string::npos);
}

TEST(Mp3ConverterTests, RenderedIntermediateEncodesToStereoOfTheSourcesDuration) {
    // A mono 48 kHz source with loud and quiet parts, so the bit rate varies.
    std::string source = temporaryPath("source.flac");
    ASSERT_TRUE(MediaFixtures::run(
        "ffmpeg -nostdin -v error -y -f lavfi -i "
        "'aevalsrc=exprs=0.6*sin(2*PI*440*t)*lt(mod(t\\,4)\\,2)+0.3*(random(0)-0.5):s=48000:d=12' "
        "-c:a flac " +
        MediaFixtures::quoted(source)));
    URL intermediate = FileManager::defaultManager().temporaryDirectory().appendingPathComponent(
        "intermediate.wav");
    NSError error;
    ASSERT_TRUE(renderPcm(URL::fileURL(source), intermediate, Mp3Converter::intermediateRequest(),
                          [&](const NSError* e) {
                              if (e)
                                  error = *e;
                          }))
        << error.message;
    std::string header = MediaFixtures::readFile(intermediate.path()).substr(0, 4096);
    EXPECT_EQ(header.substr(4088, 4), "data");

    std::string out = temporaryPath("out.mp3");
    Job job = encode(intermediate.path(), out);
    EXPECT_EQ(job.progress.back(), 1.0f);
    auto probe = MediaFixtures::probe(out);
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->codecName, "mp3");
    EXPECT_EQ(probe->channels, 2);
    EXPECT_EQ(probe->sampleRate, 44100);
    EXPECT_NEAR(probe->duration, 12.0, 0.05);
}

TEST(Mp3ConverterTests, UnopenableInputOrOutputEndsTheJobAndStillCompletes) {
    std::string in = rawInput("in.raw", 4096 + 4 * 8192);
    struct Case {
        std::string input, output, line;
    };
    const Case cases[] = {
        {temporaryPath("missing.raw"), temporaryPath("a.mp3"), "Unable to open MP3 input: "},
        {in, temporaryPath("no/folder/b.mp3"), "Unable to create MP3 output: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Job job = encode(c.input, c.output);
        EXPECT_TRUE(job.completed);
        EXPECT_FALSE(job.complete);
        EXPECT_TRUE(job.progress.empty());
        EXPECT_FALSE(FileManager::defaultManager().fileExists(c.output));
        auto lines = Console::printedLines();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&](const std::string& l) { return l.rfind(c.line, 0) == 0; }));
    }
}

TEST(Mp3ConverterTests, JobsRunOneAfterAnotherInTheirOrder) {
    std::vector<int> finished;
    for (int i = 0; i < 3; ++i) {
        Mp3Converter::convert(rawInput("in" + std::to_string(i) + ".raw", 4096 + 4 * 8192 * 2),
                              temporaryPath("out" + std::to_string(i) + ".mp3"), nullptr,
                              [&finished, i](bool) { finished.push_back(i); });
    }
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return finished.size() == 3; }, 120));
    EXPECT_EQ(finished, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Mp3Converter::encoderQueue().label(), "com.velaro.encoder.queue");
}
