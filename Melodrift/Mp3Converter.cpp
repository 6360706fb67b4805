#include "Melodrift/Mp3Converter.h"

#include "Foundation/Console.h"
#include "Foundation/DispatchQueue.h"

#include <cstdio>
#include <lame/lame.h>
#include <memory>
#include <vector>

namespace {

constexpr size_t chunkFrames = 8192;
constexpr size_t frameBytes = 4;
// The library's documented worst case for one call's output: 1.25 × frames + 7200 bytes.
constexpr size_t mp3BufferBytes = chunkFrames * 5 / 4 + 7200;

struct EncoderCloser {
    void operator()(lame_global_flags* encoder) const { lame_close(encoder); }
};
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using Encoder = std::unique_ptr<lame_global_flags, EncoderCloser>;
using File = std::unique_ptr<FILE, FileCloser>;

Encoder makeEncoder() {
    Encoder encoder(lame_init());
    if (!encoder)
        return nullptr;
    lame_set_in_samplerate(encoder.get(), Mp3Converter::sampleRate);
    lame_set_out_samplerate(encoder.get(), 0);
    lame_set_brate(encoder.get(), 0);
    lame_set_quality(encoder.get(), 4);
    lame_set_VBR(encoder.get(), vbr_mtrh);
    if (lame_init_params(encoder.get()) < 0)
        return nullptr;
    return encoder;
}

// One encoding from an open input to an open output. Stops at the first encoder or write
// error; what was written until then stays.
class EncodeJob {
  public:
    EncodeJob(lame_global_flags* encoder, FILE* input, FILE* output, off_t inputLength)
        : encoder_(encoder), input_(input), output_(output), inputLength_(inputLength),
          pcm_(chunkFrames * Mp3Converter::channels), mp3_(mp3BufferBytes) {}

    bool run(const Mp3Converter::Progress& progress) {
        size_t frames = readChunk();
        while (frames > 0) {
            report(progress);
            int bytes =
                lame_encode_buffer_interleaved(encoder_, pcm_.data(), static_cast<int>(frames),
                                               mp3_.data(), static_cast<int>(mp3_.size()));
            if (!writeEncoded(bytes))
                return false;
            frames = readChunk();
        }
        if (!writeEncoded(lame_encode_flush(encoder_, mp3_.data(), static_cast<int>(mp3_.size()))))
            return false;
        return writeTagFrame();
    }

  private:
    size_t readChunk() { return std::fread(pcm_.data(), frameBytes, chunkFrames, input_); }

    void report(const Mp3Converter::Progress& progress) const {
        float fraction = static_cast<float>(ftello(input_)) / static_cast<float>(inputLength_);
        DispatchQueue::main().sync([&] {
            if (progress)
                progress(fraction);
        });
    }

    bool writeEncoded(int bytes) {
        if (bytes < 0) {
            Console::print("MP3 encoder error: " + std::to_string(bytes));
            return false;
        }
        return writeBytes(mp3_.data(), static_cast<size_t>(bytes));
    }

    // The library reserves the stream's first frame for its information frame (frame
    // count, encoder delay and padding); fill it in so players know the real duration.
    bool writeTagFrame() {
        size_t bytes = lame_get_lametag_frame(encoder_, mp3_.data(), mp3_.size());
        if (bytes == 0 || bytes > mp3_.size())
            return true;
        if (fseeko(output_, 0, SEEK_SET) != 0)
            return false;
        return writeBytes(mp3_.data(), bytes);
    }

    bool writeBytes(const unsigned char* bytes, size_t count) {
        if (std::fwrite(bytes, 1, count, output_) == count)
            return true;
        Console::print("Unable to write MP3 output");
        return false;
    }

    lame_global_flags* encoder_;
    FILE* input_;
    FILE* output_;
    off_t inputLength_;
    std::vector<short> pcm_;
    std::vector<unsigned char> mp3_;
};

// Opens the input and places it after the header; answers its length in bytes.
File openInput(const std::string& path, off_t& length) {
    File input(std::fopen(path.c_str(), "rb"));
    if (!input)
        return nullptr;
    if (fseeko(input.get(), 0, SEEK_END) != 0)
        return nullptr;
    length = ftello(input.get());
    if (length < 0 || fseeko(input.get(), Mp3Converter::headerBytes, SEEK_SET) != 0)
        return nullptr;
    return input;
}

} // namespace

DispatchQueue& Mp3Converter::encoderQueue() {
    // Never destroyed: a job still waiting for the main queue at exit must not be joined.
    static DispatchQueue* queue = new DispatchQueue("com.velaro.encoder.queue");
    return *queue;
}

void Mp3Converter::convert(const std::string& inputPath, const std::string& outputPath,
                           Progress progress, Completion completion) {
    encoderQueue().async([inputPath, outputPath, progress = std::move(progress),
                          completion = std::move(completion)] {
        bool complete = encode(inputPath, outputPath, progress);
        DispatchQueue::main().sync([&] {
            if (completion)
                completion(complete);
        });
    });
}

bool Mp3Converter::encode(const std::string& inputPath, const std::string& outputPath,
                          const Progress& progress) {
    Encoder encoder = makeEncoder();
    if (!encoder) {
        Console::print("Unable to start the MP3 encoder");
        return false;
    }
    off_t length = 0;
    File input = openInput(inputPath, length);
    if (!input) {
        Console::print("Unable to open MP3 input: " + inputPath);
        return false;
    }
    File output(std::fopen(outputPath.c_str(), "wb"));
    if (!output) {
        Console::print("Unable to create MP3 output: " + outputPath);
        return false;
    }
    bool encoded = EncodeJob(encoder.get(), input.get(), output.get(), length).run(progress);
    encoder.reset();
    if (std::fclose(output.release()) != 0) {
        Console::print("Unable to write MP3 output");
        return false;
    }
    return encoded;
}

PcmRenderRequest Mp3Converter::intermediateRequest() {
    PcmRenderRequest request;
    request.container = PcmContainer::WAVE;
    request.sampleRate = sampleRate;
    request.bitDepth = 16;
    request.capAtSourceDepth = false;
    request.channels = channels;
    request.replaceExisting = true;
    request.dataOffset = headerBytes;
    return request;
}
