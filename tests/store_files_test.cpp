#include "store/store_files.h"
#include "store/store_paths.h"
#include "store/profiles.h"
#include "frame/state.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

#include <algorithm>

#include "tests/support/test_support.h"

// Entries of a folder apart from "." and "..", to spot a temporary left behind.
static std::vector<std::string> RealEntries(const std::string& folder)
{
    std::vector<std::string> names = ListFolder(folder);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) { return n == "." || n == ".."; }),
                names.end());
    std::sort(names.begin(), names.end());
    return names;
}

// Binary values are little-endian on every host, signed, and missing bytes read as 0.
TEST(StoreFiles, Int32LittleEndianAndShortData)
{
    std::string bytes;
    AppendInt32(&bytes, 1);
    AppendInt32(&bytes, -2);
    AppendInt32(&bytes, 0x7FFFFFFF);
    AppendInt32(&bytes, -0x7FFFFFFF - 1);
    EXPECT_EQ(bytes, std::string("\x01\0\0\0\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x7F\0\0\0\x80", 16));
    EXPECT_EQ(Int32At(bytes, 0), 1);
    EXPECT_EQ(Int32At(bytes, 4), -2);
    EXPECT_EQ(Int32At(bytes, 8), 0x7FFFFFFF);
    EXPECT_EQ(Int32At(bytes, 12), -0x7FFFFFFF - 1);
    EXPECT_EQ(Int32At(bytes, 16), 0);                   // past the end
    EXPECT_EQ(Int32At(bytes.substr(0, 7), 4), 0);       // only three bytes of the value
    EXPECT_EQ(Int32At(bytes, size_t(-1)), 0);           // no wrap-around of the offset
    EXPECT_EQ(Int32At(std::string("\x34\x12\0\0", 4), 0), 0x1234);
}

// The one line reader of every key "=" value file: split, trimming and line limits.
TEST(StoreFiles, KeyValueLines)
{
    struct Case { std::string text; std::vector<std::pair<std::string, std::string>> lines; };
    const std::string fill1023(1023 - 2, 'x'), fill1024(1024 - 2, 'x'); // values of "a=" lines
    const Case cases[] = {
        {"a=1\nb=2", {{"a", "1"}, {"b", "2"}}},                      // last line needs no LF
        {"name=  Bob  \r\n", {{"name", "  Bob"}}},                   // leading blanks stay
        {"=x\nk==v\n", {{"k", "=v"}}},                               // "=" first does not count
        {"\n\nnoequals\nk=v\n", {{"k", "v"}}},                       // blank and malformed skipped
        {"Key = a=b\t\x01\n", {{"Key ", " a=b"}}},                   // key untouched, value whole
        {"k=\xC3\xA9\xFF\n", {{"k", "\xC3\xA9\xFF"}}},               // bytes above 127 stay
        {"k=\n", {{"k", ""}}},
        {"a=" + fill1023 + "\nb=1\n", {{"a", fill1023}, {"b", "1"}}},
        {"a=" + fill1023, {{"a", fill1023}}},
        {"a=1\nb=" + fill1024 + "\nc=3\n", {{"a", "1"}}},          // 1024 characters end reading
        {"a=1\nb=" + fill1024, {{"a", "1"}}},
        {"a=" + fill1023.substr(1) + "\r\nb=1\n", {{"a", fill1023.substr(1)}, {"b", "1"}}},
        {"a=" + fill1023 + "\r\nb=1\n", {}},                        // the CR counts
    };
    for (const Case& c : cases) {
        std::vector<KeyValueLine> got = ParseKeyValueLines(c.text);
        ASSERT_EQ(got.size(), c.lines.size()) << c.text.substr(0, 40);
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].key, c.lines[i].first);
            EXPECT_EQ(got[i].value, c.lines[i].second);
        }
    }
    TempDir dir;
    std::vector<KeyValueLine> lines(1);
    EXPECT_FALSE(ReadKeyValueFile(dir / "missing", &lines));
    EXPECT_TRUE(lines.empty());
    WriteFile(dir / "f", "x=1\r\n");
    ASSERT_TRUE(ReadKeyValueFile(dir / "f", &lines));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].value, "1");

    // a big file that is no text is not read whole; its short lines before still count
    WriteFile(dir / "big", "k=v\n" + std::string(1 << 20, '\x01'));
    std::string text;
    ASSERT_TRUE(ReadKeyValueText(dir / "big", &text));
    EXPECT_LT(text.size(), 8192u);
    ASSERT_TRUE(ReadKeyValueFile(dir / "big", &lines));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].key, "k");
    EXPECT_FALSE(ReadKeyValueText(dir / "missing", &text));
    EXPECT_FALSE(ReadKeyValueText(dir.path(), &text)); // a folder is no file
}

// Whole files, or only the bytes a fixed-size format needs.
TEST(StoreFiles, ReadFileBytes)
{
    TempDir dir;
    std::string bytes = "stale";
    EXPECT_FALSE(ReadFileBytes(dir / "missing", &bytes));
    EXPECT_EQ(bytes, "");
    const std::string content(10000, 'q');
    WriteFile(dir / "f", content);
    ASSERT_TRUE(ReadFileBytes(dir / "f", &bytes));
    EXPECT_EQ(bytes, content);
    ASSERT_TRUE(ReadFileBytes(dir / "f", &bytes, 20));
    EXPECT_EQ(bytes, content.substr(0, 20));
    EXPECT_FALSE(ReadFileBytes(dir.path(), &bytes));
}

// A replaced file holds the new bytes exactly, and no temporary remains.
TEST(StoreFiles, WriteFileSafelyReplaces)
{
    TempDir dir;
    WriteFile(dir / "vok.cfg", "old content that is longer");
    ASSERT_TRUE(WriteFileSafely(dir / "vok.cfg", std::string("new\0bytes\r\n", 11)));
    EXPECT_EQ(ReadFile(dir / "vok.cfg"), std::string("new\0bytes\r\n", 11));
    ASSERT_TRUE(WriteFileSafely(dir / "empty", ""));
    EXPECT_TRUE(FileExists(dir / "empty"));
    EXPECT_EQ(RealEntries(dir.path()), (std::vector<std::string>{"empty", "vok.cfg"}));
    EXPECT_TRUE(IsSafeWriteTemporary(".vok-tmp.vok.cfg"));
    EXPECT_FALSE(IsSafeWriteTemporary("vok_ana"));
    EXPECT_FALSE(IsSafeWriteTemporary("vok.cfg"));
}

// Every failing step leaves the old file as it was and no temporary behind.
TEST(StoreFiles, WriteFileSafelyFailures)
{
    TempDir dir;
    // the folder does not exist, or is a plain file
    EXPECT_FALSE(WriteFileSafely(dir / "nofolder/vok.cfg", "x"));
    WriteFile(dir / "plain", "p");
    EXPECT_FALSE(WriteFileSafely(dir / "plain/vok.cfg", "x"));
    // the rename fails: the target is a folder that holds something
    MakeDir(dir / "busy/inner");
    EXPECT_FALSE(WriteFileSafely(dir / "busy", "x"));
    EXPECT_EQ(RealEntries(dir.path()), (std::vector<std::string>{"busy", "plain"}));

    // a write that fails part-way (file size limit reached after the first 4 KiB)
    WriteFile(dir / "vok.erience", "0123456789abcdef");
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool wrote = WriteFileSafely(dir / "vok.erience", std::string(10000, 'z'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(ReadFile(dir / "vok.erience"), "0123456789abcdef");
    EXPECT_EQ(RealEntries(dir.path()), (std::vector<std::string>{"busy", "plain", "vok.erience"}));
}

// Listings keep the system's order with "." and ".."; existence is a status query.
TEST(StoreFiles, ListFolderAndPaths)
{
    TempDir dir;
    EXPECT_TRUE(ListFolder(dir / "missing").empty());
    MakeDir(dir / "b");
    WriteFile(dir / "a", "");
    std::vector<std::string> names = ListFolder(dir.path());
    EXPECT_EQ(names.size(), 4u);
    EXPECT_NE(std::find(names.begin(), names.end(), "."), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), ".."), names.end());
    EXPECT_TRUE(PathExists(dir / "a"));
    EXPECT_TRUE(PathExists(dir / "b"));
    EXPECT_FALSE(PathExists(dir / "c"));

    StoreRoot = dir.store();
    ProfileRecord ana;
    ana.folder = "vok_ana";
    EXPECT_EQ(ProfilePath(ana, "vok.cfg"), dir.path() + "/vok_ana/vok.cfg");
    EXPECT_EQ(ProfilePath(ana, ""), dir.path() + "/vok_ana/");
    EXPECT_EQ(GamePath(ana, "g1", "vok.dat"), dir.path() + "/vok_ana/g1/vok.dat");
    EXPECT_EQ(WithTrailingSlash("a"), "a/");
    EXPECT_EQ(WithTrailingSlash("a/"), "a/");
}
