#pragma once

#include "Foundation/URL.h"

#include <string>

// The kind of a library item, decided from its name's extension alone.
enum class TypeFile {
    FOLDER,
    IMAGE,
    VIDEO,
    AUDIO,
    NOTE,
    DOWNLOADING,
    UNKNOWN,
    PDF,
    ZIP,
    RAR,
    SEVENZ,
    MP3,
    WAV,
    FLAC,
    AAC,
    M4A,
    ALAW,
    ULAW,
    IMA4,
    OPUS,
    CAF,
    AIFF,
};

// The kind by the extension rule: no extension is a folder, whatever is on disk.
TypeFile typeFileForExtension(const std::string& extension);
// MP3 through OPUS: the kinds that the folder screen plays and trims.
bool isPlayableAudio(TypeFile type);
// The icon image shown for the kind.
std::string iconName(TypeFile type);
// "Folder" for folders, "Audio" for every other kind.
std::string kindLabel(TypeFile type);
