#pragma once

#include <map>
#include <string>

struct AVDictionary;

// FFmpeg's own text for an error code.
std::string ffmpegErrorText(int code);

// Adds the dictionary's entries with their keys in lower case, over earlier values.
void mergeFFmpegTags(const AVDictionary* tags, std::map<std::string, std::string>& into);
