// Fixtures of the store tests: a temporary card as StoreRoot, players and games on it.
#pragma once


#include "frame/state.h"
#include "graphics/media.h"
#include "screens/notices.h"
#include "store/profiles.h"
#include "tests/support/kit_support.h"
#include "store/ranking.h"
#include "store/store_files.h"
#include "tests/support/program_state.h"
#include "tests/support/test_support.h"

inline void ResetStore(const std::string& store) // the program's state as at start, on the card `store`
{
    ResetProgramState();
    StoreRoot = store;
}

struct TestCard { // a fresh card as StoreRoot for one test, the store emptied again at its end
    TempDir dir;
    std::string store = dir.store(); // ends with "/"
    TestCard() { ResetStore(store); }
    ~TestCard() { ResetProgramState(); }
    void Player(const std::string& folder, const std::string& text = "name=x\r\n") const // with vok.cfg
    {
        MakeDir(store + folder);
        WriteFile(store + folder + "/vok.cfg", text);
    }
    void Game(const std::string& player, const std::string& game, const GameSummaryRecord& summary) const
    { // the summary and a "vok.dat" of one record
        MakeDir(store + player + "/" + game);
        WriteSummary(store + player + "/" + game, summary);
        WriteRecords(store + player + "/" + game, {{1, 10, 0, 1}});
    }
};

inline int IndexOf(const std::string& folder) // in Profiles; -1 when not listed
{
    for (size_t i = 0; i < Profiles.size(); ++i)
        if (Profiles[i]->folder == folder) return int(i);
    return -1;
}

inline std::vector<std::string> DirectoryOrder(const std::string& folder, bool (*keep)(const std::string&))
{ // the entries `keep` accepts, in the order the directory returns them
    std::vector<std::string> kept;
    for (const std::string& name : ListFolder(folder))
        if (keep(name)) kept.push_back(name);
    return kept;
}

inline std::string Int32s(std::initializer_list<int> values) // little-endian, as the card keeps numbers
{
    std::string bytes;
    for (int value : values) AppendInt32(&bytes, value);
    return bytes;
}
inline std::string Totals(int unlocked, int achievements, int earned, int possible) // "vok.erience"
{
    return Int32s({unlocked, achievements, earned, possible});
}
inline std::string TotalsOf(const ProfileRecord& p) // as the record holds them
{
    return Totals(p.unlockedCount, p.achievementCount, p.pointsEarned, p.pointsPossible);
}

// Outside the card: a folder that looks like a player with one game (and, when `totalsDue`, its
// update marker), which nothing vok does may change.
struct Outside {
    std::string path;
    FileTree made;
    explicit Outside(const std::string& where, bool totalsDue = false) : path(where)
    {
        MakeDir(path + "/g");
        WriteFile(path + "/vok.cfg", "name=Out\r\n");
        if (totalsDue) WriteFile(path + "/update", "");
        WriteFile(path + "/g/vok.dat", std::string(16, '\1'));
        WriteFile(path + "/g/vok.summary", std::string(20, '\1'));
        made = ReadTree(path);
    }
    bool Intact() const { return ReadTree(path) == made; }
};
