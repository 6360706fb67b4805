#include "Foundation/FileManager.h"

#include "Foundation/AppContainer.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void setError(NSError* error, int code, const std::string& what) {
    if (error)
        *error = NSError::posix(code, what);
}

void setError(NSError* error, const std::error_code& ec, const std::string& what) {
    setError(error, ec.value(), what);
}

std::string quoted(const std::string& path) {
    return "“" + fs::path(path).filename().string() + "”";
}

Date dateOf(const struct statx_timestamp& t) {
    return Date(static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9);
}

FileType typeOf(mode_t mode) {
    if (S_ISREG(mode))
        return FileType::regular;
    if (S_ISDIR(mode))
        return FileType::directory;
    if (S_ISLNK(mode))
        return FileType::symbolicLink;
    return FileType::other;
}

} // namespace

FileManager& FileManager::defaultManager() {
    static FileManager manager;
    return manager;
}

std::optional<URL> FileManager::documentsDirectory(NSError* error) {
    URL url = URL::fileURL(AppContainer::documentsPath());
    if (!createDirectory(url, true, error))
        return std::nullopt;
    return url;
}

URL FileManager::temporaryDirectory() {
    return URL::fileURL(AppContainer::temporaryPath());
}

bool FileManager::fileExists(const std::string& path, bool* isDirectory) const {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if (isDirectory)
        *isDirectory = S_ISDIR(st.st_mode);
    return true;
}

std::optional<std::vector<std::string>>
FileManager::contentsOfDirectoryAtPath(const std::string& path, NSError* error) const {
    DIR* dir = ::opendir(path.c_str());
    if (!dir) {
        setError(error, errno, "The folder " + quoted(path) + " couldn’t be opened.");
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (struct dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

std::optional<std::vector<URL>>
FileManager::contentsOfDirectory(const URL& url, bool skipsHiddenFiles, NSError* error) const {
    auto names = contentsOfDirectoryAtPath(url.path(), error);
    if (!names)
        return std::nullopt;
    std::vector<URL> urls;
    for (const std::string& name : *names) {
        if (skipsHiddenFiles && name[0] == '.')
            continue;
        urls.push_back(url.appendingPathComponent(name));
    }
    return urls;
}

std::optional<FileAttributes> FileManager::attributesOfItem(const std::string& path,
                                                            NSError* error) const {
    struct statx st;
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME,
                &st) != 0) {
        setError(error, errno,
                 "The file " + quoted(path) + " couldn’t be opened because there is no such file.");
        return std::nullopt;
    }
    FileAttributes attributes;
    attributes.size = st.stx_size;
    attributes.modificationDate = dateOf(st.stx_mtime);
    attributes.creationDate =
        (st.stx_mask & STATX_BTIME) ? dateOf(st.stx_btime) : dateOf(st.stx_mtime);
    attributes.type = typeOf(st.stx_mode);
    return attributes;
}

bool FileManager::createDirectory(const URL& url, bool withIntermediateDirectories,
                                  NSError* error) {
    const std::string& path = url.path();
    bool isDirectory = false;
    if (fileExists(path, &isDirectory)) {
        if (isDirectory)
            return true;
        setError(error, EEXIST,
                 "The file " + quoted(path) +
                     " couldn’t be saved because a file with the same name already exists.");
        return false;
    }
    std::error_code ec;
    if (withIntermediateDirectories) {
        fs::create_directories(path, ec);
    } else {
        fs::create_directory(path, ec);
    }
    if (ec) {
        setError(error, ec, "The folder " + quoted(path) + " couldn’t be created.");
        return false;
    }
    return true;
}

bool FileManager::removeItem(const URL& url, NSError* error) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(url.path(), ec))) {
        setError(error, ENOENT,
                 quoted(url.path()) + " couldn’t be removed because it doesn’t exist.");
        return false;
    }
    fs::remove_all(url.path(), ec);
    if (ec) {
        setError(error, ec, quoted(url.path()) + " couldn’t be removed.");
        return false;
    }
    return true;
}

bool FileManager::moveItem(const URL& source, const URL& destination, NSError* error) {
    // renameat2 with RENAME_NOREPLACE refuses an existing target atomically.
    if (::renameat2(AT_FDCWD, source.path().c_str(), AT_FDCWD, destination.path().c_str(),
                    RENAME_NOREPLACE) == 0) {
        return true;
    }
    int code = errno;
    if (code != EXDEV) {
        setError(error, code, quoted(source.path()) + " couldn’t be moved.");
        return false;
    }
    // Across file systems: copy, then remove the source.
    return copyItem(source, destination, error) && removeItem(source, error);
}

bool FileManager::copyItem(const URL& source, const URL& destination, NSError* error) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(destination.path(), ec))) {
        setError(error, EEXIST,
                 quoted(source.path()) +
                     " couldn’t be copied because an item with the same name already exists.");
        return false;
    }
    fs::copy(source.path(), destination.path(),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec) {
        setError(error, ec, quoted(source.path()) + " couldn’t be copied.");
        return false;
    }
    return true;
}

bool FileManager::createFile(const std::string& path, const std::string& contents, NSError* error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out.good()) {
        setError(error, errno ? errno : EIO, quoted(path) + " couldn’t be saved.");
        return false;
    }
    return true;
}
