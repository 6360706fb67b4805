#include "AVFoundation/AudioDecoder.h"
#include "AudioToolbox/AiffFileWriter.h"
#include "AudioToolbox/CafFileWriter.h"
#include "AudioToolbox/WaveFileWriter.h"
#include "Foundation/FileManager.h"
#include "support/MediaFixtures.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/samplefmt.h>
}

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::string temporaryPath(const std::string& name) {
    return FileManager::defaultManager().temporaryDirectory().appendingPathComponent(name).path();
}

std::unique_ptr<PcmFileWriter> writerFor(PcmContainer container) {
    if (container == PcmContainer::AIFF)
        return std::make_unique<AiffFileWriter>();
    if (container == PcmContainer::CAF)
        return std::make_unique<CafFileWriter>();
    return std::make_unique<WaveFileWriter>();
}

// Samples in the writer's in-memory form, covering each depth's whole range.
std::vector<uint8_t> pattern(uint32_t bits, size_t count) {
    std::vector<uint8_t> bytes(count * (bits == 24 ? 4 : bits / 8));
    for (size_t i = 0; i < count; ++i) {
        if (bits == 8) {
            bytes[i] = static_cast<uint8_t>(i * 37);
        } else if (bits == 16) {
            auto v = static_cast<int16_t>(i * 1237);
            std::memcpy(&bytes[2 * i], &v, 2);
        } else {
            int32_t v = static_cast<int32_t>((i * 104729) % (1u << 24)) - (1 << 23);
            v = static_cast<int32_t>(static_cast<uint32_t>(v) << 8);
            std::memcpy(&bytes[4 * i], &v, 4);
        }
    }
    return bytes;
}

// Every sample FFmpeg decodes from the file, in the same in-memory form.
std::vector<uint8_t> decodedSamples(const std::string& path, AudioStreamInfo* info = nullptr) {
    std::vector<uint8_t> bytes;
    auto decoder = AudioDecoder::open(path);
    if (!decoder)
        return bytes;
    if (info)
        *info = decoder->info();
    while (const AVFrame* frame = decoder->nextFrame()) {
        size_t size = static_cast<size_t>(frame->nb_samples) * frame->ch_layout.nb_channels *
                      av_get_bytes_per_sample(static_cast<AVSampleFormat>(frame->format));
        bytes.insert(bytes.end(), frame->data[0], frame->data[0] + size);
    }
    return bytes;
}

PcmStreamFormat format(uint32_t channels, uint32_t bits, bool isSigned, bool bigEndian) {
    return PcmStreamFormat{22050, channels, bits, isSigned, bigEndian};
}

} // namespace

TEST(PcmFileWriterTests, EachContainerAndDepthDecodesBackToTheSamePcm) {
    struct Case {
        PcmContainer container;
        uint32_t bits;
        bool isSigned, bigEndian;
        const char* codec;
        const char* formatName;
    };
    const Case cases[] = {
        {PcmContainer::WAVE, 8, false, false, "pcm_u8", "wav"},
        {PcmContainer::WAVE, 16, true, false, "pcm_s16le", "wav"},
        {PcmContainer::WAVE, 24, true, false, "pcm_s24le", "wav"},
        {PcmContainer::AIFF, 8, true, true, "pcm_s8", "aiff"},
        {PcmContainer::AIFF, 16, true, true, "pcm_s16be", "aiff"},
        {PcmContainer::AIFF, 24, true, true, "pcm_s24be", "aiff"},
        {PcmContainer::CAF, 8, true, false, "pcm_s8", "caf"},
        {PcmContainer::CAF, 16, true, false, "pcm_s16le", "caf"},
        {PcmContainer::CAF, 24, true, false, "pcm_s24le", "caf"},
    };
    // One channel with an odd frame count needs pad bytes; three channels the extensible WAVE.
    for (uint32_t channels : {1u, 3u}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.codec) + " in " + c.formatName + ", " +
                         std::to_string(channels) + " channels");
            const size_t frames = 1001;
            std::string path = temporaryPath("out");
            std::vector<uint8_t> samples = pattern(c.bits, frames * channels);
            auto writer = writerFor(c.container);
            NSError error;
            ASSERT_TRUE(
                writer->create(path, format(channels, c.bits, c.isSigned, c.bigEndian), &error))
                << error.message;
            // In two parts, as a render hands them over.
            ASSERT_TRUE(writer->write(samples.data(), 600, &error)) << error.message;
            ASSERT_TRUE(writer->write(samples.data() + samples.size() / frames * 600, 401, &error));
            ASSERT_TRUE(writer->close(&error)) << error.message;
            EXPECT_EQ(writer->framesWritten(), frames);

            AudioStreamInfo info;
            EXPECT_EQ(decodedSamples(path, &info), samples);
            EXPECT_EQ(info.codecName, c.codec);
            EXPECT_EQ(info.formatName, c.formatName);
            EXPECT_EQ(info.sampleRate, 22050);
            EXPECT_EQ(info.channels, static_cast<int>(channels));
            auto probe = MediaFixtures::probe(path);
            ASSERT_TRUE(probe);
            EXPECT_NEAR(probe->duration, frames / 22050.0, 1e-3);
        }
    }
}

TEST(PcmFileWriterTests, TwentyFourBitSamplesRoundWithoutOverflow) {
    const int32_t in[] = {INT32_MAX, INT32_MIN, 0x80, 0x7F, -0x81};
    const int32_t expected[] = {0x7FFFFF00, INT32_MIN, 0x100, 0, -0x100};
    std::string path = temporaryPath("round.caf");
    CafFileWriter writer;
    ASSERT_TRUE(writer.create(path, format(1, 24, true, false)));
    ASSERT_TRUE(writer.write(in, 5));
    ASSERT_TRUE(writer.close());
    std::vector<uint8_t> decoded = decodedSamples(path);
    ASSERT_EQ(decoded.size(), sizeof expected);
    EXPECT_EQ(std::memcmp(decoded.data(), expected, sizeof expected), 0);
}

TEST(PcmFileWriterTests, WaveSampleDataCanBeginAtAFixedOffset) {
    std::string path = temporaryPath("fixed.wav");
    WaveFileWriter writer(4096);
    std::vector<uint8_t> samples = pattern(16, 2 * 500);
    ASSERT_TRUE(writer.create(path, format(2, 16, true, false)));
    ASSERT_TRUE(writer.write(samples.data(), 500));
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(writer.dataOffset(), 4096u);

    std::string bytes = MediaFixtures::readFile(path);
    ASSERT_EQ(bytes.size(), 4096 + samples.size());
    EXPECT_EQ(bytes.substr(4088, 4), "data");
    EXPECT_EQ(std::memcmp(bytes.data() + 4096, samples.data(), samples.size()), 0);
    EXPECT_EQ(decodedSamples(path), samples);

    for (uint32_t offset : {40u, 4095u}) {
        WaveFileWriter refused(offset);
        NSError error;
        EXPECT_FALSE(refused.create(temporaryPath("bad.wav"), format(2, 16, true, false), &error));
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(PcmFileWriterTests, RefusesEncodingsItsContainerCannotHold) {
    EXPECT_FALSE(WaveFileWriter().create(temporaryPath("a.wav"), format(2, 8, true, false)));
    EXPECT_FALSE(WaveFileWriter().create(temporaryPath("a.wav"), format(2, 16, true, true)));
    EXPECT_FALSE(AiffFileWriter().create(temporaryPath("a.aif"), format(2, 16, true, false)));
    EXPECT_FALSE(CafFileWriter().create(temporaryPath("a.caf"), format(2, 16, false, false)));
    NSError error;
    EXPECT_FALSE(
        CafFileWriter().create("/nonexistent/folder/a.caf", format(2, 16, true, false), &error));
    EXPECT_NE(error.message.find("a.caf"), std::string::npos);
}
