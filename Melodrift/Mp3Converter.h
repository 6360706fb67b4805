#pragma once

#include "AudioToolbox/PcmRenderRequest.h"

#include <functional>
#include <string>

class DispatchQueue;

// Encodes raw 16-bit stereo PCM at 44100 Hz into a VBR MP3 file with libmp3lame. The input is
// read with plain file reads after a fixed header of `headerBytes`; nothing of the header is
// parsed. Jobs run one after another on one serial queue for the whole process.
class Mp3Converter {
  public:
    using Progress = std::function<void(float)>;
    // Told whether a complete output was written.
    using Completion = std::function<void(bool complete)>;

    static constexpr long headerBytes = 4096;
    static constexpr int sampleRate = 44100;
    static constexpr int channels = 2;

    // Returns at once; the job runs on the encoder queue. `progress` receives the share of the
    // input read so far, once per chunk; `completion` runs once when the job has ended, after
    // both files have been closed, also when the input could not be opened or the output not
    // created. Both run on the main queue while the encoder waits for them.
    static void convert(const std::string& inputPath, const std::string& outputPath,
                        Progress progress, Completion completion);

    // The intermediate file this encoder reads: WAVE at 44100 Hz, 16 bits, two channels, with
    // its sample data beginning exactly at `headerBytes`.
    static PcmRenderRequest intermediateRequest();

    // "com.velaro.encoder.queue", made on first use and kept for the whole process.
    static DispatchQueue& encoderQueue();

  private:
    static bool encode(const std::string& inputPath, const std::string& outputPath,
                       const Progress& progress);
};
