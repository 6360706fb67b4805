#pragma once

#include "Foundation/URL.h"

#include <optional>

// One input file picked for conversion, shared between the import screens and the
// conversion screen.
class MusicModel {
  public:
    // Where the source put the file (a music-library item, a picked copy, a download);
    // empty until the source fills it in.
    std::optional<URL> path;
};
