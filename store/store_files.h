// The few ways the store reads and writes files, in one place: whole files as bytes,
// little-endian 32-bit values, key "=" value text lines, and crash-safe replacement.
#ifndef VOK_STORE_STORE_FILES_H
#define VOK_STORE_STORE_FILES_H

#include <string>
#include <vector>
#include <SDL.h>

// Reads the whole file, or its first `limit` bytes; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string* bytes, size_t limit = static_cast<size_t>(-1));
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
// Splits `text` into lines at "\n" and each line at its first "=" from the second
// character on; lines without such a "=" are skipped; a line over 1023 characters ends
// the reading there (the lines before it stay).
std::vector<KeyValueLine> ParseKeyValueLines(const std::string& text);
// The same from a file; false when it cannot be opened.
bool ReadKeyValueFile(const std::string& path, std::vector<KeyValueLine>* lines);
// The text of a key "=" value file, read no further than its first overlong line;
// false when it cannot be opened.
bool ReadKeyValueText(const std::string& path, std::string* text);
// The first line of a file without its "\n", at most 1023 bytes, nothing else trimmed;
// false when it cannot be opened.
bool ReadFirstLine(const std::string& path, std::string* line);

// Replaces `path` with `content` so that a power cut leaves the old file or the new one:
// a temporary file beside it, every write checked, fsync, rename, fsync of the folder.
// False (old file intact, no temporary left) when any step fails.
bool WriteFileSafely(const std::string& path, const std::string& content);
// True for the temporary names WriteFileSafely uses, which readers must never take as data.
bool IsSafeWriteTemporary(const std::string& name);

// True when a file system entry exists at `path` (status query succeeds).
bool PathExists(const std::string& path);
// Directory entry names in the order the system returns them, "." and ".." included; empty
// (with a line on standard error when the listing fails part way) when it cannot be listed.
std::vector<std::string> ListFolder(const std::string& path);

#endif
