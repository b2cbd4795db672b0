// vok-card: shows and checks a copy of a card on a desktop, reading it with the program's own
// store code, so that it sees what vok would see. It never writes to the card.
//
//   vok-card show STORE [PLAYER [GAME]] [--reveal] [--json]
//   vok-card check STORE [--json]
//
// Exit status: 0 shown, or checked clean; 1 problems found; 2 bad usage (one line on stderr).
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "card/card_bitmap.h"
#include "card/card_format.h"
#include "card/card_progress.h"
#include "frame/state.h"
#include "graphics/media.h"
#include "profile/profile_file.h"
#include "screens/home_screen.h"
#include "store/active_profile.h"
#include "store/game_commits.h"
#include "store/game_files.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "store/store_paths.h"
#include "tools/latin1.h"

namespace {

const char Usage[] = "usage: vok-card show [--reveal] [--json] [--] STORE [PLAYER [GAME]] | vok-card check [--json] [--] STORE";

struct UsageError {
    std::string message;
};

struct Options {
    std::string command;
    std::vector<std::string> words; // STORE [PLAYER [GAME]]
    bool json = false;
    bool reveal = false;
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    bool optionsEnded = false; // after "--" every word is a name, even one starting with "-"
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const bool option = !optionsEnded && word.size() > 1 && word[0] == '-';
        if (option && word == "--") optionsEnded = true;
        else if (option && word == "--json") options.json = true;
        else if (option && word == "--reveal") options.reveal = true;
        else if (option) throw UsageError{ "unknown option " + word };
        else if (options.command.empty()) options.command = word;
        else options.words.push_back(word);
    }
    if (options.command != "show" && options.command != "check")
        throw UsageError{ options.command.empty() ? "no command given" : "unknown command " + options.command };
    const size_t most = options.command == "show" ? 3 : 1;
    if (options.words.empty() || options.words.size() > most) throw UsageError{ "wrong number of arguments" };
    if (options.command == "check" && options.reveal) throw UsageError{ "--reveal goes with show" };
    return options;
}

// ---- output ----

// The card's texts are Latin-1; the terminal and JSON want UTF-8.
std::string Json(const std::string& latin1)
{
    std::string out = "\"";
    for (char c : Latin1ToUtf8(latin1)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Json(int value) { return std::to_string(value); }
std::string Json(bool value) { return value ? "true" : "false"; }

// A JSON object written field by field, in order.
class JsonObject {
public:
    template <typename T> JsonObject& Field(const std::string& key, const T& value)
    {
        return Raw(key, Json(value));
    }
    JsonObject& Raw(const std::string& key, const std::string& json)
    {
        text_ += (text_.empty() ? "{" : ", ") + Json(key) + ": " + json;
        return *this;
    }
    std::string Text() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string text_;
};

std::string JsonList(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
    return out + "]";
}

std::vector<std::string> JsonStrings(const std::vector<RankEntry>& list)
{
    std::vector<std::string> items;
    for (const RankEntry& entry : list) items.push_back(Json(entry.gameFolder));
    return items;
}

// ---- the card as vok reads it ----

std::string Root(const std::string& store)
{
    struct stat status;
    if (stat(store.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) throw UsageError{ "no store folder at " + store };
    return WithTrailingSlash(store);
}

void OpenCard(const std::string& root)
{
    StoreRoot = root;
    ReadThroughJournals = true; // an unfinished commit is shown as vok will show it once finished
    ScanProfiles();
}

// Selects a player by folder ("vok_anna") or display name in any letter case, given in UTF-8
// or Latin-1; usage error when none matches.
void SelectPlayer(const std::string& wanted)
{
    std::string latin1;
    if (!Utf8ToLatin1(wanted, &latin1)) latin1 = wanted;
    for (const std::string& name : { wanted, latin1 })
        for (size_t i = 0; i < Profiles.size(); ++i)
            if (Profiles[i]->folder == name || CardSameIgnoringCase(Profiles[i]->name.c_str(), name.c_str())) {
                SelectedProfile = int(i);
                return;
            }
    throw UsageError{ "no player " + wanted + " on the card" };
}

// The totals and rankings vok shows for the selected player: recomputed when the update
// marker asks for it (without writing anything), else the cached ones.
void LoadShownTotals()
{
    if (HasUpdateMarker()) {
        ComputeTotals();
        return;
    }
    LoadTotals();
    std::string text;
    FavouriteList.clear();
    CompletedList.clear();
    if (ReadTextFile(ProfilePath(*CurrentProfile(), CARD_RANKING_FILE), &text)) ParseRanking(text);
}

void SelectGame(const std::string& wanted)
{
    ListGames();
    for (size_t i = 0; i < GameFolders.size(); ++i)
        if (GameFolders[i] == wanted) {
            SelectedGame = int(i);
            return;
        }
    throw UsageError{ "no game " + wanted + " for " + CurrentProfile()->folder };
}

void LoadGame()
{
    GameTitle.clear();
    GameAuthor.clear(); // vok would keep the previous game's; a card tool shows the file alone
    LoadGameSummary();
    LoadGameInfo(&Achievements);
    LoadAchievementTexts();
}

// ---- show ----

std::string Pair(int a, int b) { return std::to_string(a) + "/" + std::to_string(b); }

JsonObject PlayerJson(const ProfileRecord& p)
{
    JsonObject o;
    o.Field("folder", p.folder).Field("name", p.name).Field("language", p.lang);
    o.Field("unlockedCount", p.unlockedCount).Field("achievementCount", p.achievementCount);
    o.Field("pointsEarned", p.pointsEarned).Field("pointsPossible", p.pointsPossible);
    o.Field("stars", StarCount(p.pointsEarned, p.pointsPossible)).Field("updatePending", HasUpdateMarker() != 0);
    o.Raw("favourites", JsonList(JsonStrings(FavouriteList))).Raw("completed", JsonList(JsonStrings(CompletedList)));
    return o;
}

std::string PlayerText(const ProfileRecord& p)
{
    std::string names[2];
    for (int f = 0; f < 2; ++f)
        for (const RankEntry& e : f ? CompletedList : FavouriteList) names[f] += " " + e.gameFolder;
    return Latin1ToUtf8(p.folder + "  " + p.name + "  (" + p.lang + ")  achievements " + Pair(p.unlockedCount, p.achievementCount) +
                "  points " + Pair(p.pointsEarned, p.pointsPossible) + "  stars " +
                std::to_string(StarCount(p.pointsEarned, p.pointsPossible)) + (HasUpdateMarker() ? "  (update pending)" : "") +
                "\n  favourites:" + names[0] + "\n  completed:" + names[1] + "\n");
}

void ShowPlayers(bool json)
{
    std::vector<std::string> items;
    for (SelectedProfile = 0; SelectedProfile < int(Profiles.size()); ++SelectedProfile) {
        LoadShownTotals();
        if (json) items.push_back(PlayerJson(*CurrentProfile()).Text());
        else std::cout << PlayerText(*CurrentProfile());
    }
    if (json) std::cout << JsonObject().Raw("players", JsonList(items)).Text() << "\n";
    else if (Profiles.empty()) std::cout << "no players\n";
}

JsonObject GameJson()
{
    JsonObject o;
    o.Field("folder", *CurrentGameFolder()).Field("title", GameTitle).Field("author", GameAuthor);
    o.Field("unlockedCount", GameSummary.unlockedCount).Field("achievementCount", GameSummary.achievementCount);
    o.Field("pointsEarned", GameSummary.pointsEarned).Field("pointsPossible", GameSummary.pointsPossible);
    o.Field("favouriteScore", GameSummary.favouriteScore);
    return o;
}

void ShowPlayer(bool json)
{
    LoadShownTotals();
    ListGames();
    std::vector<std::string> items;
    std::ostringstream text;
    for (SelectedGame = 0; SelectedGame < int(GameFolders.size()); ++SelectedGame) {
        LoadGame();
        if (json) items.push_back(GameJson().Text());
        text << Latin1ToUtf8(*CurrentGameFolder() + "  " + GameTitle + " by " + GameAuthor + "  achievements " +
                     Pair(GameSummary.unlockedCount, GameSummary.achievementCount) + "  points " +
                     Pair(GameSummary.pointsEarned, GameSummary.pointsPossible))
             << "\n";
    }
    if (json) std::cout << PlayerJson(*CurrentProfile()).Raw("games", JsonList(items)).Text() << "\n";
    else std::cout << PlayerText(*CurrentProfile()) << text.str();
}

const AchievementText* TextOf(int id)
{
    for (const AchievementText& text : AchievementTexts)
        if (text.id == id) return &text;
    return 0;
}

// ---- progress and unlock times (vok.progress) ----

std::string IsoTime(unsigned long seconds)
{
    char text[32];
    CardIsoTime(seconds, text);
    return text;
}

// The JSON fields of an achievement's vok.progress record: the raw numbers and the time in
// ISO 8601 UTC (null when unknown). None for a masked hidden achievement.
void AddProgressJson(JsonObject* o, const AchievementRecord& r, bool masked)
{
    if (masked) return;
    const CardProgress p = ProgressOf(r.id);
    o->Field("current", p.current).Field("target", p.target).Raw("unlockedAt", std::to_string(p.unlockedAt));
    o->Raw("unlockedAtUtc", p.unlockedAt ? Json(IsoTime(p.unlockedAt)) : "null");
}

// What the game screen shows of it, as text: the unlock time of an unlocked achievement, or
// the progress of a locked one with a target (current held to 0..target, as the bar shows).
std::string ProgressText(const AchievementRecord& r, bool masked)
{
    const CardProgress p = ProgressOf(r.id);
    if (masked) return "";
    if (r.unlocked && p.unlockedAt) return "  [unlocked " + IsoTime(p.unlockedAt) + "]";
    if (!r.unlocked && p.target > 0) return "  [progress " + std::to_string(CardProgressShown(&p)) + "/" + std::to_string(p.target) + "]";
    return "";
}

void ShowGame(bool json, bool reveal)
{
    LoadGame();
    std::vector<std::string> items;
    std::ostringstream text;
    for (const AchievementRecord& r : Achievements) {
        const AchievementText* t = TextOf(r.id);
        const bool masked = r.hidden && !r.unlocked && !reveal;
        const std::string name = t ? t->name : "", description = t ? t->description : "";
        JsonObject o;
        o.Field("id", r.id).Field("unlocked", r.unlocked != 0).Field("points", r.points).Field("hidden", r.hidden != 0);
        // masked texts are absent, not a placeholder a program could take for a name
        if (masked) o.Raw("name", "null").Raw("description", "null");
        else o.Field("name", name).Field("description", description);
        AddProgressJson(&o, r, masked);
        items.push_back(o.Text());
        text << Latin1ToUtf8(std::to_string(r.id) + (r.unlocked ? "  unlocked  " : "  locked    ") + std::to_string(r.points) +
                     "  " + (masked ? "(hidden)" : name + (description.empty() ? "" : ": " + description)))
             << ProgressText(r, masked) << "\n";
    }
    if (json) std::cout << GameJson().Raw("achievements", JsonList(items)).Text() << "\n";
    else std::cout << Latin1ToUtf8(GameTitle + " by " + GameAuthor) << "\n" << text.str();
}

int Show(const Options& options)
{
    OpenCard(Root(options.words[0]));
    if (options.words.size() == 1) {
        ShowPlayers(options.json);
        return 0;
    }
    SelectPlayer(options.words[1]);
    if (options.words.size() == 2) {
        ShowPlayer(options.json);
        return 0;
    }
    LoadShownTotals();
    SelectGame(options.words[2]);
    ShowGame(options.json, options.reveal);
    return 0;
}

// ---- check ----

struct Problem {
    std::string path; // inside the store
    std::string text;
};

class Checker {
public:
    explicit Checker(const std::string& root) : root_(root) {}
    const std::vector<Problem>& Problems() const { return problems_; }
    const std::vector<Problem>& Notes() const { return notes_; }
    void Card();

private:
    void Report(const std::string& path, const std::string& text) { problems_.push_back({ path, text }); }
    void Note(const std::string& path, const std::string& text) { notes_.push_back({ path, text }); }
    // What to read for a path inside the store: an unfinished commit's new file in its place.
    std::string Read(const std::string& path) const { return GameFileToRead(root_ + path); }
    // The status of an entry; false when missing. Reports one that is not a regular file.
    bool Regular(const std::string& path, long long* size = nullptr);
    void RootEntry(const std::string& name);
    void ActivePlayer();
    void Player(const ProfileRecord& player);
    void PlayerEntry(const std::string& player, const std::string& name);
    void Totals(const ProfileRecord& player);
    void Game(const std::string& player, const std::string& game);
    std::vector<AchievementRecord> Records(const std::string& game);
    void Summary(const std::string& game, const std::vector<AchievementRecord>& records);
    void Texts(const std::string& game, const std::vector<AchievementRecord>& records);
    void TextFile(const std::string& path, const std::vector<AchievementRecord>& records);
    void Title(const std::string& game);
    void Icons(const std::string& game, const std::vector<AchievementRecord>& records);
    void Icon(const std::string& path);
    void Progress(const std::string& game, const std::vector<AchievementRecord>& records);

    std::string root_;
    std::vector<Problem> problems_;
    std::vector<Problem> notes_; // what vok handles itself: not problems
};

bool IsFolder(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool Checker::Regular(const std::string& path, long long* size)
{
    struct stat status;
    if (stat(Read(path).c_str(), &status) != 0) return false;
    if (!S_ISREG(status.st_mode)) {
        Report(path, "is not a regular file; vok cannot read it");
        return false;
    }
    if (size) *size = static_cast<long long>(status.st_size);
    return true;
}

void Checker::Card()
{
    for (const std::string& name : ListFolder(root_))
        if (name != "." && name != "..") RootEntry(name);
    ActivePlayer();
    for (SelectedProfile = 0; SelectedProfile < int(Profiles.size()); ++SelectedProfile) Player(*CurrentProfile());
}

// A snapshot vok saved into the store: the player's folder name and ".bmp", a regular file.
bool IsSnapshot(const std::string& name, bool folder)
{
    return !folder && name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0;
}

// Folders under the store that vok never lists as players, and why. vok's own files (its
// working names, snapshots) are no problem.
void Checker::RootEntry(const std::string& name)
{
    const bool folder = IsFolder(root_ + name);
    if (CardIsWorkingName(name.c_str()) || IsSnapshot(name, folder)) {
        return;
    } else if (CardIsPlayerFolder(name.c_str())) {
        if (!folder) Report(name, "is not a folder, so it is no player; vok ignores it");
        else if (!PathExists(root_ + name + "/" CARD_PROFILE_FILE)) Report(name, "has no vok.cfg, so it is no player; vok ignores it");
        else Regular(name + "/" CARD_PROFILE_FILE);
    } else if (folder && PathExists(root_ + name + "/" CARD_PROFILE_FILE)) {
        Report(name, "holds a vok.cfg but its name does not begin with \"vok_\" (case matters); vok ignores it");
    }
}

void Checker::ActivePlayer()
{
    std::string line;
    if (!Regular("activevok") || !ReadFirstLine(root_ + "activevok", &line)) return;
    for (const ProfileRecord* p : Profiles)
        if (p->folder == line) return;
    Report("activevok", "names \"" + line + "\", which is no player; vok selects the last player listed instead");
}

void Checker::Player(const ProfileRecord& player)
{
    for (const std::string& name : ListFolder(root_ + player.folder))
        if (IsGameFolderCandidate(name)) PlayerEntry(player.folder, name);
    Totals(player);
}

void Checker::PlayerEntry(const std::string& player, const std::string& name)
{
    const std::string path = player + "/" + name;
    if (!IsFolder(root_ + path)) {
        if (name == CARD_TOTALS_FILE || name == CARD_RANKING_FILE || name == CARD_UPDATE_MARKER || name == CARD_PROFILE_FILE)
            Regular(path);
        return;
    }
    FinishGameCommit(root_ + path + "/"); // read through an unfinished commit, never finishing it
    if (HasUnfinishedCommit(root_ + path + "/"))
        Note(path, "holds a commit a cut or a kill stopped; shown as vok shows it once it finishes the commit");
    if (PathExists(Read(path + "/" CARD_SUMMARY_FILE)) && !CardIsRankableName(name.c_str()))
        Report(path, "has a name that ends in a blank or holds a line feed: it counts in the totals but vok never ranks it");
    // a folder without either file is a game not yet made (or no game): vok ignores it, harmlessly
    if (PathExists(Read(path + "/" CARD_RECORDS_FILE))) Game(player, name);
    else if (PathExists(Read(path + "/" CARD_SUMMARY_FILE)))
        Report(path, "has vok.summary but no vok.dat: its counts enter the totals, but vok does not list the game");
}

std::string TotalsText(const ProfileRecord& p)
{
    return std::to_string(p.unlockedCount) + ", " + std::to_string(p.achievementCount) + ", " +
           std::to_string(p.pointsEarned) + ", " + std::to_string(p.pointsPossible);
}

// The cached totals and ranking against a fresh recomputation; with the update marker vok
// recomputes them itself at the next start, so a difference is then expected.
void Checker::Totals(const ProfileRecord& player)
{
    const std::string totals = player.folder + "/vok.erience", ranking = player.folder + "/vok.ranking";
    long long size = 0;
    if (Regular(totals, &size) && size < 16) Report(totals, "is cut short (" + std::to_string(size) + " of 16 bytes); the missing totals read as 0");
    if (HasUpdateMarker()) return;
    LoadTotals();
    ProfileRecord cached = player;
    std::string cachedRanking;
    if (Regular(ranking)) ReadTextFile(root_ + ranking, &cachedRanking);
    ComputeTotals();
    const ProfileRecord& fresh = *CurrentProfile();
    if (TotalsText(cached) != TotalsText(fresh))
        Report(totals, "holds totals " + TotalsText(cached) + " but the games add up to " + TotalsText(fresh) +
                           "; vok shows the stale ones until a game leaves the update marker");
    if (cachedRanking != FormatRanking())
        Report(ranking, "differs from the ranking the games give; vok shows the stale one until a game leaves the update marker");
}

void Checker::Game(const std::string& player, const std::string& name)
{
    const std::string game = player + "/" + name + "/";
    const std::vector<AchievementRecord> records = Records(game);
    Summary(game, records);
    Texts(game, records);
    Title(game);
    Icons(game, records);
    Progress(game, records);
}

std::vector<AchievementRecord> Checker::Records(const std::string& game)
{
    const std::string path = game + CARD_RECORDS_FILE;
    std::string bytes;
    if (!Regular(path) || !ReadFileBytes(Read(path), &bytes, MaxAchievementRecords * AchievementRecordSize)) return {};
    if (bytes.size() % 16) Report(path, "is cut mid-record: its last " + std::to_string(bytes.size() % 16) + " bytes are ignored");
    const std::vector<AchievementRecord> records = ParseAchievementRecords(bytes);
    std::set<int> seen;
    for (const AchievementRecord& r : records) {
        if (r.id < 1 || r.id > 50) Report(path, "holds achievement id " + std::to_string(r.id) + ", outside 1 to 50");
        else if (!seen.insert(r.id).second) Report(path, "holds achievement id " + std::to_string(r.id) + " twice");
    }
    return records;
}

std::string SummaryText(const GameSummaryRecord& s)
{
    return Pair(s.unlockedCount, s.achievementCount) + " achievements, " + Pair(s.pointsEarned, s.pointsPossible) + " points";
}

void Checker::Summary(const std::string& game, const std::vector<AchievementRecord>& records)
{
    const std::string path = game + CARD_SUMMARY_FILE;
    std::string bytes;
    long long size = 0;
    if (!Regular(path, &size)) {
        if (!PathExists(Read(path))) Report(path, "is missing: the game adds nothing to the totals and the rankings");
        return;
    }
    ReadFileBytes(Read(path), &bytes, CARD_SUMMARY_SIZE);
    if (size < CARD_SUMMARY_SIZE) Report(path, "is cut short (" + std::to_string(size) + " of 20 bytes); the missing values read as 0");
    const GameSummaryRecord summary = ParseSummary(bytes);
    GameSummaryRecord counted;
    CardCountSummary(records.data(), int(records.size()), summary.favouriteScore, &counted); // as the kit counts it
    if (SummaryText(summary) != SummaryText(counted))
        Report(path, "says " + SummaryText(summary) + " but vok.dat holds " + SummaryText(counted));
}

void Checker::Texts(const std::string& game, const std::vector<AchievementRecord>& records)
{
    std::vector<std::string> files;
    for (const std::string& name : ListFolder(root_ + game))
        if (name.compare(0, 9, CARD_TEXTS_PREFIX) == 0) files.push_back(name);
    std::sort(files.begin(), files.end()); // the report in a steady order; vok itself never lists them
    for (const std::string& file : files) TextFile(game + file, records);
    std::string language;
    const bool named = Regular(game + CARD_TEXT_LANGUAGE_FILE) && ReadFirstLine(Read(game + CARD_TEXT_LANGUAGE_FILE), &language);
    if (files.empty()) Report(game, "has no text file (vok.desc.<language>): vok shows its achievements without names");
    else if (!PathExists(Read(game + CARD_TEXTS_PREFIX CARD_DEFAULT_LANGUAGE)) && !PathExists(Read(game + CARD_TEXTS_PREFIX + language)))
        Report(game + (named ? "vok.lang" : ""), named ? "names " + language + ", which has no vok.desc." + language +
                       ", and there is no vok.desc.default: players of other languages see no names"
                                                : "has neither vok.lang nor vok.desc.default: players of other languages see no names");
}

void Checker::TextFile(const std::string& path, const std::vector<AchievementRecord>& records)
{
    std::string bytes;
    if (!Regular(path) || !ReadFileBytes(Read(path), &bytes, MaxAchievementRecords * AchievementTextSize)) return;
    if (bytes.size() % 128) Report(path, "is cut mid-record: its last " + std::to_string(bytes.size() % 128) + " bytes are ignored");
    std::set<int> texts;
    for (size_t offset = 0; offset + 128 <= bytes.size(); offset += 128) {
        const int id = Int32At(bytes, offset);
        texts.insert(id);
        // a complemented NUL is 0xFF; a field without one loses its last byte in vok
        if (bytes.find('\xFF', offset + 4) >= offset + 25)
            Report(path, "the name of achievement " + std::to_string(id) + " fills its field with no terminator; vok cuts its last byte");
        if (bytes.find('\xFF', offset + 25) >= offset + 126)
            Report(path, "the description of achievement " + std::to_string(id) + " fills its field with no terminator; vok cuts its last byte");
    }
    for (const AchievementRecord& r : records)
        if (!texts.count(r.id)) Report(path, "has no text for achievement " + std::to_string(r.id) + ", which vok shows without a name");
}

void Checker::Title(const std::string& game)
{
    const std::string path = game + CARD_TITLE_FILE;
    std::vector<KeyValueLine> lines;
    if (!Regular(path)) {
        if (!PathExists(Read(path))) Report(path, "is missing: vok shows the previous game's title and author");
        return;
    }
    ReadKeyValueFile(Read(path), &lines);
    for (const char* key : { CARD_TITLE_KEY, CARD_AUTHOR_KEY }) {
        bool found = false;
        for (const KeyValueLine& line : lines) found = found || line.key == key;
        if (!found) Report(path, std::string("has no ") + key + " line: vok shows the previous game's " + key);
    }
}

void Checker::Icons(const std::string& game, const std::vector<AchievementRecord>& records)
{
    for (const AchievementRecord& r : records)
        if (r.id >= 1 && r.id <= 50) Icon(game + AchievementIconName(r.id));
    Icon(game + CARD_GAME_ICON_FILE);
}

void Checker::Icon(const std::string& path)
{
    std::string bytes;
    if (!Regular(path) || !ReadFileBytes(Read(path), &bytes, CARD_MAX_BITMAP_FILE)) return;
    CardBitmapHeader header;
    const int problem = CardCheckBitmap(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &header);
    if (problem != CARD_BITMAP_OK) {
        Report(path, std::string("is not a bitmap vok loads (it ") + CardBitmapProblemText(problem) + "); vok draws nothing in its place");
        return;
    }
    if (!CardIsIconSize(&header))
        Report(path, "is " + std::to_string(header.width) + " x " + std::to_string(std::abs(header.height)) +
                         " pixels, larger than the 24 x 24 vok shows whole");
}

// vok.progress: what vok would ignore, hold or show differently from what the game meant.
void Checker::Progress(const std::string& game, const std::vector<AchievementRecord>& records)
{
    const std::string path = game + CARD_PROGRESS_FILE;
    const size_t limit = MaxAchievementRecords * CARD_PROGRESS_RECORD_SIZE;
    std::string bytes;
    long long size = 0;
    if (!Regular(path, &size) || !ReadFileBytes(Read(path), &bytes, limit)) return;
    if (size > static_cast<long long>(limit))
        Report(path, "holds " + std::to_string(size) + " bytes; vok reads only the first " + std::to_string(MaxAchievementRecords) + " records");
    else if (size % CARD_PROGRESS_RECORD_SIZE)
        Report(path, "is cut mid-record: its last " + std::to_string(size % CARD_PROGRESS_RECORD_SIZE) + " bytes are ignored");
    std::map<int, const AchievementRecord*> described;
    for (const AchievementRecord& r : records) described.insert({ r.id, &r });
    const unsigned long now = static_cast<unsigned long>(std::time(nullptr));
    std::set<int> seen;
    for (const CardProgress& p : ParseAchievementProgress(bytes)) {
        const std::string id = std::to_string(p.id);
        if (!seen.insert(p.id).second) Report(path, "holds achievement " + id + " twice; vok takes the later record");
        const auto found = described.find(p.id);
        if (found == described.end()) {
            Report(path, "holds achievement " + id + ", which vok.dat does not describe; vok ignores it");
            continue;
        }
        if (p.current < 0 || p.target < 0)
            Report(path, "achievement " + id + " has a negative progress (" + std::to_string(p.current) + " of " + std::to_string(p.target) + ")");
        if (p.current > p.target && p.target > 0)
            Report(path, "achievement " + id + " has progress " + std::to_string(p.current) + " above its target " +
                             std::to_string(p.target) + "; vok shows it held at the target");
        if (p.unlockedAt && !found->second->unlocked)
            Report(path, "achievement " + id + " is locked but has an unlock time (" + IsoTime(p.unlockedAt) + "); vok shows no date");
        if (p.unlockedAt > now)
            Report(path, "achievement " + id + " was unlocked in the future (" + IsoTime(p.unlockedAt) + ")");
    }
}

int Check(const Options& options)
{
    const std::string root = Root(options.words[0]);
    OpenCard(root);
    Checker checker(root);
    checker.Card();
    const std::vector<Problem>& problems = checker.Problems();
    if (options.json) {
        std::vector<std::string> items, notes;
        for (const Problem& p : problems) items.push_back(JsonObject().Field("path", p.path).Field("problem", p.text).Text());
        for (const Problem& n : checker.Notes()) notes.push_back(JsonObject().Field("path", n.path).Field("note", n.text).Text());
        std::cout << JsonObject().Field("clean", problems.empty()).Raw("problems", JsonList(items)).Raw("notes", JsonList(notes)).Text()
                  << "\n";
    } else {
        for (const Problem& n : checker.Notes()) std::cout << Latin1ToUtf8("note: " + n.path + ": " + n.text) << "\n";
        for (const Problem& p : problems) std::cout << Latin1ToUtf8(p.path + ": " + p.text) << "\n";
        std::cout << (problems.empty() ? std::string("clean") : std::to_string(problems.size()) + " problems") << "\n";
    }
    return problems.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const Options options = ParseOptions(argc, argv);
        return options.command == "show" ? Show(options) : Check(options);
    } catch (const UsageError& error) {
        std::cerr << "vok-card: " << error.message << " (" << Usage << ")\n";
        return 2;
    }
}
