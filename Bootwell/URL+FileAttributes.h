#pragma once

#include "Foundation/Date.h"
#include "Foundation/FileManager.h"
#include "Foundation/URL.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// File attributes of a library item, read through the URL's path. Each failure writes one
// "FileAttribute error: " line to the console and answers with a neutral value.
namespace Bootwell {

// What the file system says of the item itself (a symbolic link is not followed); none when
// the item cannot be read.
std::optional<FileAttributes> attributes(const URL& url);
// The byte count; 0 when it cannot be read.
uint64_t fileSize(const URL& url);
// The byte count as display text, in 1000-byte units ("1.2 MB").
std::string fileSizeString(const URL& url);
// The creation date; the current date and time when it cannot be read.
Date creationDate(const URL& url);
// The number of names directly inside a folder, hidden ones included. 0 without touching
// the disk when the name has an extension; 0 when the folder cannot be read.
int64_t directoryItemCount(const URL& url);
// The names that directoryItemCount counts, whatever the URL's extension; none when the
// folder cannot be read.
std::optional<std::vector<std::string>> directoryItemNames(const URL& url);

} // namespace Bootwell
