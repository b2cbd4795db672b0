// Builds the language files the program reads from our UTF-8 sources.
//
//   make_lang <source folder> <output folder>
//
// Every file of the source folder (hidden files and editor backups ending in "~" aside) is
// UTF-8 text with LF line ends. It is written under the same name into the output folder in
// Latin-1 with CR LF line ends, because the program drops the last character of every line
// (the CR) and the font renders Latin-1. A character outside Latin-1, a malformed UTF-8
// sequence or a stray CR stops the tool with a message naming the file and line, and a
// non-zero status, so a bad source never reaches the build.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Conversion {
    std::string latin1; // the built file
    std::string error;  // empty when the source was good
};

// Decodes one UTF-8 sequence at `at`; -1 for a malformed one. Advances `at`.
long DecodeUtf8(const std::string& text, size_t* at)
{
    const unsigned char lead = static_cast<unsigned char>(text[*at]);
    int extra = 0;
    long code = 0;
    if (lead < 0x80) {
        code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
    } else {
        ++*at;
        return -1;
    }
    ++*at;
    for (int i = 0; i < extra; ++i, ++*at) {
        if (*at >= text.size()) return -1;
        const unsigned char next = static_cast<unsigned char>(text[*at]);
        if ((next & 0xC0) != 0x80) return -1;
        code = (code << 6) | (next & 0x3F);
    }
    static const long smallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < smallest[extra]) return -1; // overlong forms hide characters
    return code;
}

Conversion ConvertSource(const std::string& source)
{
    Conversion result;
    int line = 1;
    size_t at = 0;
    if (source.compare(0, 3, "\xEF\xBB\xBF") == 0) at = 3; // a byte-order mark is not text
    while (at < source.size()) {
        const long code = DecodeUtf8(source, &at);
        if (code < 0) {
            result.error = "line " + std::to_string(line) + ": malformed UTF-8";
            return result;
        }
        if (code == '\r') {
            result.error = "line " + std::to_string(line) + ": carriage return in the source (use LF line ends)";
            return result;
        }
        if (code > 0xFF) {
            char hex[24];
            std::snprintf(hex, sizeof hex, "U+%04lX", code);
            result.error = "line " + std::to_string(line) + ": character " + hex + " is not in Latin-1";
            return result;
        }
        if (code == '\n') {
            result.latin1 += "\r\n";
            ++line;
        } else {
            result.latin1 += static_cast<char>(code);
        }
    }
    // The last line needs its CR LF too, or it would lose its last character.
    if (!result.latin1.empty() && result.latin1.back() != '\n') result.latin1 += "\r\n";
    return result;
}

bool IsSource(const fs::directory_entry& entry)
{
    const std::string name = entry.path().filename().string();
    return entry.is_regular_file() && !name.empty() && name[0] != '.' && name.back() != '~';
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_lang <source folder> <output folder>\n";
        return 2;
    }
    const fs::path sourceFolder = argv[1], outputFolder = argv[2];
    std::error_code error;
    fs::create_directories(outputFolder, error);
    std::vector<fs::path> sources;
    for (const fs::directory_entry& entry : fs::directory_iterator(sourceFolder, error))
        if (IsSource(entry)) sources.push_back(entry.path());
    if (error || sources.empty()) {
        std::cerr << "make_lang: no language sources in " << sourceFolder << "\n";
        return 1;
    }
    int status = 0;
    for (const fs::path& path : sources) {
        std::ifstream in(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const Conversion converted = ConvertSource(text);
        if (!in.good() && !in.eof()) {
            std::cerr << "make_lang: cannot read " << path << "\n";
            status = 1;
            continue;
        }
        if (!converted.error.empty()) {
            std::cerr << "make_lang: " << path.string() << ": " << converted.error << "\n";
            status = 1;
            continue;
        }
        std::ofstream out(outputFolder / path.filename(), std::ios::binary | std::ios::trunc);
        out.write(converted.latin1.data(), std::streamsize(converted.latin1.size()));
        if (!out) {
            std::cerr << "make_lang: cannot write " << (outputFolder / path.filename()) << "\n";
            status = 1;
        }
    }
    return status;
}
