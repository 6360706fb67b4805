#pragma once

#include "Foundation/AppContainer.h"
#include "Foundation/Console.h"
#include "Foundation/FileManager.h"
#include "Melodrift/FileEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A library root in the test's own container, with helpers to lay out files and folders.
class LibraryFixture : public ::testing::Test {
  protected:
    FileEngine& engine = FileEngine::shared();
    URL root;

    void SetUp() override {
        root = engine.libraryRootURL();
        // The engine fixes its root for the life of the process, in the first test's
        // container; ctest runs every test in a process of its own.
        if (root.path().rfind(AppContainer::rootPath() + "/", 0) != 0) {
            GTEST_SKIP() << "the library root belongs to an earlier test; run each test alone";
        }
        engine.createLibraryFolder();
        ASSERT_TRUE(std::filesystem::is_directory(root.path()));
    }

    URL file(const URL& folder, const std::string& name, size_t bytes = 1, char fill = 'x') const {
        URL url = folder.appendingPathComponent(name);
        EXPECT_TRUE(FileManager::defaultManager().createFile(url.path(), std::string(bytes, fill)));
        return url;
    }

    URL folder(const URL& parent, const std::string& name) const {
        URL url = parent.appendingPathComponent(name);
        EXPECT_TRUE(FileManager::defaultManager().createDirectory(url, true));
        return url;
    }

    static void link(const URL& at, const URL& target) {
        std::filesystem::create_symlink(target.path(), at.path());
    }

    static bool exists(const URL& url) {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::symlink_status(url.path(), ec));
    }

    static std::string contentsOf(const URL& url) {
        std::ifstream in(url.path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static uint64_t entrySize(const URL& url) {
        return *FileManager::defaultManager().attributesOfItem(url.path())->size;
    }

    static std::vector<std::string> names(const std::vector<URL>& urls) {
        std::vector<std::string> out;
        for (const URL& url : urls)
            out.push_back(url.lastPathComponent());
        return out;
    }

    static std::vector<std::string> sorted(std::vector<std::string> values) {
        std::sort(values.begin(), values.end());
        return values;
    }

    static size_t linesStartingWith(const std::vector<std::string>& lines,
                                    const std::string& prefix) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    }
};
