// Every fuzzer seed through the harnesses' entry points: a finding kept as a seed stays fixed.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fuzz/fuzz_targets.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

TEST(Corpus, EverySeedThroughItsParser)
{
    int files = 0;
    for (int i = 0; i < FuzzTargetCount; ++i) {
        const fs::path folder = fs::path(SourceDir()) / "tests/corpus" / FuzzTargets[i].name;
        int seeds = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            SCOPED_TRACE(entry.path().string());
            FuzzTargets[i].run(ReadFile(entry.path()));
            ++seeds;
        }
        EXPECT_GE(seeds, 3) << "good and malformed seeds for " << FuzzTargets[i].name;
        files += seeds;
    }
    RecordProperty("seeds", files);
}

// The seeds are exactly what tools/make_corpus.cpp writes: no binary without its source.
TEST(Corpus, SeedsComeFromTheirGenerator)
{
    TempDir dir;
    ASSERT_EQ(RunProgram(BuildDir() + "/tools/make_corpus", {dir / "corpus"}, BuildDir()).status, 0);
    const FileTree made = ReadTree(dir / "corpus"), kept = ReadTree(SourceDir() + "/tests/corpus");
    EXPECT_EQ(made.size(), kept.size());
    for (const auto& [name, bytes] : made) EXPECT_TRUE(kept.count(name) && kept.at(name) == bytes) << name;
}
