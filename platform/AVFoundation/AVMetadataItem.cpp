#include "AVFoundation/AVMetadataItem.h"

#include <map>

namespace {

const std::map<std::string, std::string>& commonKeys() {
    static const std::map<std::string, std::string> keys = {
        {"title", AVMetadataCommonKeyTitle},     {"artist", AVMetadataCommonKeyArtist},
        {"album", AVMetadataCommonKeyAlbumName}, {"date", AVMetadataCommonKeyCreationDate},
        {"genre", AVMetadataCommonKeyType},
    };
    return keys;
}

} // namespace

AVMetadataItem AVMetadataItem::withKey(const std::string& key, const std::string& value) {
    AVMetadataItem item{key, std::nullopt, value};
    auto common = commonKeys().find(key);
    if (common != commonKeys().end())
        item.commonKey = common->second;
    return item;
}

std::vector<AVMetadataItem> metadataItemsWithCommonKey(const std::vector<AVMetadataItem>& items,
                                                       const std::string& commonKey) {
    std::vector<AVMetadataItem> found;
    for (const AVMetadataItem& item : items) {
        if (item.commonKey == commonKey)
            found.push_back(item);
    }
    return found;
}
