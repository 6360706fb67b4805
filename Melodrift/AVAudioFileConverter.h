#pragma once

#include "AVFoundation/AVAsset.h"
#include "AVFoundation/AVAssetReader.h"
#include "AVFoundation/AVAssetReaderTrackOutput.h"
#include "AVFoundation/AVAssetWriter.h"
#include "AVFoundation/AVAssetWriterInput.h"
#include "AVFoundation/AVAudioSettings.h"
#include "AVFoundation/AVFileType.h"
#include "Foundation/DispatchQueue.h"
#include "Foundation/URL.h"
#include "Melodrift/FormatCode.h"

#include <functional>
#include <memory>
#include <optional>

// Converts one audio file into another format: an asset reader decodes the input's first
// audio track to linear PCM, and an asset writer encodes it as the format code says, at the
// given rate and channel count. The job runs in the background and reports only to the
// console; the converter keeps itself alive until the job ends.
class AVAudioFileConverter : public std::enable_shared_from_this<AVAudioFileConverter> {
  public:
    // No converter when no file exists at the input's path.
    static std::shared_ptr<AVAudioFileConverter> make(const URL& inputURL, const URL& outputURL,
                                                      int sampleRate, int channels);

    // Starts the job and returns at once.
    void convertAudio(FormatCode code);

    // When set, runs once when the job has ended in any way, on whatever queue ended it, and
    // says whether a complete output was written. The console lines stay the only report
    // for everyone else.
    std::function<void(bool complete)> onFinish;

    // The container and the encoder settings for each code.
    static AVFileType writerFileType(FormatCode code);
    AVAudioSettings writerSettings(FormatCode code) const;

  private:
    AVAudioFileConverter(URL inputURL, URL outputURL, int sampleRate, int channels);
    void tracksLoaded(FormatCode code);
    bool replacesInput() const;
    void setupReaderAndWriter(FormatCode code);
    void startReadingAndWriting();
    void pumpSamples();
    void abandonFailedWriting();
    void writingFinished();
    void finish(bool complete);

    std::optional<DispatchQueue> rwAudioSerializationQueue;
    std::shared_ptr<AVAsset> asset;
    std::shared_ptr<AVAssetReader> assetReader;
    std::shared_ptr<AVAssetReaderTrackOutput> assetReaderAudioOutput;
    std::shared_ptr<AVAssetWriter> assetWriter;
    std::shared_ptr<AVAssetWriterInput> assetWriterAudioInput;
    URL outputURL;
    URL inputURL;
    int sampleRateValue;
    int channelValue;
};
