#pragma once

#include "Foundation/Date.h"
#include "Foundation/URL.h"
#include "Melodrift/TypeFile.h"

#include <cstdint>
#include <string>

// One listed library entry, a file or a folder: a snapshot taken when its folder was listed.
struct FolderModel {
    URL url;
    // The last path component, extension included.
    std::string FolderName;
    // The entry's total size as display text.
    std::string FolderSize;
    TypeFile type = TypeFile::UNKNOWN;
    // The creation date; the listing time when the file system gives none.
    Date date;
    // For a name without extension, the names directly inside it, hidden ones included.
    int64_t inFilesCount = 0;
    // Listed from the library root.
    bool isMainDirectory = false;
};

// What a row shows for an entry.
std::string iconName(const FolderModel& entry);
std::string nameLabel(const FolderModel& entry);
std::string kindLabel(const FolderModel& entry);
std::string sizeLabel(const FolderModel& entry);
// The creation day in the medium date style of the current locale and time zone.
std::string dateLabel(const FolderModel& entry);
