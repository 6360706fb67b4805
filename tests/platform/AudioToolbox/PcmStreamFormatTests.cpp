#include "AudioToolbox/PcmStreamFormat.h"

#include <gtest/gtest.h>

namespace {

PcmRenderRequest request(PcmContainer container, uint32_t bitDepth, bool cap,
                         std::optional<uint32_t> channels = std::nullopt) {
    PcmRenderRequest r;
    r.container = container;
    r.sampleRate = 22050;
    r.bitDepth = bitDepth;
    r.capAtSourceDepth = cap;
    r.channels = channels;
    return r;
}

} // namespace

TEST(PcmStreamFormatTests, DerivesRateChannelsDepthAndSampleFlags) {
    struct Case {
        const char* what;
        PcmRenderRequest request;
        uint32_t sourceChannels, sourceBits;
        uint32_t channels, bits;
        bool isSigned, isBigEndian;
    };
    const Case cases[] = {
        {"lossy source", request(PcmContainer::CAF, 24, true), 2, 0, 2, 16, true, false},
        {"16-bit source", request(PcmContainer::CAF, 24, true), 1, 16, 1, 16, true, false},
        {"24-bit source", request(PcmContainer::WAVE, 24, true), 2, 24, 2, 24, true, false},
        {"32-bit source", request(PcmContainer::AIFF, 24, true), 2, 32, 2, 24, true, true},
        {"20-bit source", request(PcmContainer::AIFF, 24, true), 2, 20, 2, 24, true, true},
        {"12-bit source", request(PcmContainer::CAF, 24, true), 2, 12, 2, 16, true, false},
        {"8-bit WAVE", request(PcmContainer::WAVE, 24, true), 2, 8, 2, 8, false, false},
        {"8-bit AIFF", request(PcmContainer::AIFF, 24, true), 2, 8, 2, 8, true, true},
        {"8-bit CAF", request(PcmContainer::CAF, 24, true), 2, 8, 2, 8, true, false},
        {"no cap", request(PcmContainer::WAVE, 16, false), 6, 24, 6, 16, true, false},
        {"channels given", request(PcmContainer::WAVE, 16, false, 2), 1, 0, 2, 16, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto format = PcmStreamFormat::derive(c.request, c.sourceChannels, c.sourceBits);
        ASSERT_TRUE(format);
        EXPECT_EQ(format->sampleRate, 22050);
        EXPECT_EQ(format->channels, c.channels);
        EXPECT_EQ(format->bitsPerChannel, c.bits);
        EXPECT_EQ(format->isSigned, c.isSigned);
        EXPECT_EQ(format->isBigEndian, c.isBigEndian);
        EXPECT_EQ(format->bytesPerFrame(), c.channels * c.bits / 8);
        EXPECT_EQ(format->bytesPerPacket(), format->bytesPerFrame());
    }
}

TEST(PcmStreamFormatTests, RefusesWhatCannotBeWritten) {
    PcmRenderRequest fractionalRate = request(PcmContainer::WAVE, 16, false);
    fractionalRate.sampleRate = 22050.5;
    PcmRenderRequest zeroRate = request(PcmContainer::WAVE, 16, false);
    zeroRate.sampleRate = 0;
    const PcmRenderRequest refused[] = {fractionalRate, zeroRate,
                                        request(PcmContainer::WAVE, 32, false),
                                        request(PcmContainer::WAVE, 16, false, 0)};
    for (const PcmRenderRequest& r : refused) {
        NSError error;
        EXPECT_FALSE(PcmStreamFormat::derive(r, 2, 16, &error));
        EXPECT_FALSE(error.message.empty());
    }
    EXPECT_FALSE(PcmStreamFormat::derive(request(PcmContainer::WAVE, 16, false), 0, 16));
}
