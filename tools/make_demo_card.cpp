// Writes a demo memory card to try the program on:
//
//   make_demo_card <folder> [<content folder>]
//
// The folder becomes a store like the one under /mnt/sd/vok/, written as the games write it,
// through the game kit: the players and games of the content folder (data/demo/ by default:
// players.txt and one file per game in games/), totals and rankings as the program computes
// them, an update marker for a player who played after those were cached, and "activevok"
// selecting the first player. The folder is filled afresh each run, but only when it is new,
// empty or an earlier demo card (it holds the file ".vok-demo-card"); anything else is
// refused and left alone.
//
// A game's file (games/<game folder>.txt, UTF-8; "#" starts a comment line) has a first word
// per line: title, author; texts (the languages of its "vok.desc." files); default (the
// language written again as "vok.desc.default", or none); textlanguage (named in "vok.lang");
// emblems (letters cycled over the icons), emblem (that of "vok.icon"), iconsize (of
// "vok.icon"), theme (two RRGGBB tile colours), noicon (ids drawn without an icon), times (the
// game records when each achievement was unlocked). Then per achievement, ids counting from 1,
// "achievement POINTS [hidden]" followed by one line "LANGUAGE NAME | DESCRIPTION" per language
// and, for one the game counts towards, "target AMOUNT" (each player who has not unlocked it
// is part of the way there). players.txt describes its own lines.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "frame/state.h"
#include "profile/avatar.h"
#include "profile/profile_file.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/remove_tree.h"
#include "store/store_files.h"
#include "store/store_paths.h"
#include "tools/demo_icons.h"
#include "tools/latin1.h"
extern "C" {
#include "kit/vok_kit.h"
}

namespace fs = std::filesystem;

namespace {

const char MarkerName[] = ".vok-demo-card";
const std::time_t CardTime = 1714564800; // 1 May 2024, 12:00 UTC: completions are dated before it

struct Failure {
    std::string message;
};

struct DemoText {
    std::string name;        // UTF-8, as in the content files
    std::string description;
};

struct DemoAchievement {
    int points = 0;
    bool hidden = false;
    int target = 0; // progress recorded towards it while locked; 0: none
    std::map<std::string, DemoText> texts; // by language name
};

struct DemoGame {
    std::string folder;               // the content file's name: the game folder in every player's folder
    std::string title;
    std::string author;
    std::vector<std::string> languages; // one "vok.desc." file each
    std::string defaultLanguage;      // written again as "vok.desc.default"; "none": no default file
    std::string textLanguage;         // named in "vok.lang"
    std::string emblems;              // emblem letters cycled over the achievements (demo_icons.h)
    char gameEmblem = 'S';            // the emblem of "vok.icon"
    int iconSize = 24;                // "vok.icon" is this many pixels square
    unsigned theme[2] = { 0, 0 };     // tile colours, top and bottom
    std::vector<int> missingIcons;    // achievement ids without an icon file
    bool times = false;               // unlock times recorded
    std::vector<DemoAchievement> achievements; // id = position + 1
};

// One game as one player has played it.
struct DemoPlay {
    std::string game;      // DemoGame::folder
    std::string unlocked;  // "1" per unlocked achievement in id order, "0" or nothing after: locked; "*": all
    int favourite = 0;     // favourite score of the summary (minutes played)
    int daysAgo = 0;       // age of "vok.dat", which orders the completed games
    bool later = false;    // played after the cached totals: only the update marker tells
};

struct DemoPlayer {
    std::string name;
    std::string language;
    std::vector<std::string> avatar; // base, eyes, browns, nose, ears, mouth, facial, hair, tatoo, clothes
    std::vector<DemoPlay> plays;
};

// The card's texts are Latin-1; the sources are UTF-8.
std::string Latin1(const std::string& utf8)
{
    std::string latin1;
    if (!Utf8ToLatin1(utf8, &latin1)) throw Failure{ "not Latin-1: " + utf8 };
    return latin1;
}

// Lines of a content file: "#" comments and blank lines dropped, each line's first word
// and the rest after one blank; `where` names the file and line for messages.
struct ContentLine {
    std::string key, value, where;
};

std::vector<ContentLine> ReadContent(const fs::path& path)
{
    std::ifstream file(path);
    if (!file) throw Failure{ "cannot read " + path.string() };
    std::vector<ContentLine> lines;
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty() || text[0] == '#') continue;
        size_t blank = text.find(' ');
        ContentLine line;
        line.key = text.substr(0, blank);
        line.value = blank == std::string::npos ? std::string() : text.substr(blank + 1);
        line.where = path.string() + ":" + std::to_string(number);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

int Number(const ContentLine& line, const std::string& text, int base = 10)
{
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, base);
    if (text.empty() || *end != '\0' || value < 0 || value > 0xFFFFFF) throw Failure{ line.where + ": not a number: " + text };
    return int(value);
}

// "<language> <name> | <description>" inside an achievement.
void ReadText(const ContentLine& line, DemoGame* game)
{
    size_t bar = line.value.find(" | ");
    if (game->achievements.empty() || bar == std::string::npos)
        throw Failure{ line.where + ": expected \"achievement POINTS\" or \"LANGUAGE NAME | DESCRIPTION\"" };
    game->achievements.back().texts[line.key] = { line.value.substr(0, bar), line.value.substr(bar + 3) };
}

void ReadGameLine(const ContentLine& line, DemoGame* g)
{
    const std::vector<std::string> words = Words(line.value);
    if (line.key == "title") g->title = line.value;
    else if (line.key == "author") g->author = line.value;
    else if (line.key == "texts") g->languages = words;
    else if (line.key == "default") g->defaultLanguage = line.value;
    else if (line.key == "textlanguage") g->textLanguage = line.value;
    else if (line.key == "emblems") g->emblems = line.value;
    else if (line.key == "emblem" && line.value.size() == 1) g->gameEmblem = line.value[0];
    else if (line.key == "iconsize") g->iconSize = Number(line, line.value);
    else if (line.key == "theme" && words.size() == 2) {
        g->theme[0] = unsigned(Number(line, words[0], 16));
        g->theme[1] = unsigned(Number(line, words[1], 16));
    } else if (line.key == "noicon") {
        for (const std::string& word : words) g->missingIcons.push_back(Number(line, word));
    } else if (line.key == "times" && words.empty()) {
        g->times = true;
    } else if (line.key == "target" && words.size() == 1 && !g->achievements.empty()) {
        g->achievements.back().target = Number(line, words[0]);
    } else if (line.key == "achievement" && !words.empty() && words.size() <= 2) {
        DemoAchievement a;
        a.points = Number(line, words[0]);
        a.hidden = words.size() == 2;
        if (a.hidden && words[1] != "hidden") throw Failure{ line.where + ": \"hidden\" or nothing after the points" };
        g->achievements.push_back(a);
    } else {
        ReadText(line, g);
    }
}

DemoGame ReadGame(const fs::path& path)
{
    DemoGame game;
    game.folder = path.stem().string();
    for (const ContentLine& line : ReadContent(path)) ReadGameLine(line, &game);
    if (game.title.empty() || game.emblems.empty() || game.textLanguage.empty() || game.defaultLanguage.empty())
        throw Failure{ path.string() + ": needs title, emblems, textlanguage and default lines" };
    return game;
}

void ReadPlayerLine(const ContentLine& line, std::vector<DemoPlayer>* players)
{
    const std::vector<std::string> words = Words(line.value);
    if (line.key == "player") {
        players->push_back(DemoPlayer());
        players->back().name = line.value;
        return;
    }
    if (players->empty()) throw Failure{ line.where + ": \"player NAME\" comes first" };
    DemoPlayer& player = players->back();
    if (line.key == "language") {
        player.language = line.value;
    } else if (line.key == "avatar" && words.size() == size_t(AvatarPartCount)) {
        player.avatar = words;
    } else if (line.key == "play" && (words.size() == 4 || (words.size() == 5 && words[4] == "later"))) {
        DemoPlay play;
        play.game = words[0];
        play.unlocked = words[1];
        play.favourite = Number(line, words[2]);
        play.daysAgo = Number(line, words[3]);
        play.later = words.size() == 5;
        player.plays.push_back(play);
    } else {
        throw Failure{ line.where + ": expected language, avatar (ten parts) or play GAME UNLOCKED FAVOURITE DAYS [later]" };
    }
}

std::vector<DemoPlayer> ReadPlayers(const fs::path& path)
{
    std::vector<DemoPlayer> players;
    for (const ContentLine& line : ReadContent(path)) ReadPlayerLine(line, &players);
    for (const DemoPlayer& player : players)
        if (player.language.empty() || player.avatar.empty()) throw Failure{ path.string() + ": " + player.name + " needs language and avatar" };
    if (players.empty()) throw Failure{ path.string() + ": no player" };
    return players;
}

std::map<std::string, DemoGame> ReadGames(const fs::path& folder)
{
    std::map<std::string, DemoGame> games;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (entry.path().extension() == ".txt") {
            DemoGame game = ReadGame(entry.path());
            games[game.folder] = game;
        }
    if (games.empty()) throw Failure{ "no game in " + folder.string() };
    return games;
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

void Kit(int result, const std::string& what)
{
    if (result != VOK_OK) throw Failure{ what + ": " + VokErrorMessage() };
}

bool Unlocked(const DemoPlay& play, size_t index)
{
    return play.unlocked == "*" || (index < play.unlocked.size() && play.unlocked[index] == '1');
}

// When a game that records times had the achievement at `index` unlocked: steady times, a
// day and a few hours apart, ending on the day its "vok.dat" is dated; 0 (unknown) otherwise.
unsigned long UnlockTime(const DemoGame& game, const DemoPlay& play, size_t index)
{
    if (!game.times) return 0;
    const long days = play.daysAgo + long(game.achievements.size() - index);
    return static_cast<unsigned long>(CardTime - days * 86400 + long(index * 7 % 12) * 3600);
}

// How far a player has come towards a locked achievement: a steady share of the target that
// differs from one achievement and one player to the next, never all of it.
int PartOfTheWay(int target, const DemoPlay& play, size_t index)
{
    return int(static_cast<long long>(target) * ((index * 3 + size_t(play.favourite)) % 9 + 1) / 10);
}

// The achievements with their texts in every language the game ships and its default.
void DescribeAchievements(VokGame* kit, const DemoGame& game, const DemoPlay& play)
{
    std::vector<std::pair<std::string, std::string>> files; // kit language, content language
    for (const std::string& language : game.languages) files.push_back({ Latin1(language), language });
    if (game.defaultLanguage != "none") files.push_back({ "default", game.defaultLanguage });
    for (size_t i = 0; i < game.achievements.size(); ++i) {
        const DemoAchievement& a = game.achievements[i];
        const int id = int(i + 1);
        const std::string where = game.folder + " achievement " + std::to_string(id);
        Kit(VokDescribe(kit, id, a.points, a.hidden), where);
        if (Unlocked(play, i)) Kit(VokUnlockAt(kit, id, UnlockTime(game, play, i)), where);
        else if (a.target > 0) Kit(VokSetProgress(kit, id, PartOfTheWay(a.target, play, i), a.target), where);
        for (const auto& [kitLanguage, language] : files) {
            auto text = a.texts.find(language);
            if (text == a.texts.end()) throw Failure{ where + " has no text in " + language };
            Kit(VokSetText(kit, id, kitLanguage.c_str(), Latin1(text->second.name).c_str(),
                           Latin1(text->second.description).c_str()), where);
        }
    }
}

// The icons are drawn into `scratch` and handed to the kit as the game's own bitmaps.
void SetIcons(VokGame* kit, const DemoGame& game, const fs::path& scratch)
{
    for (size_t i = 0; i < game.achievements.size(); ++i) {
        int id = int(i + 1);
        bool missing = false;
        for (int m : game.missingIcons) missing = missing || m == id;
        if (missing) continue;
        const std::string path = (scratch / (game.folder + "-" + std::to_string(id) + ".bmp")).string();
        char emblem = game.emblems[i % game.emblems.size()];
        Check(WriteBmp24(path, demo_icons::AchievementIcon(game.theme[0], game.theme[1], emblem, int(i * 3 % 7))), path);
        Kit(VokSetIcon(kit, id, path.c_str()), game.folder);
    }
    const std::string path = (scratch / (game.folder + ".bmp")).string();
    Check(WriteBmp24(path, demo_icons::GameIcon(game.iconSize, game.theme[0], game.theme[1], game.gameEmblem)), path);
    Kit(VokSetIcon(kit, 0, path.c_str()), game.folder);
}

// One game recorded through the kit, "vok.dat" then dated when it was completed.
void WriteGame(const std::string& root, const std::string& player, const DemoGame& game, const DemoPlay& play,
               const fs::path& scratch)
{
    VokGame* kit = nullptr;
    Kit(VokOpenGame(root.c_str(), player.c_str(), game.folder.c_str(), &kit), game.folder);
    try {
        Kit(VokSetTitle(kit, Latin1(game.title).c_str(), Latin1(game.author).c_str()), game.folder);
        Kit(VokSetTextLanguage(kit, Latin1(game.textLanguage).c_str()), game.folder);
        DescribeAchievements(kit, game, play);
        SetIcons(kit, game, scratch);
        Kit(VokSetFavouriteScore(kit, play.favourite), game.folder);
        Kit(VokCommit(kit), game.folder);
    } catch (...) {
        VokCloseGame(kit);
        throw;
    }
    VokCloseGame(kit);
    struct timespec times[2];
    times[0].tv_sec = times[1].tv_sec = CardTime - std::time_t(play.daysAgo) * 86400;
    times[0].tv_nsec = times[1].tv_nsec = 0;
    utimensat(AT_FDCWD, (root + player + "/" + game.folder + "/vok.dat").c_str(), times, 0);
}

const DemoGame& FindGame(const std::map<std::string, DemoGame>& games, const std::string& folder)
{
    auto game = games.find(folder);
    if (game == games.end()) throw Failure{ "no game " + folder + " in the content's games/" };
    return game->second;
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

// The kit leaves the update marker after every game; the cached totals take it away again,
// so it stays only for a player with "later" plays.
void WritePlayer(const std::string& root, const DemoPlayer& player, const std::map<std::string, DemoGame>& games,
                 const fs::path& scratch)
{
    ProfileRecord record;
    record.folder = MakeProfileFolderName(player.name);
    record.lang = Latin1(player.language);
    record.name = Latin1(player.name);
    for (int part = 0; part < AvatarPartCount; ++part) record.*AvatarParts[part].field = player.avatar[part];
    const std::string dir = root + record.folder + "/";
    Check(fs::create_directories(dir), dir);
    Check(WriteFileSafely(dir + "vok.cfg", FormatProfileFile(record)), dir + "vok.cfg");
    for (const DemoPlay& play : player.plays)
        if (!play.later) WriteGame(root, record.folder, FindGame(games, play.game), play, scratch);
    CacheTotals(record);
    for (const DemoPlay& play : player.plays)
        if (play.later) WriteGame(root, record.folder, FindGame(games, play.game), play, scratch);
}

void WriteCard(const fs::path& folder, const fs::path& content)
{
    const std::map<std::string, DemoGame> games = ReadGames(content / "games");
    const std::vector<DemoPlayer> players = ReadPlayers(content / "players.txt");
    PrepareFolder(folder);
    const std::string root = WithTrailingSlash(folder.string());
    Check(WriteFileSafely(root + MarkerName, "A demo card of vok, written by make_demo_card, which replaces it when run again.\n"),
          root + MarkerName);
    StoreRoot = root;
    std::string scratchTemplate = (fs::temp_directory_path() / "vok-demo-icons-XXXXXX").string();
    if (!mkdtemp(scratchTemplate.data())) throw Failure{ "cannot make a scratch folder for the icons" };
    const fs::path scratch = scratchTemplate;
    try {
        for (const DemoPlayer& player : players) WritePlayer(root, player, games, scratch);
    } catch (...) {
        RemoveTree(scratch.string());
        throw;
    }
    RemoveTree(scratch.string());
    Check(WriteFileSafely(root + "activevok", MakeProfileFolderName(players[0].name)), root + "activevok");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || argv[1][0] == '\0' || std::string(argv[1]) == "--help") {
        std::cerr << "usage: make_demo_card <folder> [<content folder>]   (a new, empty or earlier demo card folder)\n";
        return 2;
    }
    try {
        WriteCard(argv[1], argc == 3 ? argv[2] : VOK_DEMO_CONTENT);
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
