// Replays the inputs the fuzz targets found (tests/native/corpus/<target>/): each was a
// crash or a broken rule once, and must stay fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/native/fuzz/FuzzTargets.h"

namespace {

namespace fs = std::filesystem;

TEST(FuzzCorpus, EveryFoundInputStaysHarmless) {
    const struct {
        const char *folder;
        void (*entry)(const uint8_t *, size_t);
    } targets[] = {{"skin", FuzzSkin}, {"scenario", FuzzScenario}, {"call_index", FuzzCallIndex}, {"wav", FuzzWav}};
    int replayed = 0;
    for (const auto &t : targets) {
        const fs::path dir = fs::path(FUZZ_CORPUS_DIR) / t.folder;
        if (!fs::is_directory(dir)) continue;
        for (const fs::directory_entry &f : fs::directory_iterator(dir)) {
            std::ifstream in(f.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            SCOPED_TRACE(f.path().string());
            t.entry(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "the corpus is in " << FUZZ_CORPUS_DIR;
}

}  // namespace
