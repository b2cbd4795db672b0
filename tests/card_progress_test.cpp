// vok.progress in the card library: the 16-byte record byte for byte, what a reader takes of a
// file (trailing part, 100 records, the later of an id), the merge rule of unlock times, the bar's
// clamp and the calendar of unlock times.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ctime>

#include "card/card_progress.h"
#include "store/game_files.h"
#include "tests/support/store_support.h"

namespace {

std::string Encoded(const CardProgress& p)
{
    unsigned char bytes[CARD_PROGRESS_RECORD_SIZE];
    CardEncodeProgress(&p, bytes);
    return std::string(reinterpret_cast<char*>(bytes), sizeof bytes);
}

} // namespace

// Every field little-endian, the time unsigned: 0xFFFFFFFF is 2106, not -1.
TEST(CardProgress, RecordByteForByte)
{
    const CardProgress p = {7, 37, 100, 1714564800UL};
    EXPECT_EQ(Encoded(p), Int32s({7, 37, 100, 1714564800}));
    EXPECT_EQ(Encoded(p), std::string("\x07\0\0\0\x25\0\0\0\x64\0\0\0\xC0\x2E\x32\x66", 16));
    const std::string extremes = Int32s({INT_MIN, -1, INT_MAX, -1});
    CardProgress back;
    CardDecodeProgress(reinterpret_cast<const unsigned char*>(extremes.data()), &back);
    EXPECT_EQ(back.id, INT_MIN);
    EXPECT_EQ(back.current, -1);
    EXPECT_EQ(back.target, INT_MAX);
    EXPECT_EQ(back.unlockedAt, 0xFFFFFFFFUL);
    EXPECT_EQ(Encoded(back), extremes);
}

// A trailing part under 16 bytes is ignored, at most 100 records are read, the later record of
// an id is the one that counts, an id with none reads as all zero.
TEST(CardProgress, ReaderTakesTheLaterRecordOfTheFirstHundred)
{
    std::string bytes = Int32s({3, 1, 10, 0, 5, 0, 0, 99, 3, 4, 10, 0}) + "cut";
    std::vector<CardProgress> records = ParseAchievementProgress(bytes);
    ASSERT_EQ(records.size(), 3u);
    CardProgress found;
    EXPECT_TRUE(CardFindProgress(records.data(), 3, 3, &found));
    EXPECT_EQ(found.current, 4);
    EXPECT_FALSE(CardFindProgress(records.data(), 3, 8, &found));
    EXPECT_EQ(found.id + found.current + found.target + int(found.unlockedAt), 8);
    std::string many;
    for (int i = 0; i < 120; ++i) many += Int32s({1, i, 200, 0});
    records = ParseAchievementProgress(many);
    ASSERT_EQ(records.size(), 100u);
    EXPECT_TRUE(CardFindProgress(records.data(), 100, 1, &found));
    EXPECT_EQ(found.current, 99) << "the 100th record, never one past it";
    EXPECT_TRUE(ParseAchievementProgress("").empty());
}

// The bar shows current held to 0..target, nothing without a target; of two unlock times the
// earlier known one counts; an empty record says nothing.
TEST(CardProgress, ShownProgressAndEarlierUnlock)
{
    const struct { int current, target, shown; } bars[] = {
        {37, 100, 37}, {150, 100, 100}, {-5, 100, 0}, {5, 0, 0}, {5, -10, 0}, {INT_MAX, INT_MAX, INT_MAX}, {INT_MIN, 1, 0}};
    for (const auto& b : bars) {
        const CardProgress p = {1, b.current, b.target, 0};
        EXPECT_EQ(CardProgressShown(&p), b.shown) << b.current << "/" << b.target;
    }
    EXPECT_EQ(CardEarlierUnlock(0, 500), 500UL);
    EXPECT_EQ(CardEarlierUnlock(500, 0), 500UL);
    EXPECT_EQ(CardEarlierUnlock(700, 500), 500UL);
    EXPECT_EQ(CardEarlierUnlock(0, 0), 0UL);
    const CardProgress empty = {4, 0, 0, 0}, timed = {4, 0, 0, 1};
    EXPECT_TRUE(CardProgressIsEmpty(&empty));
    EXPECT_FALSE(CardProgressIsEmpty(&timed));
}

// The calendar agrees with the C library's gmtime over the whole unsigned 32-bit range.
TEST(CardProgress, DatesAreUtc)
{
    char text[32];
    CardIsoTime(0, text);
    EXPECT_STREQ(text, "1970-01-01T00:00:00Z");
    CardIsoTime(1714564800UL, text);
    EXPECT_STREQ(text, "2024-05-01T12:00:00Z");
    CardIsoTime(951782400UL, text); // a leap day of a century year divisible by 400
    EXPECT_STREQ(text, "2000-02-29T00:00:00Z");
    CardIsoTime(0xFFFFFFFFUL, text);
    EXPECT_STREQ(text, "2106-02-07T06:28:15Z");
    for (unsigned long seconds = 0; seconds < 0xFFFFFFFFUL - 7777777UL; seconds += 7777777UL) {
        if (sizeof(std::time_t) < 8 && seconds > 0x7FFFFFFFUL) break; // the C library's calendar ends in 2038 there
        const std::time_t t = std::time_t(seconds);
        std::tm expected;
        gmtime_r(&t, &expected);
        CardDateTime d;
        CardDateFromSeconds(seconds, &d);
        EXPECT_EQ(std::vector<int>({d.year, d.month, d.day, d.hour, d.minute, d.second}),
                  std::vector<int>({expected.tm_year + 1900, expected.tm_mon + 1, expected.tm_mday, expected.tm_hour,
                                    expected.tm_min, expected.tm_sec})) << seconds;
    }
}
