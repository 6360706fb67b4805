#pragma once

#include <optional>
#include <string>
#include <vector>

// A file or web address. File URLs keep their path decoded; web URLs keep scheme, authority,
// path, query and fragment apart. Paths never end in a slash, except the root "/".
class URL {
  public:
    URL() = default;

    // A file URL for an absolute or relative path (relative paths resolve against the
    // current directory).
    static URL fileURL(const std::string& path);

    // Parses text such as "https://host/a%20b.mp3?x=1#f" or "file:///tmp/a.wav".
    // Refuses text without a scheme, with a malformed scheme, or without a host for
    // web schemes.
    static std::optional<URL> fromString(const std::string& text);

    bool isEmpty() const { return scheme_.empty(); }
    bool isFileURL() const { return scheme_ == "file"; }

    const std::string& scheme() const { return scheme_; }
    const std::string& host() const { return host_; }
    std::optional<int> port() const { return port_; }
    const std::string& query() const { return query_; }
    const std::string& fragment() const { return fragment_; }

    // The decoded path.
    const std::string& path() const { return path_; }
    std::string absoluteString() const;

    std::vector<std::string> pathComponents() const;
    std::string lastPathComponent() const;
    // The text after the last dot of the last component; empty for "README", ".hidden"
    // and "name.".
    std::string pathExtension() const;

    URL deletingPathExtension() const;
    URL deletingLastPathComponent() const;
    // A component containing slashes adds several components.
    URL appendingPathComponent(const std::string& component) const;
    URL appendingPathExtension(const std::string& extension) const;

    bool operator==(const URL& other) const = default;
    bool operator<(const URL& other) const { return absoluteString() < other.absoluteString(); }

  private:
    URL withPath(std::string path) const;

    std::string scheme_;
    std::string user_;
    std::string host_;
    std::optional<int> port_;
    std::string path_;
    std::string query_;
    std::string fragment_;
    bool hasQuery_ = false;
    bool hasFragment_ = false;
};

std::string percentEncodePath(const std::string& path);
std::string percentDecode(const std::string& text);
