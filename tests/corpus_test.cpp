// Every fuzzer seed through the harnesses' entry points: a finding kept as a seed stays fixed.
#include <gtest/gtest.h>

#include <filesystem>

#include "card/card_bitmap.h"
#include "card/card_format.h"
#include "graphics/media.h"
#include "tests/fuzz/fuzz_targets.h"
#include "tests/support/kit_support.h"
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

// The one bitmap check decides for vok's loader and for the kit alike: every "good_" bitmap of
// the corpus passes it and decodes, every "bad_" one is refused by both; the kit refuses besides
// only what is larger than an icon may be.
TEST(Corpus, BitmapsTheLoaderAndTheKitAgreeOn)
{
    int checked = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(SourceDir()) / "tests/corpus/bitmap")) {
        const std::string name = entry.path().filename(), bytes = ReadFile(entry.path());
        CardBitmapHeader header = {};
        const bool valid = CardCheckBitmap(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &header) == CARD_BITMAP_OK;
        const bool good = name.rfind("good_", 0) == 0;
        EXPECT_EQ(valid, good) << name;
        EXPECT_EQ(IsValidBitmap(bytes), valid) << name;
        SDL_Surface* decoded = DecodeBitmap(bytes);
        EXPECT_EQ(decoded != nullptr, valid) << name;
        FreeSurface(&decoded);
        const bool fits = header.width <= CARD_ICON_SIDE && std::abs(header.height) <= CARD_ICON_SIDE;
        EXPECT_EQ(VokCheckBitmap(entry.path().c_str()) == VOK_OK, valid && fits) << name << ": " << VokErrorMessage();
        ++checked;
    }
    EXPECT_GE(checked, 30);
}
