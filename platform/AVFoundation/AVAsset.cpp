#include "AVFoundation/AVAsset.h"

std::vector<std::shared_ptr<AVAssetTrack>>
AVAsset::tracksWithMediaType(const std::string& type) const {
    std::vector<std::shared_ptr<AVAssetTrack>> found;
    for (auto& track : tracks()) {
        if (track->mediaType() == type)
            found.push_back(track);
    }
    return found;
}

std::vector<AVMetadataItem> AVAsset::commonMetadata() const {
    std::vector<AVMetadataItem> common;
    for (const AVMetadataItem& item : metadata()) {
        if (item.commonKey)
            common.push_back(item);
    }
    return common;
}
