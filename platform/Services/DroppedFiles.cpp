#include "Services/DroppedFiles.h"

#include "Foundation/NotificationCenter.h"

#include <algorithm>

DroppedFiles& DroppedFiles::shared() {
    static DroppedFiles files;
    return files;
}

void DroppedFiles::add(const std::string& path) {
    if (path.empty())
        return;
    URL url = URL::fileURL(path);
    bool known = std::any_of(files_.begin(), files_.end(),
                             [&](const URL& u) { return u.path() == url.path(); });
    if (!known)
        files_.push_back(url);
    NotificationCenter::defaultCenter().post(didChangeNotification, this);
}

std::vector<URL> DroppedFiles::take() {
    std::vector<URL> taken;
    taken.swap(files_);
    return taken;
}
