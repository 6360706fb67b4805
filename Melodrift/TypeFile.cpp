#include "Melodrift/TypeFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace {

struct ExtensionRow {
    std::initializer_list<const char*> extensions;
    TypeFile type;
};

// Checked in order; the first row that holds the extension decides.
const ExtensionRow extensionTable[] = {
    {{"jpg", "png", "heic", "heif", "webp", "gif", "tiff"}, TypeFile::IMAGE},
    {{"m4a", "mp4"}, TypeFile::M4A},
    {{"mp3"}, TypeFile::MP3},
    {{"wav"}, TypeFile::WAV},
    {{"flac"}, TypeFile::FLAC},
    {{"aac"}, TypeFile::AAC},
    {{"aiff"}, TypeFile::AIFF},
    {{"caf"}, TypeFile::CAF},
    {{"alaw"}, TypeFile::ALAW},
    {{"ulaw"}, TypeFile::ULAW},
    {{"ima4"}, TypeFile::IMA4},
    {{"opus"}, TypeFile::OPUS},
    {{"webm", "flv", "avi", "qt", "mov", "wmv"}, TypeFile::VIDEO},
    {{"txt", "rtf"}, TypeFile::NOTE},
    {{"pdf"}, TypeFile::PDF},
    {{"zip"}, TypeFile::ZIP},
    {{"rar"}, TypeFile::RAR},
    {{"7z"}, TypeFile::SEVENZ},
};

const std::array<const char*, 22> icons = {
    "folder",       "ic_img",       "ic_video",    "ic_audio",     "ic_note",      "ic_unknown",
    "ic_unknown",   "ic_pdf",       "ic_zip",      "ic_rar",       "ic_7z",        "ic_file_mp3",
    "ic_file_wav",  "ic_file_flac", "ic_file_aac", "ic_file_m4a",  "ic_file_alaw", "ic_file_ulaw",
    "ic_file_ima4", "ic_file_opus", "ic_file_caf", "ic_file_aiff",
};

} // namespace

TypeFile typeFileForExtension(const std::string& extension) {
    if (extension.empty())
        return TypeFile::FOLDER;
    std::string lower = extension;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ExtensionRow& row : extensionTable) {
        for (const char* candidate : row.extensions) {
            if (lower == candidate)
                return row.type;
        }
    }
    return TypeFile::UNKNOWN;
}

bool isPlayableAudio(TypeFile type) {
    return type >= TypeFile::MP3 && type <= TypeFile::OPUS;
}

std::string iconName(TypeFile type) {
    return icons[static_cast<size_t>(type)];
}

std::string kindLabel(TypeFile type) {
    return type == TypeFile::FOLDER ? "Folder" : "Audio";
}
