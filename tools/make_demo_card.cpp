// Writes a demo memory card to try the program on:
//
//   make_demo_card <folder>
//
// The folder becomes a store like the one under /mnt/sd/vok/: four players in four
// languages, each with four to eight games written as the games would write them, totals
// and rankings as the program computes them, one player whose update marker asks for a
// recomputation, and "activevok" selecting Anna. The folder is filled afresh each run, but
// only when it is new, empty or an earlier demo card (it holds the file ".vok-demo-card");
// anything else is refused and left alone.
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "frame/state.h"
#include "profile/avatar.h"
#include "profile/profile_file.h"
#include "store/game_files_writer.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/progress_writer.h"
#include "store/remove_tree.h"
#include "store/store_files.h"
#include "store/store_paths.h"
#include "tools/demo_content.h"
#include "tools/demo_icons.h"
#include "tools/latin1.h"

namespace fs = std::filesystem;

namespace {

const char MarkerName[] = ".vok-demo-card";
const std::time_t CardTime = 1714564800; // 1 May 2024, 12:00 UTC: completions are dated before it

struct Failure {
    std::string message;
};

// The card's texts are Latin-1; the sources are UTF-8.
std::string Latin1(const std::string& utf8)
{
    std::string latin1;
    if (!Utf8ToLatin1(utf8, &latin1)) throw Failure{ "not Latin-1: " + utf8 };
    return latin1;
}

// Makes `folder` a new or empty folder, clearing an earlier demo card; refuses anything else.
void PrepareFolder(const fs::path& folder)
{
    std::error_code error;
    fs::file_status status = fs::symlink_status(folder, error);
    if (status.type() == fs::file_type::not_found) {
        if (!fs::create_directories(folder, error)) throw Failure{ "cannot create " + folder.string() };
        return;
    }
    if (status.type() != fs::file_type::directory) throw Failure{ folder.string() + " is not a folder" };
    if (fs::is_empty(folder, error)) return;
    if (!fs::is_regular_file(fs::symlink_status(folder / MarkerName, error)))
        throw Failure{ folder.string() + " holds files but no earlier demo card; give a new or empty folder" };
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!RemoveTree(entry.path().string())) throw Failure{ "cannot remove " + entry.path().string() };
    }
}

void Check(bool ok, const std::string& what)
{
    if (!ok) throw Failure{ "cannot write " + what };
}

std::vector<AchievementTextSource> Texts(const DemoGame& game, int language)
{
    std::vector<AchievementTextSource> texts;
    for (size_t i = 0; i < game.achievements.size(); ++i) {
        const DemoText& text = game.achievements[i].text[language];
        AchievementTextSource source;
        source.id = int(i + 1);
        source.name = Latin1(text.name);
        source.description = Latin1(text.description);
        if (text.name.empty() || source.name.size() > 20 || source.description.size() > 100)
            throw Failure{ game.title + ": text " + std::to_string(i + 1) + " missing or too long in " +
                           DemoLanguageNames[language] };
        texts.push_back(source);
    }
    return texts;
}

bool Unlocked(const DemoPlay& play, size_t index)
{
    return play.unlocked == "*" || (index < play.unlocked.size() && play.unlocked[index] == '1');
}

void WriteTexts(const std::string& dir, const DemoGame& game)
{
    for (int language = 0; language < DemoLanguageCount; ++language) {
        if (game.languages & (1u << language))
            Check(WriteAchievementTexts(dir, Latin1(DemoLanguageNames[language]), Texts(game, language)), dir + " texts");
    }
    if (game.defaultLanguage >= 0) Check(WriteAchievementTexts(dir, "default", Texts(game, game.defaultLanguage)), dir + " texts");
    Check(WriteTextLanguageFile(dir, Latin1(DemoLanguageNames[game.textLanguage])), dir + "vok.lang");
}

void WriteIcons(const std::string& dir, const DemoGame& game)
{
    for (size_t i = 0; i < game.achievements.size(); ++i) {
        int id = int(i + 1);
        bool missing = false;
        for (int m : game.missingIcons) missing = missing || m == id;
        if (missing) continue;
        char emblem = game.emblems[i % game.emblems.size()];
        Check(WriteAchievementIcon(dir, id, demo_icons::AchievementIcon(game.theme[0], game.theme[1], emblem, int(i * 3 % 7))),
              dir + AchievementIconName(id));
    }
    Check(WriteGameIcon(dir, demo_icons::GameIcon(game.iconSize, game.theme[0], game.theme[1], game.gameEmblem)), dir + "vok.icon");
}

// The records and the summary that agrees with them; "vok.dat" dated when it was completed.
void WriteProgress(const std::string& dir, const DemoGame& game, const DemoPlay& play)
{
    std::vector<AchievementRecord> records;
    GameSummaryRecord summary = { 0, 0, 0, 0, play.favourite };
    for (size_t i = 0; i < game.achievements.size(); ++i) {
        const DemoAchievement& a = game.achievements[i];
        AchievementRecord record = { int(i + 1), a.points, a.hidden ? 1 : 0, Unlocked(play, i) ? 1 : 0 };
        records.push_back(record);
        summary.achievementCount += 1;
        summary.pointsPossible += a.points;
        summary.unlockedCount += record.unlocked;
        summary.pointsEarned += record.unlocked ? a.points : 0;
    }
    Check(WriteAchievementFile(dir + "vok.dat", records), dir + "vok.dat");
    Check(WriteSummaryFile(dir + "vok.summary", summary), dir + "vok.summary");
    struct timespec times[2];
    times[0].tv_sec = times[1].tv_sec = CardTime - std::time_t(play.daysAgo) * 86400;
    times[0].tv_nsec = times[1].tv_nsec = 0;
    utimensat(AT_FDCWD, (dir + "vok.dat").c_str(), times, 0);
}

void WriteGame(const std::string& playerDir, const DemoGame& game, const DemoPlay& play)
{
    const std::string dir = playerDir + game.folder + "/";
    Check(fs::create_directories(dir), dir);
    Check(WriteTitleFile(dir, Latin1(game.title), Latin1(game.author)), dir + "vok.title");
    WriteTexts(dir, game);
    WriteIcons(dir, game);
    WriteProgress(dir, game, play);
}

const DemoGame& FindGame(const std::vector<DemoGame>& games, const std::string& folder)
{
    for (const DemoGame& game : games)
        if (game.folder == folder) return game;
    throw Failure{ "no game " + folder };
}

// Totals and rankings exactly as the program computes them from the summaries.
void CacheTotals(const ProfileRecord& record)
{
    Profiles.push_back(new ProfileRecord(record));
    SelectedProfile = 0;
    RecomputeTotals();
    delete Profiles[0];
    Profiles.clear();
}

void WritePlayer(const std::string& root, const DemoPlayer& player, const std::vector<DemoGame>& games)
{
    ProfileRecord record;
    record.folder = MakeProfileFolderName(player.name);
    record.lang = Latin1(DemoLanguageNames[player.language]);
    record.name = Latin1(player.name);
    for (int part = 0; part < AvatarPartCount; ++part) record.*AvatarParts[part].field = player.avatar[part];
    const std::string dir = root + record.folder + "/";
    Check(fs::create_directories(dir), dir);
    Check(WriteFileSafely(dir + "vok.cfg", FormatProfileFile(record)), dir + "vok.cfg");
    for (const DemoPlay& play : player.plays)
        if (!play.afterCache) WriteGame(dir, FindGame(games, play.game), play);
    CacheTotals(record);
    for (const DemoPlay& play : player.plays)
        if (play.afterCache) WriteGame(dir, FindGame(games, play.game), play);
    if (player.updateMarker) Check(WriteUpdateMarker(dir), dir + "update");
}

void WriteCard(const fs::path& folder)
{
    PrepareFolder(folder);
    const std::string root = WithTrailingSlash(folder.string());
    Check(WriteFileSafely(root + MarkerName, "A demo card of vok, written by make_demo_card, which replaces it when run again.\n"),
          root + MarkerName);
    StoreRoot = root;
    const std::vector<DemoGame> games = DemoGames();
    const std::vector<DemoPlayer> players = DemoPlayers();
    for (const DemoPlayer& player : players) WritePlayer(root, player, games);
    Check(WriteFileSafely(root + "activevok", MakeProfileFolderName(players[0].name)), root + "activevok");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '\0' || std::string(argv[1]) == "--help") {
        std::cerr << "usage: make_demo_card <folder>   (a new, empty or earlier demo card folder)\n";
        return 2;
    }
    try {
        WriteCard(argv[1]);
    } catch (const Failure& failure) {
        std::cerr << "make_demo_card: " << failure.message << "\n";
        return 1;
    } catch (const fs::filesystem_error& error) {
        std::cerr << "make_demo_card: " << error.what() << "\n";
        return 1;
    }
    std::cout << "demo card written to " << argv[1] << "\n";
    return 0;
}
