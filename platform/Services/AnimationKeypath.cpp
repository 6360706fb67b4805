#include "Services/AnimationKeypath.h"

AnimationKeypath AnimationKeypath::fromString(const std::string& dotted) {
    AnimationKeypath path;
    size_t start = 0;
    while (start <= dotted.size()) {
        size_t dot = dotted.find('.', start);
        if (dot == std::string::npos)
            dot = dotted.size();
        if (dot > start)
            path.keys.push_back(dotted.substr(start, dot - start));
        start = dot + 1;
    }
    return path;
}

std::string AnimationKeypath::propertyName() const {
    return keys.empty() ? "" : keys.back();
}

std::string AnimationKeypath::ownerPath() const {
    std::string joined;
    std::string previous;
    for (size_t i = 0; i + 1 < keys.size(); ++i) {
        if (keys[i] == "**" && previous == "**")
            continue;
        if (!joined.empty())
            joined += '.';
        joined += keys[i];
        previous = keys[i];
    }
    return joined;
}

std::string AnimationKeypath::description() const {
    std::string joined;
    for (const auto& key : keys)
        joined += (joined.empty() ? "" : ".") + key;
    return joined;
}
