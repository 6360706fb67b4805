#pragma once

#include "AVFoundation/AVAssetTrack.h"
#include "AVFoundation/AVAudioSettings.h"
#include "AVFoundation/CMSampleBuffer.h"

#include <memory>
#include <mutex>
#include <optional>

class AVAssetReader;
class AudioDecoder;

// Decoded samples of one audio track, read through an asset reader. The samples are linear PCM
// at the track's own rate and channel count.
class AVAssetReaderTrackOutput {
  public:
    // `outputSettings`: none, or linear PCM ('lpcm' under AVFormatIDKey) and nothing else.
    static std::shared_ptr<AVAssetReaderTrackOutput>
    assetReaderTrackOutputWithTrack(std::shared_ptr<AVAssetTrack> track,
                                    std::optional<AVAudioSettings> outputSettings);
    AVAssetReaderTrackOutput(std::shared_ptr<AVAssetTrack> track,
                             std::optional<AVAudioSettings> outputSettings);
    ~AVAssetReaderTrackOutput();

    const std::shared_ptr<AVAssetTrack>& track() const { return track_; }
    const std::optional<AVAudioSettings>& outputSettings() const { return outputSettings_; }
    const std::string& mediaType() const { return track_->mediaType(); }

    // The next run of samples; none at the end of the stream, after a read error, or when the
    // reader is not reading.
    std::shared_ptr<CMSampleBuffer> copyNextSampleBuffer();

  private:
    friend class AVAssetReader;

    std::shared_ptr<AVAssetTrack> track_;
    std::optional<AVAudioSettings> outputSettings_;
    std::weak_ptr<AVAssetReader> reader_;
    std::mutex mutex_;
    std::unique_ptr<AudioDecoder> decoder_;
    int64_t position_ = 0;
};
