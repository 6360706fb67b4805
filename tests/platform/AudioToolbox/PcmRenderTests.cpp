#include "AVFoundation/AudioDecoder.h"
#include "AudioToolbox/PcmRender.h"
#include "Foundation/FileManager.h"
#include "support/MediaFixtures.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

URL temporaryURL(const std::string& name) {
    return FileManager::defaultManager().temporaryDirectory().appendingPathComponent(name);
}

URL tone(const std::string& name, const MediaFixtures::Tone& tone) {
    URL url = temporaryURL(name);
    EXPECT_TRUE(MediaFixtures::makeTone(url.path(), tone)) << name;
    return url;
}

MediaFixtures::Tone toneOf(double seconds, int rate, int channels, const std::string& arguments) {
    MediaFixtures::Tone t;
    t.seconds = seconds;
    t.sampleRate = rate;
    t.channels = channels;
    t.encoderArguments = arguments;
    return t;
}

PcmRenderRequest request(PcmContainer container, double rate) {
    PcmRenderRequest r;
    r.container = container;
    r.sampleRate = rate;
    r.bitDepth = 24;
    r.capAtSourceDepth = true;
    r.replaceExisting = true;
    return r;
}

double normalized(const AVFrame* frame, size_t i) {
    const uint8_t* data = frame->data[0];
    switch (frame->format) {
    case AV_SAMPLE_FMT_U8:
        return (data[i] - 128) / 128.0;
    case AV_SAMPLE_FMT_S16:
        return reinterpret_cast<const int16_t*>(data)[i] / 32768.0;
    case AV_SAMPLE_FMT_S32:
        return reinterpret_cast<const int32_t*>(data)[i] / 2147483648.0;
    default:
        ADD_FAILURE() << "unexpected sample format " << frame->format;
        return 0;
    }
}

// The loudest sample of a rendered file, and whether every frame has equal channels.
struct Level {
    double peak = 0;
    bool channelsEqual = true;
};

Level level(const URL& url) {
    Level result;
    auto decoder = AudioDecoder::open(url.path());
    if (!decoder)
        return result;
    while (const AVFrame* frame = decoder->nextFrame()) {
        int channels = frame->ch_layout.nb_channels;
        for (int f = 0; f < frame->nb_samples; ++f) {
            for (int c = 0; c < channels; ++c) {
                double v = normalized(frame, static_cast<size_t>(f) * channels + c);
                result.peak = std::max(result.peak, std::abs(v));
                if (v != normalized(frame, static_cast<size_t>(f) * channels))
                    result.channelsEqual = false;
            }
        }
    }
    return result;
}

bool render(const URL& in, const URL& out, const PcmRenderRequest& r, NSError* error = nullptr) {
    bool completed = false;
    bool ok = renderPcm(in, out, r, [&](const NSError* e) {
        completed = true;
        if (e && error)
            *error = *e;
    });
    EXPECT_TRUE(completed) << "the completion runs before the call returns";
    return ok;
}

} // namespace

TEST(PcmRenderTests, RendersSourcesWithTheDerivedFormat) {
    struct Case {
        const char* name;
        MediaFixtures::Tone tone;
        PcmContainer container;
        double rate;
        const char* codec;
        const char* formatName;
        int channels;
    };
    const Case cases[] = {
        {"lossy.mp3", toneOf(1.0, 44100, 2, "-c:a libmp3lame -b:a 128k"), PcmContainer::CAF, 22050,
         "pcm_s16le", "caf", 2},
        {"lossy.m4a", toneOf(1.0, 48000, 1, "-c:a aac"), PcmContainer::CAF, 22050, "pcm_s16le",
         "caf", 1},
        {"lossy.opus", toneOf(1.0, 48000, 2, "-c:a libopus"), PcmContainer::AIFF, 44100,
         "pcm_s16be", "aiff", 2},
        {"deep.flac", toneOf(1.0, 48000, 2, "-c:a flac -sample_fmt s32 -bits_per_raw_sample 24"),
         PcmContainer::AIFF, 44100, "pcm_s24be", "aiff", 2},
        {"plain.flac", toneOf(1.0, 44100, 1, "-c:a flac -sample_fmt s16"), PcmContainer::CAF, 16000,
         "pcm_s16le", "caf", 1},
        {"deep.m4a", toneOf(1.0, 44100, 2, "-c:a alac -sample_fmt s32p"), PcmContainer::CAF, 24000,
         "pcm_s24le", "caf", 2},
        {"pack.wv", toneOf(1.0, 44100, 2, "-c:a wavpack -sample_fmt s16p"), PcmContainer::WAVE,
         8000, "pcm_s16le", "wav", 2},
        {"float.wav", toneOf(1.0, 48000, 2, "-c:a pcm_f32le"), PcmContainer::CAF, 48000,
         "pcm_s24le", "caf", 2},
        {"u8.wav", toneOf(1.0, 44100, 2, "-c:a pcm_u8"), PcmContainer::WAVE, 22050, "pcm_u8", "wav",
         2},
        {"u8.wav", toneOf(1.0, 44100, 2, "-c:a pcm_u8"), PcmContainer::AIFF, 22050, "pcm_s8",
         "aiff", 2},
        {"six.wav", toneOf(1.0, 44100, 6, "-c:a pcm_s16le"), PcmContainer::WAVE, 12000, "pcm_s16le",
         "wav", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " to " + c.formatName);
        URL in = tone(c.name, c.tone);
        URL out = temporaryURL(std::string("out.") + c.formatName);
        NSError error;
        ASSERT_TRUE(render(in, out, request(c.container, c.rate), &error)) << error.message;
        auto probe = MediaFixtures::probe(out.path());
        ASSERT_TRUE(probe);
        EXPECT_EQ(probe->formatName, c.formatName);
        EXPECT_EQ(probe->codecName, c.codec);
        EXPECT_EQ(probe->sampleRate, c.rate);
        EXPECT_EQ(probe->channels, c.channels);
        EXPECT_NEAR(probe->duration, 1.0, 0.06);
        // The tones peak at half scale: a wrong sign or byte order would not. Lossy codecs
        // overshoot at the start.
        if (c.tone.encoderArguments.find("pcm") != std::string::npos ||
            c.tone.encoderArguments.find("flac") != std::string::npos) {
            EXPECT_NEAR(level(out).peak, 0.5, 0.03);
        }
    }
}

TEST(PcmRenderTests, CopiesOnlyAnInputAlreadyInTheOutputsExactForm) {
    URL wav = tone("deep.wav", toneOf(1.0, 48000, 2, "-c:a pcm_s24le"));
    URL wave = temporaryURL("deep.wave");
    ASSERT_TRUE(FileManager::defaultManager().copyItem(wav, wave));
    std::string source = MediaFixtures::readFile(wav.path());

    URL copied = temporaryURL("copied.wav");
    ASSERT_TRUE(render(wav, copied, request(PcmContainer::WAVE, 48000)));
    EXPECT_EQ(MediaFixtures::readFile(copied.path()), source);

    URL rendered = temporaryURL("rendered.wav");
    ASSERT_TRUE(render(wave, rendered, request(PcmContainer::WAVE, 48000)));
    EXPECT_NE(MediaFixtures::readFile(rendered.path()), source);
    auto probe = MediaFixtures::probe(rendered.path());
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->codecName, "pcm_s24le");
    EXPECT_EQ(probe->sampleRate, 48000);

    // Another rate, and a CAF holding big-endian samples, are rendered too.
    ASSERT_TRUE(render(wav, rendered, request(PcmContainer::WAVE, 44100)));
    EXPECT_EQ(MediaFixtures::probe(rendered.path())->sampleRate, 44100);
    URL bigEndian = tone("be.caf", toneOf(1.0, 44100, 2, "-c:a pcm_s16be"));
    URL caf = temporaryURL("le.caf");
    ASSERT_TRUE(render(bigEndian, caf, request(PcmContainer::CAF, 44100)));
    EXPECT_EQ(MediaFixtures::probe(caf.path())->codecName, "pcm_s16le");
    EXPECT_NEAR(level(caf).peak, 0.5, 0.03);
}

TEST(PcmRenderTests, ExistingOutputIsReplacedOnlyWhenAsked) {
    URL in = tone("in.flac", toneOf(0.5, 44100, 2, "-c:a flac -sample_fmt s16"));
    URL out = temporaryURL("out.aiff");
    ASSERT_TRUE(FileManager::defaultManager().createFile(out.path(), std::string(100000, 'x')));

    PcmRenderRequest keep = request(PcmContainer::AIFF, 44100);
    keep.replaceExisting = false;
    NSError error;
    EXPECT_FALSE(render(in, out, keep, &error));
    EXPECT_NE(error.message.find("out.aiff"), std::string::npos);
    EXPECT_EQ(MediaFixtures::readFile(out.path()), std::string(100000, 'x'));

    ASSERT_TRUE(render(in, out, request(PcmContainer::AIFF, 44100)));
    std::string bytes = MediaFixtures::readFile(out.path());
    EXPECT_EQ(bytes.substr(0, 4), "FORM");
    EXPECT_EQ(bytes.size(), 54u + 22050u * 4);
}

TEST(PcmRenderTests, MonoIsDuplicatedIntoRequestedChannelsAtAFixedDataOffset) {
    URL in = tone("mono.flac", toneOf(2.0, 48000, 1, "-c:a flac"));
    URL out = temporaryURL("intermediate.wav");
    PcmRenderRequest r = request(PcmContainer::WAVE, 44100);
    r.bitDepth = 16;
    r.capAtSourceDepth = false;
    r.channels = 2;
    r.dataOffset = 4096;
    ASSERT_TRUE(render(in, out, r));

    std::string bytes = MediaFixtures::readFile(out.path());
    ASSERT_GT(bytes.size(), 4096u);
    EXPECT_EQ(bytes.substr(4088, 4), "data");
    uint32_t dataBytes;
    std::memcpy(&dataBytes, bytes.data() + 4092, 4);
    EXPECT_EQ(dataBytes, bytes.size() - 4096);
    EXPECT_NEAR(dataBytes / 4 / 44100.0, 2.0, 0.002);
    Level l = level(out);
    EXPECT_TRUE(l.channelsEqual);
    EXPECT_NEAR(l.peak, 0.5, 0.02);

    r.container = PcmContainer::AIFF;
    EXPECT_FALSE(render(in, temporaryURL("intermediate.aiff"), r));
}

TEST(PcmRenderTests, FailuresEndTheRenderWithAnError) {
    URL text = temporaryURL("notes.wav");
    ASSERT_TRUE(FileManager::defaultManager().createFile(text.path(), "not audio at all"));
    URL in = tone("in.wav", toneOf(0.5, 44100, 2, "-c:a pcm_s16le"));
    std::string original = MediaFixtures::readFile(in.path());
    struct Case {
        const char* what;
        URL input, output;
    };
    const Case cases[] = {
        {"not audio", text, temporaryURL("a.caf")},
        {"missing input", temporaryURL("gone.mp3"), temporaryURL("b.caf")},
        {"missing folder", in, temporaryURL("no/such/folder/c.caf")},
        {"onto itself", in, in},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NSError error;
        EXPECT_FALSE(render(c.input, c.output, request(PcmContainer::WAVE, 44100), &error));
        EXPECT_FALSE(error.message.empty());
        if (c.output != in) {
            EXPECT_FALSE(FileManager::defaultManager().fileExists(c.output.path()));
        }
    }
    EXPECT_EQ(MediaFixtures::readFile(in.path()), original);
}
