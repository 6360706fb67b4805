#pragma once

#include <optional>
#include <string>
#include <vector>

// Common keys: the same tag whatever container it came from.
inline const std::string AVMetadataCommonKeyTitle = "title";
inline const std::string AVMetadataCommonKeyArtist = "artist";
inline const std::string AVMetadataCommonKeyAlbumName = "albumName";
inline const std::string AVMetadataCommonKeyCreationDate = "creationDate";
inline const std::string AVMetadataCommonKeyType = "type";

// One tag of a media file. `key` is the container's own key, as FFmpeg names it in lower case
// ("title", "album", "track", "date", "genre", ...); `commonKey` is set for the tags that have
// a common key.
struct AVMetadataItem {
    std::string key;
    std::optional<std::string> commonKey;
    std::optional<std::string> stringValue;

    // An item for a container key, with its common key when it has one.
    static AVMetadataItem withKey(const std::string& key, const std::string& value);
};

// The items of `items` whose common key is `commonKey`.
std::vector<AVMetadataItem> metadataItemsWithCommonKey(const std::vector<AVMetadataItem>& items,
                                                       const std::string& commonKey);
