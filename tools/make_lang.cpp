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
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/latin1.h"

namespace fs = std::filesystem;

namespace {

struct Conversion {
    std::string latin1; // the built file
    std::string error;  // empty when the source was good
};

// The source line by line: each converted (tools/latin1.h) and ended by CR LF, the last too,
// or it would lose its last character.
Conversion ConvertSource(const std::string& source)
{
    Conversion result;
    size_t start = source.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; // a byte-order mark is not text
    for (int line = 1; start < source.size(); ++line) {
        const size_t feed = source.find('\n', start);
        const std::string text = source.substr(start, feed == std::string::npos ? feed : feed - start);
        std::string latin1, problem;
        size_t at = 0;
        const bool converted = Utf8ToLatin1(text, &latin1, &problem, &at);
        const size_t cr = text.find('\r');
        if (cr != std::string::npos && (converted || cr < at)) problem = "carriage return in the source (use LF line ends)";
        if (!problem.empty()) {
            result.error = "line " + std::to_string(line) + ": " + problem;
            return result;
        }
        result.latin1 += latin1 + "\r\n";
        if (feed == std::string::npos) break;
        start = feed + 1;
    }
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
