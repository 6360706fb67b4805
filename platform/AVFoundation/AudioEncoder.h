#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct AVFrame;
struct AVPacket;
struct AVCodecContext;

// What an encoder is asked for.
struct AudioEncoderSettings {
    std::string encoderName; // FFmpeg's name: "aac", "flac", "pcm_s16le", "libopus", ...
    int sampleRate = 44100;
    int channels = 2;
    int64_t bitRate = 0;   // 0: the encoder's own default
    int sampleFormat = -1; // an AVSampleFormat; -1: the encoder's preferred one
    int bitsPerRawSample = 0;
    bool globalHeader = false; // the container wants codec headers out of band
};

// Encodes decoded audio of any rate, layout and sample format into one codec: converts it with
// swresample, cuts it into the codec's frame size and hands each packet to a sink.
class AudioEncoder {
  public:
    // Answers false when the packet could not be written; encoding then stops.
    using PacketSink = std::function<bool(AVPacket*)>;

    // No encoder when the codec is missing or refuses the settings; `error` says why.
    static std::unique_ptr<AudioEncoder> open(const AudioEncoderSettings& settings,
                                              std::string* error = nullptr);
    ~AudioEncoder();
    AudioEncoder(const AudioEncoder&) = delete;
    AudioEncoder& operator=(const AudioEncoder&) = delete;

    const AVCodecContext* codecContext() const;

    bool encode(const AVFrame* frame, const PacketSink& sink, std::string* error = nullptr);
    // Encodes what is still buffered (a short or silence-padded last frame) and drains the codec.
    bool finish(const PacketSink& sink, std::string* error = nullptr);

  private:
    struct Context;
    AudioEncoder();
    bool configureResampler(const AVFrame* frame, const PacketSink& sink, std::string* error);
    bool convert(const AVFrame* frame, std::string* error);
    bool encodeBuffered(bool final, const PacketSink& sink, std::string* error);
    bool send(const AVFrame* frame, const PacketSink& sink, std::string* error);

    std::unique_ptr<Context> context_;
};
