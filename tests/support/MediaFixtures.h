#pragma once

#include <map>
#include <optional>
#include <string>

// Media files for tests, made and probed with the ffmpeg and ffprobe command-line tools.
namespace MediaFixtures {

// A tone (a sine of 440 Hz per channel, slightly different per channel) of the given length,
// rate and channel count, encoded with `encoderArguments` (for example "-c:a flac" or
// "-c:a pcm_u8") into the container the path's extension or the arguments choose.
struct Tone {
    double seconds = 1.0;
    int sampleRate = 44100;
    int channels = 2;
    std::string encoderArguments;
    std::map<std::string, std::string> tags;
    // Adds a small test-pattern video stream before the audio stream.
    bool withVideo = false;
    // aevalsrc expressions, one per channel separated by '|', in place of the tones
    // (for example "0|0.5*sin(2*PI*440*t)" for a silent left channel).
    std::string expressions = "";
};

// Writes the file and answers whether ffmpeg succeeded.
bool makeTone(const std::string& path, const Tone& tone);

// What ffprobe says of a file's first audio stream and its container.
struct Probe {
    std::string formatName;   // "ipod", "mov,mp4,m4a,3gp,3g2,mj2", "caf", "wav", ...
    std::string majorBrand;   // MPEG-4 family only, e.g. "M4A "
    std::string codecName;    // "aac", "flac", "pcm_s16le", ...
    std::string codecProfile; // "LC" for AAC-LC
    std::string sampleFormat; // "s16", "fltp", ...
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    int64_t bitRate = 0;  // the stream's, 0 when unknown
    double duration = -1; // seconds, the stream's or else the container's
    int audioStreams = 0;
    int otherStreams = 0;
    std::map<std::string, std::string> tags; // container and stream tags, keys in lower case
};

std::optional<Probe> probe(const std::string& path);

// Runs a shell command, answering whether it exited with 0.
bool run(const std::string& command);
// Single-quotes text for the shell.
std::string quoted(const std::string& text);
// The whole contents of a file (empty when it cannot be read).
std::string readFile(const std::string& path);

} // namespace MediaFixtures
