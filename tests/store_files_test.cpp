#include "store/store_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>

#include "tests/support/store_support.h"

// 32-bit builds too: 32-bit inode numbers make readdir() fail with EOVERFLOW on large disks.
static_assert(sizeof(ino_t) == 8 && sizeof(off_t) == 8, "built without 64-bit file offsets");

// Little-endian signed binary values, missing bytes as 0; decimals as strtol reads them, capped.
TEST(StoreFiles, Numbers)
{
    const std::string bytes = Int32s({1, -2, 0x7FFFFFFF, -0x7FFFFFFF - 1});
    EXPECT_EQ(bytes, std::string("\x01\0\0\0\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x7F\0\0\0\x80", 16));
    const struct { std::string bytes; size_t offset; Sint32 value; } cases[] = { // signed, short, no wrap
        {bytes, 12, -0x7FFFFFFF - 1}, {bytes, 16, 0}, {bytes.substr(0, 7), 4, 0}, {bytes, size_t(-1), 0}};
    for (const auto& c : cases) EXPECT_EQ(Int32At(c.bytes, c.offset), c.value) << c.offset;
    const struct { const char* text; long cap, value; } decimals[] = {
        {"05", 1000, 5}, {" \t+7x", 1000, 7}, {"-12", 1000, -12}, {"", 1000, 0}, {"x5", 1000, 0},
        {"99999999999999999999", 1000, 1000}, {"-99999999999", 4096, -4096}, {"4095", 4096, 4095}, {"- 3", 9, 0}};
    for (const auto& c : decimals) EXPECT_EQ(ReadDecimal(c.text, c.cap), c.value) << c.text;
}

// The one line reader of every key "=" value file: split, trimming and line limits.
TEST(StoreFiles, KeyValueLines)
{
    const std::string x1021(1021, 'x'), x1022(1022, 'x');       // "a=" + these: 1023 or 1024 characters
    const struct { std::string text, lines; } cases[] = { // lines as "key|value;"
        // blanks kept in front only, "=" first does not count, bad lines skipped, no last LF, bytes > 127
        {"name=  Bob  \r\n", "name|  Bob;"}, {"=x\nk==v\n", "k|=v;"}, {"\n\nnoequals\na=1\nb=2", "a|1;b|2;"},
        {"k=\xC3\xA9\xFF\nk=\n", "k|\xC3\xA9\xFF;k|;"},
        // 1023 characters are a line, 1024 end reading, and the CR counts
        {"a=" + x1021 + "\nb=1", "a|" + x1021 + ";b|1;"}, {"a=1\nb=" + x1022 + "\nc=3\n", "a|1;"},
        {"a=" + x1021 + "\r\nb=1\n", ""}};
    for (const auto& c : cases) {
        std::string got;
        for (const KeyValueLine& line : ParseKeyValueLines(c.text))
            got += line.key + "|" + line.value + ";";
        EXPECT_EQ(got, c.lines) << c.text.substr(0, 30);
    }
    TempDir dir; // a big file that is no text is not read whole; the short lines before it count
    WriteFile(dir / "big", "k=v\n" + std::string(1 << 20, '\x01'));
    std::vector<KeyValueLine> lines;
    EXPECT_TRUE(ReadKeyValueFile(dir / "big", &lines) && lines.size() == 1u);
    std::string text;
    WriteFile(dir / "first", std::string(2000, 'y')); // a first line holds at most 1023 bytes
    EXPECT_TRUE(ReadFirstLine(dir / "first", &text) && text == std::string(1023, 'y'));
}

// The new bytes exactly, or the old file and no temporary; a link at the temporary's name not followed.
TEST(StoreFiles, WriteFileSafely)
{
    TempDir dir;
    WriteFile(dir / "vok.cfg", "old content that is longer");
    ASSERT_TRUE(WriteFileSafely(dir / "vok.cfg", std::string("new\0bytes\r\n", 11)));
    EXPECT_EQ(ReadFile(dir / "vok.cfg"), std::string("new\0bytes\r\n", 11));

    WriteFile(dir / "outside", "keep");
    ASSERT_EQ(symlink((dir / "outside").c_str(), (dir / TemporaryOf("vok.ranking")).c_str()), 0);
    EXPECT_TRUE(WriteFileSafely(dir / "vok.ranking", "fav1=a\r\n") && ReadFile(dir / "outside") == "keep");

    MakeDir(dir / "busy/inner"); // then: no folder, a plain file as folder, the rename fails
    for (const char* path : {"nofolder/vok.cfg", "outside/vok.cfg", "busy"})
        EXPECT_FALSE(WriteFileSafely(dir / path, "x")) << path;

    // a write that fails part-way (file size limit reached after the first 4 KiB)
    WriteFile(dir / "vok.erience", "0123456789abcdef");
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    const struct rlimit small = {4096, saved.rlim_max};
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_FALSE(WriteFileSafely(dir / "vok.erience", std::string(10000, 'z')));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(ReadFile(dir / "vok.erience"), "0123456789abcdef");
    EXPECT_EQ(DirectoryOrder(dir.path(), IsSafeWriteTemporary), std::vector<std::string>{});
}

// Only regular files are read, never blocking; reads stop at their limit, losing a cut line.
TEST(StoreFiles, OnlyRegularFilesBoundedReads)
{
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", (dir / "zero").c_str()), 0);
    MakeDir(dir / "folder/inside");
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", (dir / "socket").c_str());
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    std::string bytes = "old";
    std::vector<KeyValueLine> lines;
    for (const char* name : {"fifo", "zero", "folder", "socket", "missing"}) {
        EXPECT_FALSE(ReadFileBytes(dir / name, &bytes, 100)) << name;
        EXPECT_TRUE(bytes.empty() && !ReadTextFile(dir / name, &bytes) && !ReadFirstLine(dir / name, &bytes)) << name;
        EXPECT_FALSE(ReadKeyValueFile(dir / name, &lines)) << name;
        EXPECT_EQ(ListFolder(dir / name).size(), std::string(name) == "folder" ? 1u : 0u) << name; // never opened as a file
    }
    close(sock);

    WriteFile(dir / "sparse", "k=v\n"); // 2 GB, sparse
    ASSERT_EQ(truncate((dir / "sparse").c_str(), 2000000000), 0);
    EXPECT_TRUE(ReadFileBytes(dir / "sparse", &bytes, 1600) && bytes.size() == 1600u);
    EXPECT_TRUE(ReadTextFile(dir / "sparse", &bytes) && bytes == "k=v\n"); // cut line dropped

    std::string text;
    for (size_t i = 0; text.size() < TextFileLimit + 100; ++i) text += "fav1=game" + std::to_string(i) + "\r\n";
    WriteFile(dir / "long", text);
    EXPECT_TRUE(ReadTextFile(dir / "long", &bytes));
    EXPECT_TRUE(bytes.size() <= TextFileLimit && bytes.size() > TextFileLimit - 20 && bytes.back() == '\n');
    EXPECT_EQ(text.compare(0, bytes.size(), bytes), 0);
}
