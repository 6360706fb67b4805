#include "Foundation/FileManager.h"
#include "Melodrift/FileEngine.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Lays out the library once per run in a container of its own, removed at the end.
struct Library {
    std::string home;
    URL flat;

    Library() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "melodrift-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        home = pattern;
        setenv("MELODRIFT_HOME", home.c_str(), 1);

        FileEngine& engine = FileEngine::shared();
        engine.createLibraryFolder();
        URL root = engine.libraryRootURL();
        for (int f = 0; f < 100; ++f) {
            URL folder = root.appendingPathComponent("Folder " + std::to_string(f));
            FileManager::defaultManager().createDirectory(folder, true);
            for (int i = 0; i < 50; ++i)
                write(folder, i, 2000);
        }
        flat = URL::fileURL(home).appendingPathComponent("Flat");
        FileManager::defaultManager().createDirectory(flat, true);
        for (int i = 0; i < 1000; ++i)
            write(flat, i, 2000);
    }

    ~Library() {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    }

    static void write(const URL& folder, int i, size_t bytes) {
        URL url = folder.appendingPathComponent("take " + std::to_string(i) + ".m4a");
        FileManager::defaultManager().createFile(url.path(), std::string(bytes, 'x'));
    }
};

Library& library() {
    static Library instance;
    return instance;
}

void BM_EntriesOfAFolderOf1000Files(benchmark::State& state) {
    URL folder = library().flat;
    for (auto _ : state) {
        auto entries = FileEngine::shared().entries(folder);
        benchmark::DoNotOptimize(entries);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_EntriesOfAFolderOf1000Files)->Unit(benchmark::kMillisecond);

void BM_EntriesOfARootOf100FoldersOf50Files(benchmark::State& state) {
    library();
    URL root = FileEngine::shared().libraryRootURL();
    for (auto _ : state) {
        auto entries = FileEngine::shared().entries(root);
        benchmark::DoNotOptimize(entries);
    }
    state.SetItemsProcessed(state.iterations() * (100 + 100 * 50));
}
BENCHMARK(BM_EntriesOfARootOf100FoldersOf50Files)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
