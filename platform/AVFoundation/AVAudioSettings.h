#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

// Audio format identifiers: four-character codes as 32-bit values.
constexpr uint32_t kAudioFormatLinearPCM = 0x6C70636D;   // 'lpcm'
constexpr uint32_t kAudioFormatMPEG4AAC = 0x61616320;    // 'aac '
constexpr uint32_t kAudioFormatMPEG4AAC_HE = 0x61616368; // 'aach'
constexpr uint32_t kAudioFormatFLAC = 0x666C6163;        // 'flac'
constexpr uint32_t kAudioFormatALaw = 0x616C6177;        // 'alaw'
constexpr uint32_t kAudioFormatULaw = 0x756C6177;        // 'ulaw'
constexpr uint32_t kAudioFormatAppleIMA4 = 0x696D6134;   // 'ima4'
constexpr uint32_t kAudioFormatOpus = 0x6F707573;        // 'opus'

// The keys of audio settings dictionaries.
inline const std::string AVFormatIDKey = "AVFormatIDKey";
inline const std::string AVSampleRateKey = "AVSampleRateKey";
inline const std::string AVNumberOfChannelsKey = "AVNumberOfChannelsKey";
inline const std::string AVEncoderBitRateKey = "AVEncoderBitRateKey";
inline const std::string AVEncoderBitDepthHintKey = "AVEncoderBitDepthHintKey";
inline const std::string AVLinearPCMBitDepthKey = "AVLinearPCMBitDepthKey";
inline const std::string AVLinearPCMIsBigEndianKey = "AVLinearPCMIsBigEndianKey";
inline const std::string AVLinearPCMIsFloatKey = "AVLinearPCMIsFloatKey";
inline const std::string AVLinearPCMIsNonInterleaved = "AVLinearPCMIsNonInterleaved";

// A settings dictionary: integers, numbers and flags by key.
using AVAudioSettingValue = std::variant<int64_t, double, bool>;
using AVAudioSettings = std::map<std::string, AVAudioSettingValue>;

// The value under `key` as a number (flags read as 0 and 1), if present.
inline std::optional<double> audioSettingNumber(const AVAudioSettings& settings,
                                                const std::string& key) {
    auto found = settings.find(key);
    if (found == settings.end())
        return std::nullopt;
    return std::visit([](auto value) { return static_cast<double>(value); }, found->second);
}

inline bool audioSettingFlag(const AVAudioSettings& settings, const std::string& key) {
    return audioSettingNumber(settings, key).value_or(0) != 0;
}
