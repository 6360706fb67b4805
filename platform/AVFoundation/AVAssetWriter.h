#pragma once

#include "AVFoundation/AVAssetWriterInput.h"
#include "AVFoundation/AVFileType.h"
#include "AVFoundation/AVMetadataItem.h"
#include "AVFoundation/CMTime.h"
#include "Foundation/NSError.h"
#include "Foundation/URL.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

enum class AVAssetWriterStatus { unknown, writing, completed, failed, cancelled };

// Writes media into a new file of a container type through its inputs. The file appears when
// writing starts and is complete once finishing has completed.
class AVAssetWriter : public std::enable_shared_from_this<AVAssetWriter> {
  public:
    // No writer for a URL that is not a file URL or for an unknown file type.
    static std::shared_ptr<AVAssetWriter>
    assetWriterWithURL(const URL& url, const AVFileType& fileType, NSError* error = nullptr);
    AVAssetWriter(URL url, AVFileType fileType);
    ~AVAssetWriter();

    const URL& outputURL() const { return url_; }
    const AVFileType& outputFileType() const { return fileType_; }

    // Tags for the file, set before writing starts. Each item's key is written as the
    // container names it; containers without room for tags drop them.
    std::vector<AVMetadataItem> metadata;
    // Puts an MPEG-4 file's index before its media.
    bool shouldOptimizeForNetworkUse = false;

    // Whether the settings can be written into this file type: a known format with rate and
    // channel count that the encoder accepts and the container can hold. `why` says what
    // stands in the way.
    bool canApplyOutputSettings(const std::optional<AVAudioSettings>& settings,
                                const std::string& mediaType, NSError* why = nullptr) const;
    // Before writing starts, one audio input whose settings can be applied.
    bool canAddInput(const std::shared_ptr<AVAssetWriterInput>& input,
                     NSError* why = nullptr) const;
    void addInput(std::shared_ptr<AVAssetWriterInput> input);
    const std::vector<std::shared_ptr<AVAssetWriterInput>>& inputs() const { return inputs_; }

    // Opens the encoders, then creates the file and writes its header. Refuses to replace an
    // existing file. False, with the status failed, on any failure (no file is left behind).
    bool startWriting();
    // Samples are written from this time on (their own times are not looked at).
    void startSessionAtSourceTime(CMTime time);
    void endSessionAtSourceTime(CMTime time);
    // Encodes what is still buffered and closes the file, on a platform queue; then runs
    // `completion` there. The status then reads completed, or failed with the error.
    void finishWritingWithCompletionHandler(std::function<void()> completion);
    // Stops writing and removes the unfinished file.
    void cancelWriting();

    AVAssetWriterStatus status() const;
    std::optional<NSError> error() const;

  private:
    friend class AVAssetWriterInput;
    struct Muxer;
    bool append(AVAssetWriterInput& input, const CMSampleBuffer& buffer);
    bool openEncoders();
    bool openFile();
    void finish();
    void fail(const std::string& why);
    void closeFile(bool removeIt);

    URL url_;
    AVFileType fileType_;
    std::vector<std::shared_ptr<AVAssetWriterInput>> inputs_;
    mutable std::mutex mutex_;
    AVAssetWriterStatus status_ = AVAssetWriterStatus::unknown;
    std::optional<NSError> error_;
    std::unique_ptr<Muxer> muxer_;
    CMTime sessionStart_ = kCMTimeInvalid;
};
