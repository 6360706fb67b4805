#include "Foundation/URL.h"

#include <gtest/gtest.h>

TEST(URLTests, FileURLComponents) {
    URL url = URL::fileURL("/music/Live Set/take.one.m4a");
    EXPECT_TRUE(url.isFileURL());
    EXPECT_EQ(url.path(), "/music/Live Set/take.one.m4a");
    EXPECT_EQ(url.absoluteString(), "file:///music/Live%20Set/take.one.m4a");
    EXPECT_EQ(url.lastPathComponent(), "take.one.m4a");
    EXPECT_EQ(url.pathExtension(), "m4a");
    EXPECT_EQ(url.deletingPathExtension().lastPathComponent(), "take.one");
    EXPECT_EQ(url.deletingLastPathComponent().path(), "/music/Live Set");
    EXPECT_EQ(url.deletingLastPathComponent()
                  .appendingPathComponent("b")
                  .appendingPathExtension("wav")
                  .path(),
              "/music/Live Set/b.wav");
}

TEST(URLTests, ExtensionEdgeCases) {
    struct Case {
        const char* path;
        const char* extension;
    };
    for (Case c : {Case{"/a/README", ""}, Case{"/a/.hidden", ""}, Case{"/a/name.", ""},
                   Case{"/a/Live.2020", "2020"}, Case{"/a/Song.MP3", "MP3"}, Case{"/a/b/", ""}}) {
        EXPECT_EQ(URL::fileURL(c.path).pathExtension(), c.extension) << c.path;
    }
}

TEST(URLTests, WebURLKeepsQueryAndFragmentApartFromPath) {
    auto url = URL::fromString("https://Example.com:8080/a%20b/song.mp3?x=1&y=2#part");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->scheme(), "https");
    EXPECT_EQ(url->host(), "example.com");
    EXPECT_EQ(url->port(), 8080);
    EXPECT_EQ(url->path(), "/a b/song.mp3");
    EXPECT_EQ(url->lastPathComponent(), "song.mp3");
    EXPECT_EQ(url->pathExtension(), "mp3");
    EXPECT_EQ(url->query(), "x=1&y=2");
    EXPECT_EQ(url->fragment(), "part");
    EXPECT_EQ(url->absoluteString(), "https://example.com:8080/a%20b/song.mp3?x=1&y=2#part");
}

TEST(URLTests, RefusesTextThatIsNotAURL) {
    for (const char* text : {"", "   ", "just words", "no-scheme.com/a.mp3", "http://",
                             "1http://a.b/", "http://host:port/"}) {
        EXPECT_FALSE(URL::fromString(text)) << text;
    }
    EXPECT_TRUE(URL::fromString("  http://a.b/c.mp3\n"));
    EXPECT_TRUE(URL::fromString("file:///tmp/a.wav"));
}
