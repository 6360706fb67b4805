#include "AVFoundation/FFmpegSupport.h"

extern "C" {
#include <libavutil/dict.h>
#include <libavutil/error.h>
}

#include <cctype>

std::string ffmpegErrorText(int code) {
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buffer, sizeof buffer);
    return buffer;
}

void mergeFFmpegTags(const AVDictionary* tags, std::map<std::string, std::string>& into) {
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(tags, "", entry, AV_DICT_IGNORE_SUFFIX))) {
        std::string key = entry->key;
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        into[key] = entry->value;
    }
}
