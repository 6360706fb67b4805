#include "Foundation/Console.h"
#include "Foundation/RunLoop.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

// Gives each test an app container of its own and a virtual run-loop clock, and removes the
// container afterwards.
class FreshContainer : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "melodrift-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
        setenv("MELODRIFT_HOME", path_.c_str(), 1);
        RunLoop::main().useVirtualClock(true);
        Console::startCapture();
    }

    void OnTestEnd(const ::testing::TestInfo&) override {
        if (std::getenv("MELODRIFT_KEEP_TEST_HOME"))
            return;
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::string path_;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshContainer);
    return RUN_ALL_TESTS();
}
