// The SD-card package as a player installs it: unpacked as the card's game/vok, started by its menu
// entry from elsewhere (on the armel build under qemu-arm, through binfmt_misc).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>

#include "tests/support/screens_support.h"
#include "tests/support/test_support.h"

namespace {

// The values of vok.ini's `key="value"` lines, in order.
std::vector<std::pair<std::string, std::string>> IniValues(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find("=\"");
        if (equals != std::string::npos && line.size() > equals + 2 && line.back() == '"')
            values.push_back({line.substr(0, equals), line.substr(equals + 2, line.size() - equals - 3)});
    }
    return values;
}

} // namespace

TEST(Package, UnpackedItRunsFromTheMenuEntry)
{
    TempDir game, card, elsewhere;
    ASSERT_EQ(RunProgram(VOK_CMAKE_COMMAND, {"-E", "tar", "xf", BuildDir() + "/vok-sd-card.zip"}, game.path()).status, 0);
    const std::string vok = game / "vok";

    // The entry: the three keys the menu reads, every file it names inside the package.
    const auto values = IniValues(ReadFile(vok + "/vok.ini"));
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(ReadFile(vok + "/vok.ini").rfind("[info]\n", 0), 0u);
    EXPECT_EQ(values[0].first, "name");
    EXPECT_EQ(values[1], std::make_pair(std::string("path"), std::string("/game/vok/vok.gpe")));
    EXPECT_EQ(values[2].first, "icon");
    for (size_t i = 1; i < values.size(); ++i) {
        ASSERT_EQ(values[i].second.rfind("/game/vok/", 0), 0u) << values[i].second;
        EXPECT_TRUE(FileExists(game.path() + values[i].second.substr(5))) << values[i].second;
    }
    const std::string png = ReadFile(vok + "/vok.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x20\0\0\0\x20", 8)); // 32 x 32
    for (const char* file : {"vok", "readme.txt", "media/pfcb.ttf", "media/background.bmp", "lang"})
        EXPECT_TRUE(FileExists(vok + "/" + file)) << file;
    EXPECT_FALSE(FileExists(vok + "/lib")); // nothing bundled: the script runs without it
    struct stat status;
    ASSERT_EQ(stat((vok + "/vok").c_str(), &status), 0);
    EXPECT_TRUE(status.st_mode & S_IXUSR);

    // Started as the menu starts it: frames run, the player is remembered, the launcher takes over.
    WritePlayer(card.store(), {"vok_anna", "Anna"});
    WriteFile(elsewhere / "input.txt", "2 screenshot " + (elsewhere / "shot.bmp") + "\n");
    WriteFile(elsewhere / "menu.sh", "#!/bin/sh\npwd > '" + (elsewhere / "menu.txt") + "'\n");
    chmod((elsewhere / "menu.sh").c_str(), 0755);
    const VokRun run = RunProgram("/bin/sh", {vok + "/vok.gpe", "--store", card.path(), "--script",
                                              elsewhere / "input.txt", "--max-frames", "3", "--launcher",
                                              elsewhere / "menu.sh"}, elsewhere.path());
    EXPECT_EQ(run.status, 0) << run.err;
    uint32_t rgb = 0;
    EXPECT_TRUE(BmpPixel(elsewhere / "shot.bmp", 319, 239, &rgb)) << run.err;
    EXPECT_EQ(ReadFile(card / "activevok"), "vok_anna");
    EXPECT_EQ(ReadFile(elsewhere / "menu.txt"), elsewhere.path() + "\n");
}
