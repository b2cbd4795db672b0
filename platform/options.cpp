// The command line and the input scripts of headless runs: parsed from memory, so that both
// are checked without starting SDL.
#include "platform/platform.h"

#include <cstdlib>
#include <sstream>

#include "frame/state.h"

PlatformOptions::PlatformOptions()
    : maxFrames(0), zoom(0), fullscreen(false), scanlines(false), drawEveryFrame(false), help(false)
{
}

// A whole number of digits only, from `low` to `high`; false for anything else.
static bool ParseNumber(const std::string& text, long low, long high, long* value)
{
    if (text.empty() || text.size() > 10) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    long number = std::strtol(text.c_str(), 0, 10);
    if (number < low || number > high) return false;
    *value = number;
    return true;
}

static std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

static bool IsValueOption(const std::string& word)
{
    return word == "--store" || word == "--launcher" || word == "--script"
        || word == "--max-frames" || word == "--zoom";
}

// Stores the value of option `word`; false with the reason in *error when it is malformed.
static bool SetValue(const std::string& word, const std::string& value, PlatformOptions* options,
                     std::string* error)
{
    long number = 0;
    if (word == "--store") {
        options->storeRoot = value; // every card path is StoreRoot and a name: it ends in "/"
        if (value.empty() || value[value.size() - 1] != '/') options->storeRoot += '/';
    } else if (word == "--launcher") {
        options->launcher = value;
    } else if (word == "--script") {
        options->script = value;
    } else if (word == "--max-frames") {
        if (!ParseNumber(value, 1, 0x7FFFFFFFL, &number)) {
            *error = "--max-frames needs a whole number from 1, not " + Quoted(value);
            return false;
        }
        options->maxFrames = number;
    } else if (ParseNumber(value, 1, 4, &number)) {
        options->zoom = int(number);
    } else {
        *error = "--zoom needs 1, 2, 3 or 4, not " + Quoted(value);
        return false;
    }
    return true;
}

static bool ParseOneOption(int argc, char** argv, int* i, PlatformOptions* options, std::string* error)
{
    const std::string word = argv[*i];
    if (word == "-fullscreen") options->fullscreen = true;
    else if (word == "-scanlines") options->scanlines = true;
    else if (word == "--help") options->help = true;
    else if (word == "--draw-every-frame") options->drawEveryFrame = true;
    else if (word.compare(0, 2, "--") != 0) return true; // other plain words mean nothing
    else if (!IsValueOption(word)) {
        *error = "unknown option " + word;
        return false;
    } else if (*i + 1 >= argc || argv[*i + 1][0] == '\0') {
        *error = word + " needs a value";
        return false;
    } else {
        return SetValue(word, argv[++*i], options, error);
    }
    return true;
}

bool ParseOptions(int argc, char** argv, PlatformOptions* options, std::string* error)
{
    for (int i = 1; i < argc; ++i)
        if (!ParseOneOption(argc, argv, &i, options, error)) return false;
    return true;
}

// A script's word for each of the program's Button names.
struct ButtonName {
    const char* name;
    Button button;
};
static const ButtonName ButtonNames[] = {
    { "up", ButtonUp }, { "left", ButtonLeft }, { "down", ButtonDown }, { "right", ButtonRight },
    { "menu", ButtonMenu }, { "l", ButtonL }, { "r", ButtonR }, { "b", ButtonB }, { "x", ButtonX },
    { "y", ButtonY },
};

// A button by name or number 0 to 31; -1 when it is neither.
static int ParseButton(const std::string& word)
{
    for (size_t i = 0; i < sizeof ButtonNames / sizeof ButtonNames[0]; ++i)
        if (word == ButtonNames[i].name) return ButtonNames[i].button;
    long number = 0;
    return ParseNumber(word, 0, 31, &number) ? int(number) : -1;
}

static std::string Trimmed(const std::string& text)
{
    const char* space = " \t\r\n";
    size_t first = text.find_first_not_of(space);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

// The arguments after FRAME and the kind word; false with the reason in *error.
static bool ParseEventArguments(std::istringstream& words, ScriptEvent* event, std::string* error)
{
    std::string kind, first, second, extra;
    words >> kind;
    if (kind == "screenshot") {
        std::getline(words, first);
        event->kind = ScriptEvent::ScriptScreenshot;
        event->file = Trimmed(first);
        if (event->file.empty()) *error = "screenshot needs a file name";
        return !event->file.empty();
    }
    words >> first >> second >> extra;
    if (kind == "button" && !first.empty() && second.empty()) {
        event->kind = ScriptEvent::ScriptButton;
        event->button = ParseButton(first);
        if (event->button < 0) *error = "unknown button " + Quoted(first);
        return event->button >= 0;
    }
    long x = 0, y = 0;
    if (kind == "touch" && !second.empty() && extra.empty()) {
        event->kind = ScriptEvent::ScriptTouch;
        bool ok = ParseNumber(first, 0, 65535, &x) && ParseNumber(second, 0, 65535, &y);
        if (!ok) *error = "touch needs two positions from 0 to 65535, not " + Quoted(first + " " + second);
        event->x = int(x);
        event->y = int(y);
        return ok;
    }
    *error = "expected FRAME button NAME, FRAME touch X Y or FRAME screenshot FILE";
    return false;
}

static bool ParseScriptLine(const std::string& line, long lastFrame, ScriptEvent* event, std::string* error)
{
    std::istringstream words(line);
    std::string frame;
    words >> frame;
    if (!ParseNumber(frame, 1, 0x7FFFFFFFL, &event->frame)) {
        *error = "frame " + Quoted(frame) + " is not a whole number from 1";
        return false;
    }
    if (event->frame < lastFrame) {
        std::ostringstream message;
        message << "frame " << event->frame << " comes after frame " << lastFrame;
        *error = message.str();
        return false;
    }
    return ParseEventArguments(words, event, error);
}

bool ParseScript(const std::string& text, std::vector<ScriptEvent>* events, std::string* error)
{
    std::istringstream lines(text);
    std::string line;
    long lastFrame = 1;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::string content = Trimmed(line);
        if (content.empty() || content[0] == '#') continue;
        ScriptEvent event;
        event.button = event.x = event.y = 0;
        std::string reason;
        if (!ParseScriptLine(content, lastFrame, &event, &reason)) {
            std::ostringstream message;
            message << "line " << number << ": " << reason;
            *error = message.str();
            return false;
        }
        lastFrame = event.frame;
        events->push_back(event);
    }
    return true;
}

// " up left down ...": the script's button words as the parser takes them.
static std::string ButtonWords()
{
    std::string words;
    for (size_t i = 0; i < sizeof ButtonNames / sizeof ButtonNames[0]; ++i) words += std::string(" ") + ButtonNames[i].name;
    return words;
}

std::string UsageText()
{
    return
        "Usage: vok [options]\n"
        "The achievements viewer and profile manager of the GP2X-Wiz.\n"
        "\n"
        "Options:\n"
        "  --store DIR       folder of the profile folders (default /mnt/sd/vok/)\n"
        "  --launcher PATH   program started in place of vok at exit, from its own folder\n"
        "  --script FILE     input script: lines 'FRAME button NAME', 'FRAME touch X Y',\n"
        "                    'FRAME screenshot FILE'; '#' starts a comment line\n"
        "  --max-frames N    end normally after frame N\n"
        "  --zoom N          desktop window enlarged N times, 1 to 4 (default 2, 1 headless)\n"
        "  -fullscreen       desktop: full screen\n"
        "  -scanlines        desktop: darkened alternate lines when zoomed\n"
        "  --draw-every-frame  draw and show every frame, also when nothing changed\n"
        "  --help            this text\n"
        "\n"
        "Keys (desktop):\n"
        "  arrow keys        up, down, left, right\n"
        "  Return, Escape    menu\n"
        "  B X Y L R         the buttons of the same names\n"
        "  mouse click       touch\n"
        "  closing the window ends the program\n"
        "\n"
        "Button names in scripts:" + ButtonWords() + ", or a number 0 to 31.\n";
}
