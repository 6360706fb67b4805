#pragma once

#include "AVFoundation/AVAudioSettings.h"
#include "AVFoundation/CMSampleBuffer.h"
#include "Foundation/DispatchQueue.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class AVAssetWriter;
class AudioEncoder;

// One track of an asset writer: appended samples are converted and encoded as its output
// settings say (format, rate, channel count, bit rate, PCM layout).
class AVAssetWriterInput : public std::enable_shared_from_this<AVAssetWriterInput> {
  public:
    static std::shared_ptr<AVAssetWriterInput>
    assetWriterInputWithMediaType(const std::string& mediaType,
                                  std::optional<AVAudioSettings> outputSettings);
    AVAssetWriterInput(std::string mediaType, std::optional<AVAudioSettings> outputSettings);
    ~AVAssetWriterInput();

    const std::string& mediaType() const { return mediaType_; }
    const std::optional<AVAudioSettings>& outputSettings() const { return outputSettings_; }

    // True while the writer is writing, the input is not finished and it can take a buffer
    // now. It turns false from time to time while the block of
    // `requestMediaDataWhenReadyOnQueue` runs, so that the block hands its queue back; the
    // block is called again once the input is ready again.
    bool isReadyForMoreMediaData() const;
    // False when the input is not ready or the writer failed (its status and error say why).
    bool appendSampleBuffer(const CMSampleBuffer& buffer);
    // No more buffers will come; the writer can then finish.
    void markAsFinished();

    // Runs `block` on `queue` whenever the input is ready for more data, until the input is
    // marked as finished or the writer stops writing; the block is then released.
    void requestMediaDataWhenReadyOnQueue(const DispatchQueue& queue, std::function<void()> block);

  private:
    friend class AVAssetWriter;
    void schedule();
    void pump();
    bool isActive() const;

    std::string mediaType_;
    std::optional<AVAudioSettings> outputSettings_;
    std::weak_ptr<AVAssetWriter> writer_;
    // Set up by the writer when writing starts, used under the writer's lock.
    std::unique_ptr<AudioEncoder> encoder_;
    int streamIndex_ = -1;

    mutable std::mutex mutex_;
    bool finished_ = false;
    int budget_ = 0;
    std::optional<DispatchQueue> queue_;
    std::function<void()> block_;
};
