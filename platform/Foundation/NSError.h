#pragma once

#include <string>

// An operation's failure: a domain, a code and a sentence for people.
struct NSError {
    std::string domain;
    int code = 0;
    std::string message;

    static NSError posix(int errnoValue, const std::string& what);

    // "The file “a.mp3” couldn’t be removed." and the like.
    std::string localizedDescription() const { return message; }
    // The description with its domain and code, for logs.
    std::string debugDescription() const;
};
