#pragma once

#include "Foundation/Date.h"
#include "Foundation/NSError.h"
#include "Foundation/URL.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class FileType { regular, directory, symbolicLink, other };

// What the file system says of one item. Missing values stay empty.
struct FileAttributes {
    std::optional<uint64_t> size;
    std::optional<Date> creationDate;
    std::optional<Date> modificationDate;
    FileType type = FileType::other;
};

// Operations that can fail return false (or an empty value) and, when `error` is given,
// describe the failure there.
class FileManager {
  public:
    static FileManager& defaultManager();

    // The container's documents folder, created when missing.
    std::optional<URL> documentsDirectory(NSError* error = nullptr);
    // The container's temporary folder, created when missing.
    URL temporaryDirectory();

    bool fileExists(const std::string& path, bool* isDirectory = nullptr) const;

    // Shallow listing in the order the file system gives it.
    std::optional<std::vector<URL>> contentsOfDirectory(const URL& url, bool skipsHiddenFiles,
                                                        NSError* error = nullptr) const;
    std::optional<std::vector<std::string>>
    contentsOfDirectoryAtPath(const std::string& path, NSError* error = nullptr) const;

    // Attributes of the item itself (a symbolic link is not followed).
    std::optional<FileAttributes> attributesOfItem(const std::string& path,
                                                   NSError* error = nullptr) const;

    // An existing folder is no error. Without intermediates the parent must exist.
    bool createDirectory(const URL& url, bool withIntermediateDirectories,
                         NSError* error = nullptr);
    // Removes a file, a link or a whole folder.
    bool removeItem(const URL& url, NSError* error = nullptr);
    // Neither move nor copy ever replaces an item at the destination.
    bool moveItem(const URL& source, const URL& destination, NSError* error = nullptr);
    bool copyItem(const URL& source, const URL& destination, NSError* error = nullptr);
    bool createFile(const std::string& path, const std::string& contents, NSError* error = nullptr);
};
