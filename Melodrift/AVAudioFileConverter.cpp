#include "Melodrift/AVAudioFileConverter.h"

#include "AVFoundation/AVMediaType.h"
#include "AVFoundation/AVURLAsset.h"
#include "AVFoundation/CMTime.h"
#include "Foundation/Console.h"
#include "Foundation/FileManager.h"

#include <filesystem>
#include <set>
#include <utility>

namespace {

// The input's tags that travel into the output, where the container can hold them.
const std::set<std::string> copiedTags = {"title", "artist", "album", "track", "date", "genre"};

std::vector<AVMetadataItem> tagsToCopy(const AVAsset& asset) {
    std::vector<AVMetadataItem> items;
    for (const AVMetadataItem& item : asset.metadata()) {
        if (copiedTags.count(item.key) && item.stringValue)
            items.push_back(item);
    }
    return items;
}

std::string describe(const std::optional<NSError>& error) {
    return error ? error->localizedDescription() : std::string("unknown error");
}

} // namespace

std::shared_ptr<AVAudioFileConverter> AVAudioFileConverter::make(const URL& inputURL,
                                                                 const URL& outputURL,
                                                                 int sampleRate, int channels) {
    std::shared_ptr<AVAudioFileConverter> converter(
        new AVAudioFileConverter(inputURL, outputURL, sampleRate, channels));
    if (!FileManager::defaultManager().fileExists(inputURL.path())) {
        Console::print("Input file does not exist at file path " + inputURL.absoluteString());
        return nullptr;
    }
    return converter;
}

AVAudioFileConverter::AVAudioFileConverter(URL inputURL, URL outputURL, int sampleRate,
                                           int channels)
    : outputURL(std::move(outputURL)), inputURL(std::move(inputURL)), sampleRateValue(sampleRate),
      channelValue(channels) {}

AVFileType AVAudioFileConverter::writerFileType(FormatCode code) {
    switch (code) {
    case formatCode("aac "):
    case formatCode("flac"):
        return AVFileTypeAppleM4A;
    case formatCode("aach"):
        return AVFileTypeMPEG4;
    case formatCode("alaw"):
    case formatCode("ulaw"):
    case formatCode("ima4"):
    case formatCode("opus"):
        return AVFileTypeCoreAudioFormat;
    case formatCode("lpcm"):
        return AVFileTypeWAVE;
    default:
        return "";
    }
}

AVAudioSettings AVAudioFileConverter::writerSettings(FormatCode code) const {
    AVAudioSettings settings = {
        {AVFormatIDKey, static_cast<int64_t>(code)},
        {AVSampleRateKey, static_cast<int64_t>(sampleRateValue)},
        {AVNumberOfChannelsKey, static_cast<int64_t>(channelValue)},
    };
    switch (code) {
    case formatCode("aac "):
        settings[AVEncoderBitRateKey] = int64_t{96000};
        break;
    case formatCode("aach"):
        // Written as plain AAC, at the encoder's own bit rate.
        settings[AVFormatIDKey] = static_cast<int64_t>(kAudioFormatMPEG4AAC);
        break;
    case formatCode("lpcm"):
        settings[AVLinearPCMBitDepthKey] = int64_t{16};
        settings[AVLinearPCMIsNonInterleaved] = false;
        settings[AVLinearPCMIsFloatKey] = false;
        settings[AVLinearPCMIsBigEndianKey] = false;
        break;
    default:
        break;
    }
    return settings;
}

void AVAudioFileConverter::convertAudio(FormatCode code) {
    rwAudioSerializationQueue.emplace(" rw audio serialization queue");
    asset = AVURLAsset::URLAssetWithURL(inputURL);
    Console::print("Output file path -> " + outputURL.absoluteString());
    auto self = shared_from_this();
    asset->loadValuesAsynchronously({"tracks"}, [self, code] { self->tracksLoaded(code); });
}

void AVAudioFileConverter::tracksLoaded(FormatCode code) {
    if (asset->statusOfValueForKey("tracks") != AVKeyValueStatus::loaded) {
        Console::print("Failed setting up Asset Reader and Writer");
        Console::print("Failed to start Asset Reader and Writer");
        finish(false);
        return;
    }
    FileManager& files = FileManager::defaultManager();
    if (files.fileExists(outputURL.path())) {
        // Removing the output would destroy the input before it is read.
        if (replacesInput()) {
            Console::print("Output file is the input file at path -> " + outputURL.path());
            finish(false);
            return;
        }
        if (!files.removeItem(outputURL)) {
            Console::print("Error trying to remove output file at path -> " + outputURL.path());
        }
    }
    setupReaderAndWriter(code);
}

bool AVAudioFileConverter::replacesInput() const {
    std::error_code ignored;
    return std::filesystem::equivalent(inputURL.path(), outputURL.path(), ignored);
}

void AVAudioFileConverter::setupReaderAndWriter(FormatCode code) {
    NSError error;
    assetReader = AVAssetReader::assetReaderWithAsset(asset, &error);
    if (!assetReader) {
        Console::print("Error Creating AVAssetReader");
    }
    assetWriter = AVAssetWriter::assetWriterWithURL(outputURL, writerFileType(code), &error);
    if (assetWriter) {
        assetWriter->metadata = tagsToCopy(*asset);
    } else {
        Console::print("Error Creating AVAssetWriter");
    }

    auto tracks = asset->tracksWithMediaType(AVMediaTypeAudio);
    bool ready = assetReader && assetWriter && !tracks.empty();
    if (!tracks.empty()) {
        AVAudioSettings pcm = {{AVFormatIDKey, static_cast<int64_t>(kAudioFormatLinearPCM)}};
        assetReaderAudioOutput =
            AVAssetReaderTrackOutput::assetReaderTrackOutputWithTrack(tracks.front(), pcm);
        if (assetReader)
            assetReader->addOutput(assetReaderAudioOutput);
        assetWriterAudioInput = AVAssetWriterInput::assetWriterInputWithMediaType(
            AVMediaTypeAudio, writerSettings(code));
        NSError refusal;
        if (assetWriter && !assetWriter->canAddInput(assetWriterAudioInput, &refusal)) {
            Console::print("Error Creating AVAssetWriterInput: " + refusal.localizedDescription());
            ready = false;
        } else if (assetWriter) {
            assetWriter->addInput(assetWriterAudioInput);
        }
    }
    Console::print("Finsihed Setup of AVAssetReader and AVAssetWriter");
    if (ready)
        startReadingAndWriting();
    else
        finish(false);
}

void AVAudioFileConverter::startReadingAndWriting() {
    Console::print("STARTING ASSET WRITER");
    if (!assetWriter->startWriting()) {
        Console::print("Error starting AVAssetWriter: " + describe(assetWriter->error()));
        finish(false);
        return;
    }
    if (!assetReader->startReading()) {
        Console::print("Error starting AVAssetReader: " + describe(assetReader->error()));
        assetWriter->cancelWriting();
        finish(false);
        return;
    }
    assetWriter->startSessionAtSourceTime(kCMTimeZero);
    auto self = shared_from_this();
    assetWriterAudioInput->requestMediaDataWhenReadyOnQueue(*rwAudioSerializationQueue,
                                                            [self] { self->pumpSamples(); });
}

void AVAudioFileConverter::pumpSamples() {
    while (assetWriterAudioInput->isReadyForMoreMediaData()) {
        auto buffer = assetReaderAudioOutput->copyNextSampleBuffer();
        if (buffer) {
            assetWriterAudioInput->appendSampleBuffer(*buffer);
            continue;
        }
        assetWriterAudioInput->markAsFinished();
        assetReader->cancelReading();
        auto self = shared_from_this();
        assetWriter->finishWritingWithCompletionHandler([self] { self->writingFinished(); });
        return;
    }
    if (assetWriter->status() == AVAssetWriterStatus::failed)
        abandonFailedWriting();
}

// The writer failed part-way: it is called for no more data, and its unfinished file goes.
void AVAudioFileConverter::abandonFailedWriting() {
    Console::print("Asset Writer Failed: " + describe(assetWriter->error()));
    assetReader->cancelReading();
    assetWriter->cancelWriting();
    finish(false);
}

void AVAudioFileConverter::writingFinished() {
    if (assetWriter->status() == AVAssetWriterStatus::completed) {
        Console::print("Asset Writer Finished Writing");
        finish(true);
    } else {
        abandonFailedWriting();
    }
}

void AVAudioFileConverter::finish(bool complete) {
    if (auto done = std::exchange(onFinish, nullptr))
        done(complete);
}
