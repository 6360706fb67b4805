#include "AVFoundation/AVAssetWriterInput.h"

#include "AVFoundation/AVAssetWriter.h"
#include "AVFoundation/AudioEncoder.h"

namespace {

// Buffers one call of the request block may append before it hands its queue back.
constexpr int buffersPerRequest = 64;

} // namespace

std::shared_ptr<AVAssetWriterInput>
AVAssetWriterInput::assetWriterInputWithMediaType(const std::string& mediaType,
                                                  std::optional<AVAudioSettings> outputSettings) {
    return std::make_shared<AVAssetWriterInput>(mediaType, std::move(outputSettings));
}

AVAssetWriterInput::AVAssetWriterInput(std::string mediaType,
                                       std::optional<AVAudioSettings> outputSettings)
    : mediaType_(std::move(mediaType)), outputSettings_(std::move(outputSettings)) {}

AVAssetWriterInput::~AVAssetWriterInput() = default;

bool AVAssetWriterInput::isActive() const {
    auto writer = writer_.lock();
    if (!writer || writer->status() != AVAssetWriterStatus::writing)
        return false;
    std::lock_guard lock(mutex_);
    return !finished_;
}

bool AVAssetWriterInput::isReadyForMoreMediaData() const {
    if (!isActive())
        return false;
    std::lock_guard lock(mutex_);
    return budget_ > 0;
}

bool AVAssetWriterInput::appendSampleBuffer(const CMSampleBuffer& buffer) {
    if (!isReadyForMoreMediaData())
        return false;
    {
        std::lock_guard lock(mutex_);
        --budget_;
    }
    auto writer = writer_.lock();
    return writer && writer->append(*this, buffer);
}

void AVAssetWriterInput::markAsFinished() {
    std::lock_guard lock(mutex_);
    finished_ = true;
}

void AVAssetWriterInput::requestMediaDataWhenReadyOnQueue(const DispatchQueue& queue,
                                                          std::function<void()> block) {
    {
        std::lock_guard lock(mutex_);
        queue_ = queue;
        block_ = std::move(block);
    }
    schedule();
}

void AVAssetWriterInput::schedule() {
    std::lock_guard lock(mutex_);
    if (queue_)
        queue_->async([self = shared_from_this()] { self->pump(); });
}

// One turn of the request: the block runs with a fresh budget; afterwards it is either called
// again later or, once the input has nothing more to do, released (with whatever it holds).
void AVAssetWriterInput::pump() {
    std::function<void()> block;
    {
        std::lock_guard lock(mutex_);
        block = block_;
        budget_ = buffersPerRequest;
    }
    if (block && isActive())
        block();
    if (block && isActive()) {
        schedule();
        return;
    }
    std::lock_guard lock(mutex_);
    block_ = nullptr;
    queue_.reset();
}
