#include "Melodrift/FolderModel.h"

#include "Bootwell/Date+Formatting.h"

std::string iconName(const FolderModel& entry) {
    return iconName(entry.type);
}

std::string nameLabel(const FolderModel& entry) {
    return entry.FolderName;
}

std::string kindLabel(const FolderModel& entry) {
    return kindLabel(entry.type);
}

std::string sizeLabel(const FolderModel& entry) {
    return entry.FolderSize;
}

std::string dateLabel(const FolderModel& entry) {
    return Bootwell::formatted(entry.date, DateFormatter::Style::medium);
}
