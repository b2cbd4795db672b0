// The card library's readers and writers in the program's own types: bounded reads of regular
// files, little-endian 32-bit values, text lines, key "=" value lines, decimal numbers,
// crash-safe replacement and folder listings.
#ifndef VOK_STORE_STORE_FILES_H
#define VOK_STORE_STORE_FILES_H

#include <string>
#include <vector>
#include <SDL.h>

#include "card/card_files.h"
#include "card/card_format.h"

const size_t TextFileLimit = CARD_TEXT_FILE_LIMIT; // bytes of a text file read
const size_t MaxLineLength = CARD_MAX_LINE;        // a longer line ends the reading of a text file
const size_t MaxFolderEntries = CARD_MAX_FOLDER_ENTRIES; // entries of a folder listed

// The one file reader: at most the first `limit` bytes of `path`. The file is opened without
// blocking and read only when it is a regular file, so a FIFO, a device, a socket or a folder
// reads as missing (false), as does a file that cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string* bytes, size_t limit);
// A text file: its first TextFileLimit bytes, less a line cut by that limit; false as above.
bool ReadTextFile(const std::string& path, std::string* text);
// Signed little-endian 32-bit value starting at byte `offset` of `bytes` (the n-th value of
// a file is at offset 4 * n); 0 when those four bytes run past the end (short files).
Sint32 Int32At(const std::string& bytes, size_t offset);
// Appends `value` as four little-endian bytes.
void AppendInt32(std::string* bytes, Sint32 value);
// The 32 bits of `bits` read as two's complement, without the undefined conversion.
Sint32 WrapToSint32(Uint32 bits);

struct KeyValueLine {
    std::string key;   // text before the first "=" at index 1 or later
    std::string value; // text after that "=", trailing bytes of code 32 or less removed
};
// The one line reader: `text` split at "\n" (removed), up to its first line over
// MaxLineLength characters, which ends the reading there (the lines before it stay).
std::vector<std::string> SplitLines(const std::string& text);
// SplitLines, then each line split at its first "=" from the second character on; lines
// without such a "=" are skipped.
std::vector<KeyValueLine> ParseKeyValueLines(const std::string& text);
// The same from a text file; false when it reads as missing.
bool ReadKeyValueFile(const std::string& path, std::vector<KeyValueLine>* lines);
// The first line of a file without its "\n", at most MaxLineLength bytes, nothing else
// trimmed; false when it reads as missing.
bool ReadFirstLine(const std::string& path, std::string* line);
// The one number parser: `text` read as strtol does in base 10 (leading blanks, a sign,
// digits up to the first other character; no digits is 0), the magnitude held at `cap`
// so that a long run of digits cannot overflow.
long ReadDecimal(const std::string& text, long cap);

// Replaces `path` with `content` so that a power cut leaves the old file or the new one:
// a temporary beside it named for this process, every write checked, fsync, rename, fsync of
// the folder.
// False (old file intact, no temporary left) when any step fails.
bool WriteFileSafely(const std::string& path, const std::string& content);
// True for the temporary names WriteFileSafely uses, which readers must never take as data.
bool IsSafeWriteTemporary(const std::string& name);

// True when a file system entry exists at `path` (status query succeeds).
bool PathExists(const std::string& path);
// True when `path` names an entry of its folder, a dangling link included (never followed).
bool EntryExists(const std::string& path);
// Directory entry names in the order the system returns them, "." and ".." left out, at
// most MaxFolderEntries; none when `path` is no folder (it is never opened as a file) or when
// the listing fails part way.
std::vector<std::string> ListFolder(const std::string& path);

#endif
