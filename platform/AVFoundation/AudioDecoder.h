#pragma once

#include <map>
#include <memory>
#include <string>

struct AVFrame;

// What a file's first audio stream holds, as the container and codec describe it.
struct AudioStreamInfo {
    double sampleRate = 0;
    int channels = 0;
    // The stored depth of PCM and lossless streams (FLAC, ALAC, WavPack); 0 for lossy codecs,
    // companded PCM (A-law, µ-law) and ADPCM.
    int bitsPerSample = 0;
    // Whether the stored samples are floating-point PCM.
    bool isFloat = false;
    // Seconds; negative when neither the stream nor the container tells it.
    double duration = -1;
    // FFmpeg's short names, e.g. "flac" and "flac", "aac" and "mov,mp4,m4a,3gp,3g2,mj2".
    std::string codecName;
    std::string formatName;
    // The container's tags with the stream's tags over them, keys in lower case
    // ("title", "artist", "album", "track", "date", "genre", ...).
    std::map<std::string, std::string> metadata;
};

// Decodes the first audio stream of a media file, one frame at a time, so memory stays bounded
// whatever the file's length. Packets of every other stream (video, subtitles, data, further
// audio) are skipped. Damaged packets are skipped too; a read error ends the stream early.
class AudioDecoder {
  public:
    // No decoder when the file cannot be opened, holds no audio stream, or its codec has no
    // decoder here; `error` then says why.
    static std::unique_ptr<AudioDecoder> open(const std::string& path,
                                              std::string* error = nullptr);
    ~AudioDecoder();

    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    const AudioStreamInfo& info() const { return info_; }

    // The next decoded frame, owned by the decoder and valid until the next call; nullptr at
    // the end of the stream or after an error. Its sample rate, sample format and channel
    // layout are the frame's own (the layout is always filled in, a default one for the
    // channel count when the file names none).
    const AVFrame* nextFrame();
    // Whether the stream ended because of a read or decode error rather than its end.
    bool failed() const { return failed_; }

  private:
    struct Context;
    AudioDecoder();
    bool receive();
    bool feed();

    std::unique_ptr<Context> context_;
    AudioStreamInfo info_;
    bool failed_ = false;
    bool draining_ = false;
    bool finished_ = false;
};
