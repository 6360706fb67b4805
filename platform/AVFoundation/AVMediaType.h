#pragma once

#include <string>

// The kinds of media a track carries. (Plain strings: FFmpeg's headers own the name of the
// type itself.)
inline const std::string AVMediaTypeAudio = "soun";
inline const std::string AVMediaTypeVideo = "vide";
inline const std::string AVMediaTypeSubtitle = "sbtl";
inline const std::string AVMediaTypeMetadata = "meta";
