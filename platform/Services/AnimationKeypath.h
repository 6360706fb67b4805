#pragma once

#include <string>
#include <vector>

// A path of keys through an animation's layers, groups and items, ending in a property name
// ("Wave Front", "Wave", "Fill", "Color"). "*" stands for any one key, "**" for any number of
// them.
struct AnimationKeypath {
    std::vector<std::string> keys;

    AnimationKeypath() = default;
    explicit AnimationKeypath(std::vector<std::string> keys) : keys(std::move(keys)) {}
    // Keys separated by dots: "**.Color".
    static AnimationKeypath fromString(const std::string& dotted);

    // The last key: the property the path ends in.
    std::string propertyName() const;
    // The keys before the property, as rlottie matches them: dot-separated, with runs of "**"
    // collapsed into one (rlottie reads "**.**" as two separate levels and matches nothing).
    // Empty when the path holds nothing but its property.
    std::string ownerPath() const;

    std::string description() const;
    bool operator==(const AnimationKeypath&) const = default;
};
