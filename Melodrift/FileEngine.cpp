#include "Melodrift/FileEngine.h"

#include "Bootwell/URL+FileAttributes.h"
#include "Foundation/AppContainer.h"
#include "Foundation/ByteCountFormatter.h"
#include "Foundation/Console.h"
#include "Foundation/FileManager.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

constexpr size_t recentFilesLimit = 4;

bool isHidden(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

bool isFolder(const std::optional<FileAttributes>& attributes) {
    return attributes && attributes->type == FileType::directory;
}

bool isLink(const std::optional<FileAttributes>& attributes) {
    return attributes && attributes->type == FileType::symbolicLink;
}

uint64_t sizeOf(const std::optional<FileAttributes>& attributes) {
    return attributes && attributes->size ? *attributes->size : 0;
}

// Whether anything, even a dangling link, occupies the path.
bool itemExists(const URL& url) {
    return FileManager::defaultManager().attributesOfItem(url.path()).has_value();
}

std::optional<std::vector<std::string>> silentListing(const URL& folder) {
    return FileManager::defaultManager().contentsOfDirectoryAtPath(folder.path());
}

// Visits the visible items below `folder`, whose names are already listed, children before
// the folder that holds them. Only names without extension are descended into, and never a
// symbolic link, so the walk stays inside the folder and cannot loop. Each item is read once:
// every item when `withAttributes`, otherwise only those that may be descended into.
template <class Visit>
void walkBelow(const URL& folder, const std::vector<std::string>& names, bool withAttributes,
               Visit& visit) {
    for (const std::string& name : names) {
        if (isHidden(name))
            continue;
        URL item = folder.appendingPathComponent(name);
        bool descends = item.pathExtension().empty();
        std::optional<FileAttributes> attributes;
        if (withAttributes) {
            attributes = Bootwell::attributes(item);
        } else if (descends) {
            attributes = FileManager::defaultManager().attributesOfItem(item.path());
        }
        if (descends && attributes && !isLink(attributes)) {
            auto inner = Bootwell::directoryItemNames(item);
            if (inner && !inner->empty())
                walkBelow(item, *inner, withAttributes, visit);
        }
        visit(item, attributes);
    }
}

uint64_t sizeBelow(const URL& folder, const std::vector<std::string>& names) {
    uint64_t total = 0;
    auto add = [&total](const URL&, const std::optional<FileAttributes>& attributes) {
        total += sizeOf(attributes);
    };
    walkBelow(folder, names, true, add);
    return total;
}

std::string sizeString(uint64_t bytes) {
    return ByteCountFormatter::fileString(static_cast<int64_t>(bytes));
}

// A name that would reach outside its parent, or that names no folder at all.
bool isRefusedFolderName(const std::string& name) {
    if (name.empty() || name.front() == '/')
        return true;
    bool namesFolder = false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t slash = std::min(name.find('/', start), name.size());
        std::string part = name.substr(start, slash - start);
        if (part == "..")
            return true;
        if (!part.empty() && part != ".")
            namesFolder = true;
        start = slash + 1;
    }
    return !namesFolder;
}

} // namespace

FileEngine& FileEngine::shared() {
    static FileEngine engine;
    return engine;
}

const URL& FileEngine::libraryRootURL() const {
    static const URL url =
        URL::fileURL(AppContainer::documentsPath()).appendingPathComponent("Out");
    return url;
}

const URL& FileEngine::downloadFolderURL() const {
    static const URL url =
        URL::fileURL(AppContainer::documentsPath()).appendingPathComponent("Download");
    return url;
}

void FileEngine::createLibraryFolder() const {
    FileManager& manager = FileManager::defaultManager();
    NSError error;
    if (!manager.documentsDirectory(&error) ||
        !manager.createDirectory(libraryRootURL(), true, &error)) {
        Console::systemLog("Unable to create directory " + error.debugDescription());
    }
}

std::vector<URL> FileEngine::recentFiles() const {
    createLibraryFolder();
    auto listing = FileManager::defaultManager().contentsOfDirectory(libraryRootURL(), false);
    if (!listing)
        return {};
    // The first files of the listing, not the newest ones.
    std::vector<URL> kept;
    for (const URL& url : *listing) {
        if (kept.size() == recentFilesLimit)
            break;
        if (!url.pathExtension().empty())
            kept.push_back(url);
    }
    std::sort(kept.begin(), kept.end(),
              [](const URL& a, const URL& b) { return a.absoluteString() > b.absoluteString(); });
    return kept;
}

std::vector<FolderModel> FileEngine::entries(const URL& folder) const {
    return makeEntries(contents(folder), folder == libraryRootURL());
}

std::vector<FolderModel> FileEngine::folderEntries(const URL& folder) const {
    return makeEntries(subfolders(folder), folder == libraryRootURL());
}

std::vector<FolderModel> FileEngine::rootFolderEntries() const {
    return makeEntries(subfolders(libraryRootURL()), true);
}

// Each entry is read once, and a folder listed once, for its date, its count and its size.
std::vector<FolderModel> FileEngine::makeEntries(const std::vector<URL>& urls,
                                                 bool isMainDirectory) const {
    std::vector<FolderModel> result;
    result.reserve(urls.size());
    for (const URL& url : urls) {
        FolderModel entry;
        entry.url = url;
        entry.FolderName = url.lastPathComponent();
        entry.type = fileType(url);
        entry.isMainDirectory = isMainDirectory;

        auto attributes = Bootwell::attributes(url);
        entry.date =
            attributes && attributes->creationDate ? *attributes->creationDate : Date::now();
        uint64_t total = sizeOf(attributes);
        if (isFolder(attributes)) {
            bool counted = url.pathExtension().empty();
            auto names = counted ? Bootwell::directoryItemNames(url) : silentListing(url);
            if (names)
                total += sizeBelow(url, *names);
            entry.inFilesCount = counted && names ? static_cast<int64_t>(names->size()) : 0;
        } else {
            entry.inFilesCount = Bootwell::directoryItemCount(url);
        }
        entry.FolderSize = sizeString(total);
        result.push_back(std::move(entry));
    }
    return result;
}

std::vector<URL> FileEngine::contents(const URL& folder) const {
    auto listing = FileManager::defaultManager().contentsOfDirectory(folder, true);
    return listing ? std::move(*listing) : std::vector<URL>{};
}

std::vector<URL> FileEngine::subfolders(const URL& folder) const {
    std::vector<URL> result = contents(folder);
    std::erase_if(result, [](const URL& url) { return !url.pathExtension().empty(); });
    return result;
}

std::vector<URL> FileEngine::allItems(const URL& folder) const {
    std::vector<URL> result;
    if (isLink(FileManager::defaultManager().attributesOfItem(folder.path())))
        return result;
    auto names = silentListing(folder);
    if (!names)
        return result;
    auto collect = [&result](const URL& url, const std::optional<FileAttributes>&) {
        result.push_back(url);
    };
    walkBelow(folder, *names, false, collect);
    return result;
}

std::string FileEngine::sizeText(const URL& url) const {
    auto attributes = Bootwell::attributes(url);
    uint64_t total = sizeOf(attributes);
    if (isFolder(attributes)) {
        if (auto names = silentListing(url))
            total += sizeBelow(url, *names);
    }
    return sizeString(total);
}

TypeFile FileEngine::fileType(const URL& url) const {
    return typeFileForExtension(url.pathExtension());
}

std::string FileEngine::createFolder(const URL& parent, const std::string& name) const {
    if (isRefusedFolderName(name)) {
        throw NSError::posix(EINVAL, "The name “" + name + "” can’t be used for a folder.");
    }
    URL folder = parent.appendingPathComponent(name);
    NSError error;
    if (!FileManager::defaultManager().createDirectory(folder, true, &error))
        throw error;
    return folder.path();
}

bool FileEngine::deleteItem(const URL& url) const {
    NSError error;
    if (FileManager::defaultManager().removeItem(url, &error))
        return true;
    Console::print("Unable to delete item: " + error.debugDescription());
    return false;
}

bool FileEngine::moveItem(const URL& source, const URL& destination,
                          bool destinationIsFinal) const {
    URL target = destinationIsFinal
                     ? destination
                     : destination.appendingPathComponent(source.lastPathComponent());
    return FileManager::defaultManager().moveItem(source, target);
}

URL FileEngine::availableURL(const URL& url) const {
    if (!itemExists(url))
        return url;
    std::string extension = url.pathExtension();
    std::string baseName = url.deletingPathExtension().lastPathComponent();
    std::string suffix = extension.empty() ? "" : "." + extension;
    URL folder = url.deletingLastPathComponent();
    for (unsigned long n = 1;; ++n) {
        URL candidate = folder.appendingPathComponent(baseName + "_" + std::to_string(n) + suffix);
        if (!itemExists(candidate))
            return candidate;
    }
}

void FileEngine::changeExtension(const URL& url, const std::string& newExtension) const {
    std::string baseName = url.deletingPathExtension().lastPathComponent();
    URL target =
        url.deletingLastPathComponent().appendingPathComponent(baseName).appendingPathExtension(
            newExtension);
    moveItem(url, availableURL(target), true);
}
