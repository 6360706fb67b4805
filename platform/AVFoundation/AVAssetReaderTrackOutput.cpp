#include "AVFoundation/AVAssetReaderTrackOutput.h"

#include "AVFoundation/AVAssetReader.h"
#include "AVFoundation/AudioDecoder.h"

extern "C" {
#include <libavutil/frame.h>
}

std::shared_ptr<AVAssetReaderTrackOutput> AVAssetReaderTrackOutput::assetReaderTrackOutputWithTrack(
    std::shared_ptr<AVAssetTrack> track, std::optional<AVAudioSettings> outputSettings) {
    return std::make_shared<AVAssetReaderTrackOutput>(std::move(track), std::move(outputSettings));
}

AVAssetReaderTrackOutput::AVAssetReaderTrackOutput(std::shared_ptr<AVAssetTrack> track,
                                                   std::optional<AVAudioSettings> outputSettings)
    : track_(std::move(track)), outputSettings_(std::move(outputSettings)) {}

AVAssetReaderTrackOutput::~AVAssetReaderTrackOutput() = default;

std::shared_ptr<CMSampleBuffer> AVAssetReaderTrackOutput::copyNextSampleBuffer() {
    auto reader = reader_.lock();
    if (!reader || !reader->isReading())
        return nullptr;
    std::lock_guard lock(mutex_);
    if (!decoder_)
        return nullptr;
    const AVFrame* frame = decoder_->nextFrame();
    if (!frame) {
        bool failed = decoder_->failed();
        decoder_.reset(); // the file is closed as soon as its stream has ended
        reader->outputEnded(failed, "The audio stream could not be read to its end.");
        return nullptr;
    }
    auto buffer =
        std::make_shared<CMSampleBuffer>(frame, CMTimeMake(position_, frame->sample_rate));
    position_ += frame->nb_samples;
    return buffer;
}
