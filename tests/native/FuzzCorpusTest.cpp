// Replays the inputs the fuzz targets found (tests/native/corpus/<target>/): each was a
// crash or a broken rule once, and must stay fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/native/fuzz/FuzzTargets.h"

TEST(FuzzCorpus, EveryFoundInputStaysHarmless) {
    const std::pair<const char *, void (*)(const uint8_t *, size_t)> targets[] = {{"skin", FuzzSkin},
                                                                                  {"scenario", FuzzScenario},
                                                                                  {"call_index", FuzzCallIndex},
                                                                                  {"wav", FuzzWav},
                                                                                  {"png", FuzzPng}};
    int replayed = 0;
    for (const auto &t : targets) {
        for (const auto &f : std::filesystem::directory_iterator(std::string(FUZZ_CORPUS_DIR "/") + t.first)) {
            std::ifstream in(f.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            SCOPED_TRACE(f.path().string());
            t.second(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()), ++replayed;
        }
    }
    EXPECT_GE(replayed, 4);
}
