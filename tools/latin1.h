// UTF-8 to Latin-1 and back, for the tools: our UTF-8 sources become the texts the program
// shows (the font renders Latin-1) in the language files and on the demo card; vok-card shows
// a card's Latin-1 texts on a UTF-8 terminal.
#ifndef VOK_TOOLS_LATIN1_H
#define VOK_TOOLS_LATIN1_H

#include <cstdio>
#include <string>

// Decodes the UTF-8 sequence at *at and advances past it; -1 for a malformed one, an
// overlong form included (it hides a character).
inline long DecodeUtf8(const std::string& text, size_t* at)
{
    const unsigned char lead = static_cast<unsigned char>(text[*at]);
    int extra = 0;
    long code = lead;
    if (lead >= 0x80) {
        extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0) {
            ++*at;
            return -1;
        }
        code = lead & (0x3F >> extra);
    }
    ++*at;
    for (int i = 0; i < extra; ++i, ++*at) {
        if (*at >= text.size()) return -1;
        const unsigned char next = static_cast<unsigned char>(text[*at]);
        if ((next & 0xC0) != 0x80) return -1;
        code = (code << 6) | (next & 0x3F);
    }
    static const long smallest[] = {0, 0x80, 0x800, 0x10000};
    return code < smallest[extra] ? -1 : code;
}

// `utf8` as Latin-1 in *latin1. False at the first sequence that is malformed or outside
// Latin-1: *problem then says which ("malformed UTF-8", "character U+20AC is not in Latin-1")
// and *at is the byte offset where that sequence starts.
inline bool Utf8ToLatin1(const std::string& utf8, std::string* latin1, std::string* problem = nullptr,
                         size_t* at = nullptr)
{
    latin1->clear();
    for (size_t next = 0; next < utf8.size();) {
        const size_t start = next;
        const long code = DecodeUtf8(utf8, &next);
        if (code >= 0 && code <= 0xFF) {
            *latin1 += static_cast<char>(code);
            continue;
        }
        char hex[24];
        std::snprintf(hex, sizeof hex, "U+%04lX", code);
        if (problem) *problem = code < 0 ? std::string("malformed UTF-8") : "character " + std::string(hex) + " is not in Latin-1";
        if (at) *at = start;
        return false;
    }
    return true;
}

// `latin1` as UTF-8: every byte from 0x80 on becomes two.
inline std::string Latin1ToUtf8(const std::string& latin1)
{
    std::string utf8;
    for (size_t i = 0; i < latin1.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(latin1[i]);
        if (c < 0x80) {
            utf8 += char(c);
            continue;
        }
        utf8 += char(0xC0 | (c >> 6));
        utf8 += char(0x80 | (c & 0x3F));
    }
    return utf8;
}

#endif
