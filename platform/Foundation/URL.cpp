#include "Foundation/URL.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

bool isUnreservedPathChar(unsigned char c) {
    return std::isalnum(c) || std::string_view("-._~!$&'()*+,;=:@/").find(static_cast<char>(c)) !=
                                  std::string_view::npos;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isValidScheme(const std::string& scheme) {
    if (scheme.empty() || !std::isalpha(static_cast<unsigned char>(scheme[0])))
        return false;
    return std::all_of(scheme.begin(), scheme.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '+' || c == '-' || c == '.';
    });
}

// Removes "." and empty components and any trailing slash; keeps ".." as written.
std::string normalizePath(const std::string& path) {
    if (path.empty())
        return path;
    std::string out;
    size_t i = 0;
    while (i < path.size()) {
        size_t next = path.find('/', i);
        if (next == std::string::npos)
            next = path.size();
        std::string part = path.substr(i, next - i);
        if (!part.empty() && part != ".")
            out += "/" + part;
        i = next + 1;
    }
    if (out.empty())
        return "/";
    if (path[0] != '/')
        out.erase(0, 1);
    return out;
}

std::string lowercase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

} // namespace

std::string percentEncodePath(const std::string& path) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (isUnreservedPathChar(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

std::string percentDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            int hi = hexValue(text[i + 1]);
            int lo = hexValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

URL URL::fileURL(const std::string& path) {
    URL url;
    url.scheme_ = "file";
    std::string absolute = path;
    if (absolute.empty() || absolute[0] != '/') {
        absolute = (std::filesystem::current_path() / path).string();
    }
    url.path_ = normalizePath(absolute);
    return url;
}

std::optional<URL> URL::fromString(const std::string& raw) {
    std::string text = raw;
    auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    if (text.empty() || std::any_of(text.begin(), text.end(),
                                    [](unsigned char c) { return std::isspace(c) || c < 0x20; })) {
        return std::nullopt;
    }

    size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    URL url;
    url.scheme_ = lowercase(text.substr(0, colon));
    if (!isValidScheme(url.scheme_))
        return std::nullopt;
    std::string rest = text.substr(colon + 1);

    size_t hash = rest.find('#');
    if (hash != std::string::npos) {
        url.fragment_ = rest.substr(hash + 1);
        url.hasFragment_ = true;
        rest.erase(hash);
    }
    size_t question = rest.find('?');
    if (question != std::string::npos) {
        url.query_ = rest.substr(question + 1);
        url.hasQuery_ = true;
        rest.erase(question);
    }

    if (rest.rfind("//", 0) == 0) {
        rest.erase(0, 2);
        size_t slash = rest.find('/');
        std::string authority = rest.substr(0, slash);
        rest = slash == std::string::npos ? "" : rest.substr(slash);
        size_t at = authority.rfind('@');
        if (at != std::string::npos) {
            url.user_ = authority.substr(0, at);
            authority.erase(0, at + 1);
        }
        size_t portColon = authority.rfind(':');
        if (portColon != std::string::npos && authority.find(']') == std::string::npos) {
            std::string port = authority.substr(portColon + 1);
            if (!port.empty()) {
                if (!std::all_of(port.begin(), port.end(), ::isdigit) || port.size() > 5) {
                    return std::nullopt;
                }
                url.port_ = std::stoi(port);
            }
            authority.erase(portColon);
        }
        url.host_ = lowercase(authority);
    }
    if (url.scheme_ != "file" && url.host_.empty())
        return std::nullopt;
    url.path_ = normalizePath(percentDecode(rest));
    if (url.isFileURL() && url.path_.empty())
        return std::nullopt;
    return url;
}

std::string URL::absoluteString() const {
    if (isEmpty())
        return "";
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "text" + string here.
    std::string out = scheme_;
    out += "://";
    if (!user_.empty()) {
        out += user_;
        out += '@';
    }
    out += host_;
    if (port_) {
        out += ':';
        out += std::to_string(*port_);
    }
    out += percentEncodePath(path_);
    if (hasQuery_) {
        out += '?';
        out += query_;
    }
    if (hasFragment_) {
        out += '#';
        out += fragment_;
    }
    return out;
}

std::vector<std::string> URL::pathComponents() const {
    std::vector<std::string> parts;
    if (path_.empty())
        return parts;
    if (path_[0] == '/')
        parts.push_back("/");
    size_t i = path_[0] == '/' ? 1 : 0;
    while (i < path_.size()) {
        size_t next = path_.find('/', i);
        if (next == std::string::npos)
            next = path_.size();
        parts.push_back(path_.substr(i, next - i));
        i = next + 1;
    }
    return parts;
}

std::string URL::lastPathComponent() const {
    if (path_.empty())
        return "";
    if (path_ == "/")
        return "/";
    size_t slash = path_.rfind('/');
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

std::string URL::pathExtension() const {
    std::string name = lastPathComponent();
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return "";
    return name.substr(dot + 1);
}

URL URL::withPath(std::string path) const {
    URL copy = *this;
    copy.path_ = normalizePath(path);
    return copy;
}

URL URL::deletingPathExtension() const {
    std::string ext = pathExtension();
    if (ext.empty())
        return *this;
    return withPath(path_.substr(0, path_.size() - ext.size() - 1));
}

URL URL::deletingLastPathComponent() const {
    if (path_.empty() || path_ == "/")
        return *this;
    size_t slash = path_.rfind('/');
    if (slash == std::string::npos)
        return withPath(".");
    return withPath(slash == 0 ? "/" : path_.substr(0, slash));
}

URL URL::appendingPathComponent(const std::string& component) const {
    if (component.empty())
        return *this;
    return withPath(path_ == "/" ? "/" + component : path_ + "/" + component);
}

URL URL::appendingPathExtension(const std::string& extension) const {
    if (extension.empty() || path_.empty() || path_ == "/")
        return *this;
    return withPath(path_ + "." + extension);
}
