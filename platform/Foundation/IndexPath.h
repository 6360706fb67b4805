#pragma once

#include <compare>
#include <string>

// The place of a row (tables) or an item (collections): a section and a position in it.
struct IndexPath {
    int section = 0;
    int row = 0;

    IndexPath() = default;
    IndexPath(int row, int section) : section(section), row(row) {}
    static IndexPath forRow(int row, int section) { return {row, section}; }
    static IndexPath forItem(int item, int section) { return {item, section}; }

    int item() const { return row; }

    // Sections first, then rows: the order a table lists them in.
    auto operator<=>(const IndexPath&) const = default;
    bool operator==(const IndexPath&) const = default;

    std::string description() const {
        return "[" + std::to_string(section) + ", " + std::to_string(row) + "]";
    }
};
