#pragma once

#include "Foundation/URL.h"
#include "Melodrift/FolderModel.h"
#include "Melodrift/TypeFile.h"

#include <string>
#include <vector>

// The one service through which screens read and change the library on disk. It holds no
// state: every call goes straight to the file system and returns at once. Only createFolder
// throws; everything else answers with a Boolean, an empty list or a neutral value.
class FileEngine {
  public:
    static FileEngine& shared();

    // documents/"Out": every output and the user's folders. Worked out on first use and kept.
    const URL& libraryRootURL() const;
    // documents/"Download": downloads waiting for conversion. Worked out on first use and kept.
    const URL& downloadFolderURL() const;

    // Creates the library root (and the documents folder) when missing; failures go to the
    // system log.
    void createLibraryFolder() const;
    // At most four files of the library root: the first four of its listing that have an
    // extension, in descending order of their URL text.
    std::vector<URL> recentFiles() const;

    // Every visible item of the folder, in listing order.
    std::vector<FolderModel> entries(const URL& folder) const;
    // The visible items of the folder whose names have no extension.
    std::vector<FolderModel> folderEntries(const URL& folder) const;
    // folderEntries of the library root, every entry marked as listed from the root.
    std::vector<FolderModel> rootFolderEntries() const;

    // The folder's visible items, shallow; empty when it cannot be listed.
    std::vector<URL> contents(const URL& folder) const;
    // The items of contents whose names have no extension.
    std::vector<URL> subfolders(const URL& folder) const;
    // Every visible item below the folder at any depth, children before their folder. Only
    // names without extension are descended into, and symbolic links never are.
    std::vector<URL> allItems(const URL& folder) const;

    // The total byte count of the item, and for a folder of its own entry and everything
    // visible below it, as display text.
    std::string sizeText(const URL& url) const;
    TypeFile fileType(const URL& url) const;

    // Creates parent/name (a slash in the name makes nested folders); an existing folder is
    // no error. Returns the new folder's path. Throws NSError when the folder cannot be made,
    // or when the name would reach outside the parent ("..", an absolute path) or names no
    // folder at all.
    std::string createFolder(const URL& parent, const std::string& name) const;
    // Removes the item and everything in it; false, with a console line, when it cannot.
    bool deleteItem(const URL& url) const;
    // Moves the source to the destination itself (destinationIsFinal) or into the destination
    // folder under its own name. Never overwrites; false when the move fails.
    bool moveItem(const URL& source, const URL& destination, bool destinationIsFinal) const;
    // The URL itself when nothing is there, otherwise the first free name_n.ext beside it.
    URL availableURL(const URL& url) const;
    // Moves the item to the same base name with the new extension, at a free name.
    void changeExtension(const URL& url, const std::string& newExtension) const;

  private:
    FileEngine() = default;
    std::vector<FolderModel> makeEntries(const std::vector<URL>& urls, bool isMainDirectory) const;
};
