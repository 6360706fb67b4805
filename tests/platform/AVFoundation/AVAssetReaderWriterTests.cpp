#include "AVFoundation/AVAssetReader.h"
#include "AVFoundation/AVAssetWriter.h"
#include "AVFoundation/AVURLAsset.h"
#include "Foundation/FileManager.h"
#include "Foundation/RunLoop.h"
#include "support/MediaFixtures.h"

#include <atomic>
#include <fstream>
#include <gtest/gtest.h>

namespace {

URL temporaryURL(const std::string& name) {
    return FileManager::defaultManager().temporaryDirectory().appendingPathComponent(name);
}

std::shared_ptr<AVURLAsset> makeAsset(const std::string& name, double seconds, int rate,
                                      int channels, const std::string& encoder) {
    MediaFixtures::Tone t;
    t.seconds = seconds;
    t.sampleRate = rate;
    t.channels = channels;
    t.encoderArguments = encoder;
    URL url = temporaryURL(name);
    EXPECT_TRUE(MediaFixtures::makeTone(url.path(), t));
    return AVURLAsset::URLAssetWithURL(url);
}

const AVAudioSettings linearPCM = {{AVFormatIDKey, int64_t{kAudioFormatLinearPCM}}};

struct Reading {
    std::shared_ptr<AVAssetReader> reader;
    std::shared_ptr<AVAssetReaderTrackOutput> output;
};

Reading startReading(const std::shared_ptr<AVAsset>& asset) {
    Reading r;
    r.reader = AVAssetReader::assetReaderWithAsset(asset);
    auto track = asset->tracksWithMediaType(AVMediaTypeAudio).at(0);
    r.output = AVAssetReaderTrackOutput::assetReaderTrackOutputWithTrack(track, linearPCM);
    EXPECT_TRUE(r.reader->canAddOutput(r.output));
    r.reader->addOutput(r.output);
    EXPECT_TRUE(r.reader->startReading());
    return r;
}

AVAudioSettings settings(uint32_t format, int rate, int channels) {
    return {{AVFormatIDKey, int64_t{format}},
            {AVSampleRateKey, int64_t{rate}},
            {AVNumberOfChannelsKey, int64_t{channels}}};
}

} // namespace

TEST(AVAssetReaderTests, GivesPcmAtTheTracksOwnRateAndChannels) {
    auto asset = makeAsset("mono.wav", 1.0, 22050, 1, "-c:a pcm_s16le");
    Reading r = startReading(asset);
    int64_t samples = 0;
    CMTime expectedTime = kCMTimeZero;
    while (auto buffer = r.output->copyNextSampleBuffer()) {
        EXPECT_EQ(buffer->sampleRate(), 22050);
        EXPECT_EQ(buffer->channels(), 1);
        EXPECT_EQ(buffer->presentationTimeStamp(), expectedTime);
        expectedTime = CMTimeAdd(expectedTime, buffer->duration());
        samples += buffer->numSamples();
    }
    EXPECT_EQ(samples, 22050);
    EXPECT_EQ(r.reader->status(), AVAssetReaderStatus::completed);
    EXPECT_FALSE(r.output->copyNextSampleBuffer());
}

TEST(AVAssetReaderTests, CancelledReaderGivesNoMore) {
    auto asset = makeAsset("tone.flac", 1.0, 48000, 2, "-c:a flac");
    Reading r = startReading(asset);
    EXPECT_TRUE(r.output->copyNextSampleBuffer());
    r.reader->cancelReading();
    EXPECT_EQ(r.reader->status(), AVAssetReaderStatus::cancelled);
    EXPECT_FALSE(r.output->copyNextSampleBuffer());
}

TEST(AVAssetReaderTests, RefusesWhatItCannotGive) {
    URL text = temporaryURL("notes.txt");
    std::ofstream(text.path()) << "no sound";
    NSError error;
    EXPECT_FALSE(AVAssetReader::assetReaderWithAsset(AVURLAsset::URLAssetWithURL(text), &error));
    EXPECT_FALSE(error.localizedDescription().empty());

    auto asset = makeAsset("tone.flac", 0.5, 48000, 2, "-c:a flac");
    auto reader = AVAssetReader::assetReaderWithAsset(asset);
    auto track = asset->tracksWithMediaType(AVMediaTypeAudio).at(0);
    AVAudioSettings resampled = linearPCM;
    resampled[AVSampleRateKey] = int64_t{8000};
    EXPECT_FALSE(reader->canAddOutput(
        AVAssetReaderTrackOutput::assetReaderTrackOutputWithTrack(track, resampled)));
    EXPECT_FALSE(reader->canAddOutput(AVAssetReaderTrackOutput::assetReaderTrackOutputWithTrack(
        track, settings(kAudioFormatMPEG4AAC, 48000, 2))));
    EXPECT_TRUE(reader->canAddOutput(
        AVAssetReaderTrackOutput::assetReaderTrackOutputWithTrack(track, std::nullopt)));
}

TEST(AVAssetWriterTests, AsksForDataAgainUntilFinishedAndCompletesOffTheMainThread) {
    // Long enough for far more buffers than one turn of the request block takes.
    auto asset = makeAsset("long.flac", 30.0, 44100, 2, "-c:a flac");
    Reading r = startReading(asset);
    URL out = temporaryURL("out.m4a");
    auto writer = AVAssetWriter::assetWriterWithURL(out, AVFileTypeAppleM4A);
    ASSERT_TRUE(writer);
    auto input = AVAssetWriterInput::assetWriterInputWithMediaType(
        AVMediaTypeAudio, settings(kAudioFormatMPEG4AAC, 24000, 1));
    ASSERT_TRUE(writer->canAddInput(input));
    writer->addInput(input);
    ASSERT_TRUE(writer->startWriting());
    EXPECT_TRUE(FileManager::defaultManager().fileExists(out.path()));
    writer->startSessionAtSourceTime(kCMTimeZero);

    DispatchQueue queue("writer test queue");
    std::atomic<int> turns = 0;
    std::atomic<bool> done = false, completedOnMain = true;
    input->requestMediaDataWhenReadyOnQueue(queue, [&] {
        ++turns;
        EXPECT_TRUE(queue.isCurrent());
        while (input->isReadyForMoreMediaData()) {
            auto buffer = r.output->copyNextSampleBuffer();
            if (!buffer) {
                input->markAsFinished();
                writer->finishWritingWithCompletionHandler([&] {
                    completedOnMain = RunLoop::isMainThread();
                    done = true;
                });
                return;
            }
            EXPECT_TRUE(input->appendSampleBuffer(*buffer));
        }
    });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return done.load(); }, 120));
    EXPECT_GT(turns, 1);
    EXPECT_FALSE(completedOnMain);
    EXPECT_EQ(writer->status(), AVAssetWriterStatus::completed);
    EXPECT_FALSE(input->isReadyForMoreMediaData());
    auto probe = MediaFixtures::probe(out.path());
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->codecName, "aac");
    EXPECT_EQ(probe->sampleRate, 24000);
    EXPECT_EQ(probe->channels, 1);
    EXPECT_NEAR(probe->duration, 30.0, 0.1);
}

TEST(AVAssetWriterTests, RefusesSettingsItCannotWrite) {
    struct Case {
        const char* why;
        AVFileType type;
        AVAudioSettings settings;
    };
    AVAudioSettings bigEndian = settings(kAudioFormatLinearPCM, 44100, 2);
    bigEndian[AVLinearPCMIsBigEndianKey] = true;
    AVAudioSettings planar = settings(kAudioFormatLinearPCM, 44100, 2);
    planar[AVLinearPCMIsNonInterleaved] = true;
    AVAudioSettings oddDepth = settings(kAudioFormatLinearPCM, 44100, 2);
    oddDepth[AVLinearPCMBitDepthKey] = int64_t{12};
    const Case cases[] = {
        {"Opus at 44100 Hz", AVFileTypeCoreAudioFormat, settings(kAudioFormatOpus, 44100, 2)},
        {"Opus at 22050 Hz", AVFileTypeCoreAudioFormat, settings(kAudioFormatOpus, 22050, 1)},
        {"HE-AAC", AVFileTypeMPEG4, settings(kAudioFormatMPEG4AAC_HE, 44100, 2)},
        {"big-endian WAVE", AVFileTypeWAVE, bigEndian},
        {"planar PCM", AVFileTypeWAVE, planar},
        {"12-bit PCM", AVFileTypeWAVE, oddDepth},
        {"A-law in M4A", AVFileTypeAppleM4A, settings(kAudioFormatALaw, 8000, 1)},
        {"no channel count",
         AVFileTypeWAVE,
         {{AVFormatIDKey, int64_t{kAudioFormatLinearPCM}}, {AVSampleRateKey, int64_t{8000}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto writer = AVAssetWriter::assetWriterWithURL(temporaryURL("refused"), c.type);
        ASSERT_TRUE(writer);
        auto input =
            AVAssetWriterInput::assetWriterInputWithMediaType(AVMediaTypeAudio, c.settings);
        NSError why;
        EXPECT_FALSE(writer->canAddInput(input, &why));
        EXPECT_FALSE(why.localizedDescription().empty());
        writer->addInput(input);
        EXPECT_TRUE(writer->inputs().empty());
        EXPECT_FALSE(writer->startWriting());
        EXPECT_FALSE(FileManager::defaultManager().fileExists(temporaryURL("refused").path()));
    }
    EXPECT_FALSE(AVAssetWriter::assetWriterWithURL(temporaryURL("x"), "public.mp3"));
    EXPECT_FALSE(
        AVAssetWriter::assetWriterWithURL(*URL::fromString("https://a.b/x.wav"), AVFileTypeWAVE));
}

TEST(AVAssetWriterTests, NeverReplacesAFileAndCancelRemovesItsOwn) {
    URL existing = temporaryURL("existing.wav");
    std::ofstream(existing.path()) << "keep me";
    auto writer = AVAssetWriter::assetWriterWithURL(existing, AVFileTypeWAVE);
    writer->addInput(AVAssetWriterInput::assetWriterInputWithMediaType(
        AVMediaTypeAudio, settings(kAudioFormatLinearPCM, 8000, 1)));
    EXPECT_FALSE(writer->startWriting());
    EXPECT_EQ(writer->status(), AVAssetWriterStatus::failed);
    writer->cancelWriting();
    EXPECT_EQ(MediaFixtures::readFile(existing.path()), "keep me");

    URL fresh = temporaryURL("fresh.caf");
    writer = AVAssetWriter::assetWriterWithURL(fresh, AVFileTypeCoreAudioFormat);
    writer->addInput(AVAssetWriterInput::assetWriterInputWithMediaType(
        AVMediaTypeAudio, settings(kAudioFormatULaw, 8000, 1)));
    ASSERT_TRUE(writer->startWriting());
    EXPECT_TRUE(FileManager::defaultManager().fileExists(fresh.path()));
    writer->cancelWriting();
    EXPECT_EQ(writer->status(), AVAssetWriterStatus::cancelled);
    EXPECT_FALSE(FileManager::defaultManager().fileExists(fresh.path()));
}
