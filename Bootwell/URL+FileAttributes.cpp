#include "Bootwell/URL+FileAttributes.h"

#include "Foundation/ByteCountFormatter.h"
#include "Foundation/Console.h"

namespace Bootwell {

namespace {

void report(const NSError& error) {
    Console::print("FileAttribute error: " + error.localizedDescription());
}

} // namespace

std::optional<FileAttributes> attributes(const URL& url) {
    NSError error;
    auto found = FileManager::defaultManager().attributesOfItem(url.path(), &error);
    if (!found)
        report(error);
    return found;
}

uint64_t fileSize(const URL& url) {
    auto found = attributes(url);
    return found && found->size ? *found->size : 0;
}

std::string fileSizeString(const URL& url) {
    return ByteCountFormatter::fileString(static_cast<int64_t>(fileSize(url)));
}

Date creationDate(const URL& url) {
    auto found = attributes(url);
    return found && found->creationDate ? *found->creationDate : Date::now();
}

int64_t directoryItemCount(const URL& url) {
    if (!url.pathExtension().empty())
        return 0;
    auto names = directoryItemNames(url);
    return names ? static_cast<int64_t>(names->size()) : 0;
}

std::optional<std::vector<std::string>> directoryItemNames(const URL& url) {
    NSError error;
    auto names = FileManager::defaultManager().contentsOfDirectoryAtPath(url.path(), &error);
    if (!names)
        report(error);
    return names;
}

} // namespace Bootwell
