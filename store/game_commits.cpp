#include "store/game_commits.h"

#include <map>
#include <unistd.h>

#include "card/card_commit.h"
#include "card/card_format.h"
#include "store/store_files.h"
#include "store/store_folder.h"

bool ReadThroughJournals = false;

// While reading through journals: each file an unfinished commit replaces, by path, with the
// path of what replaces it. Empty in vok, which finishes the commits instead.
static std::map<std::string, std::string> JournalFiles;

static const int LockWait = 500; // milliseconds a committing game may hold vok up

static void RememberJournal(const std::string& gameFolder)
{
    CardJournal* journal = new CardJournal;
    if (CardReadJournal(gameFolder.c_str(), journal)) {
        for (int i = 0; i < journal->count; ++i) {
            const std::string temporary = gameFolder + journal->temporaries[i];
            if (PathExists(temporary)) JournalFiles[gameFolder + journal->targets[i]] = temporary;
        }
    }
    delete journal;
}

// True when the player folder of `gameFolder` (StoreRoot + player + "/" + game + "/") is a real
// folder of the store folder opened at start-up.
static bool InRealPlayerFolder(const std::string& gameFolder)
{
    if (gameFolder.compare(0, StoreRoot.size(), StoreRoot) != 0) return false;
    const std::string player = gameFolder.substr(StoreRoot.size(), gameFolder.find('/', StoreRoot.size()) - StoreRoot.size());
    int folder = OpenStoreFolderAt(player);
    if (folder < 0) return false;
    close(folder);
    return true;
}

bool HasUnfinishedCommit(const std::string& gameFolder)
{
    return PathExists(gameFolder + CARD_JOURNAL_FILE);
}

void FinishGameCommit(const std::string& gameFolder)
{
    if (!HasUnfinishedCommit(gameFolder)) return; // one status query: the usual case
    if (ReadThroughJournals) {
        RememberJournal(gameFolder);
        return;
    }
    if (!InRealPlayerFolder(gameFolder)) return; // a commit is never finished through a link or a lost card
    // a game committing right now finishes its own; a read-only card keeps it for later
    int lock = CardTryLockGame(gameFolder.c_str(), LockWait);
    if (lock < 0) return;
    CardFinishCommit(gameFolder.c_str());
    CardUnlockGame(lock);
}

std::string GameFileToRead(const std::string& path)
{
    if (JournalFiles.empty()) return path;
    std::map<std::string, std::string>::const_iterator found = JournalFiles.find(path);
    return found == JournalFiles.end() ? path : found->second;
}
