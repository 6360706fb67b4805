#pragma once

#include <string>

// Container file types, named by their uniform type identifiers.
using AVFileType = std::string;

inline const AVFileType AVFileTypeAppleM4A = "com.apple.m4a-audio";
inline const AVFileType AVFileTypeMPEG4 = "public.mpeg-4";
inline const AVFileType AVFileTypeCoreAudioFormat = "com.apple.coreaudio-format";
inline const AVFileType AVFileTypeWAVE = "com.microsoft.waveform-audio";
inline const AVFileType AVFileTypeAIFF = "public.aiff-audio";
