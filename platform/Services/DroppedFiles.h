#pragma once

#include "Foundation/URL.h"

#include <string>
#include <vector>

// Files dropped on the desktop window, kept until the document picker takes them. Main
// thread only. Each drop posts `didChangeNotification` on the default centre.
class DroppedFiles {
  public:
    static DroppedFiles& shared();

    // Keeps a dropped path (as a file URL); the same path twice is kept once.
    void add(const std::string& path);
    const std::vector<URL>& files() const { return files_; }
    // The kept files, oldest first, leaving none.
    std::vector<URL> take();
    void clear() { files_.clear(); }

    static constexpr const char* didChangeNotification = "MelodriftDroppedFilesDidChange";

  private:
    DroppedFiles() = default;
    std::vector<URL> files_;
};
