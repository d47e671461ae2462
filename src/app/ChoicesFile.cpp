#include "app/ChoicesFile.h"

#include <SDL.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "history/SafeReplace.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileName = "choices.txt";
// No file of the game's own comes near this; anything longer is not one.
constexpr std::size_t kMostBytes = std::size_t{64} * 1024;

// The names a file may set, in the order it is written.
enum Field : std::size_t {
    kCoach,
    kMotion,
    kSpeed,
    kSound,
    kVolume,
    kFullscreen,
    kKeeping,
    kFieldCount
};
constexpr std::array<const char*, kFieldCount> kNames = {"coach",  "motion",     "speed",  "sound",
                                                         "volume", "fullscreen", "keeping"};
constexpr std::array<const char*, 3> kSpeedNames = {"slow", "normal", "fast"};
constexpr int kVolumeStep = 10;
constexpr int kMostVolume = 100;

#if !defined(__EMSCRIPTEN__) && !defined(__ANDROID__) && (defined(__unix__) || defined(__APPLE__))
// An environment variable naming a folder; empty when unset or empty.
fs::path folderFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? fs::u8path(value) : fs::path();
}
#endif

// The game's folder of the player's data as SDL_GetPrefPath("", "blackjack") names it, worked out
// without making it; empty when the system gives none.
fs::path playerDataFolder() {
#if defined(__EMSCRIPTEN__)
    return "/libsdl/blackjack";
#elif defined(_WIN32)
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return appData != nullptr && *appData != L'\0' ? fs::path(appData) / "blackjack" : fs::path();
#elif defined(__APPLE__)
    const fs::path home = folderFromEnvironment("HOME");
    return home.empty() ? home : home / "Library" / "Application Support" / "blackjack";
#elif defined(__unix__) && !defined(__ANDROID__)
    const fs::path data = folderFromEnvironment("XDG_DATA_HOME");
    if (!data.empty()) {
        return data / "blackjack";
    }
    const fs::path home = folderFromEnvironment("HOME");
    return home.empty() ? home : home / ".local" / "share" / "blackjack";
#else
    char* pref = SDL_GetPrefPath("", "blackjack");
    const fs::path folder = fs::u8path(pref != nullptr ? pref : "");
    SDL_free(pref);
    return folder;
#endif
}

const char* onOff(bool on) {
    return on ? "on" : "off";
}

std::string format(const Choices& choices) {
    std::ostringstream out;
    out << "# What the player chose in blackjack, read at every start. Delete this file to forget\n"
           "# it all, or start the game with --defaults to leave it be for one run.\n";
    out << kNames[kCoach] << " = " << onOff(choices.coach) << '\n';
    // Until the player chooses, the game may choose motion for them: no line, no choice.
    if (choices.motionChosen || choices.motion) {
        out << kNames[kMotion] << " = " << onOff(choices.motion) << '\n';
    }
    out << kNames[kSpeed] << " = " << kSpeedNames[static_cast<std::size_t>(choices.speed)] << '\n';
    out << kNames[kSound] << " = " << onOff(choices.sound) << '\n';
    out << kNames[kVolume] << " = " << choices.volume << '\n';
    out << kNames[kFullscreen] << " = " << onOff(choices.fullscreen) << '\n';
    out << kNames[kKeeping] << " = " << onOff(choices.keeping) << '\n';
    return out.str();
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isName(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (const char c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-')) {
            return false;
        }
    }
    return true;
}

bool readOnOff(const std::string& value, bool& on) {
    if (value == "on" || value == "off") {
        on = value == "on";
        return true;
    }
    return false;
}

bool readSpeed(const std::string& value, MotionSpeed& speed) {
    for (std::size_t i = 0; i < kSpeedNames.size(); ++i) {
        if (value == kSpeedNames[i]) {
            speed = static_cast<MotionSpeed>(i);
            return true;
        }
    }
    return false;
}

bool readVolume(const std::string& value, int& volume) {
    if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != value.npos) {
        return false;
    }
    const int percent = std::stoi(value);
    if (percent > kMostVolume || percent % kVolumeStep != 0) {
        return false;
    }
    volume = percent;
    return true;
}

// Sets the field named kNames[field] from `value`; false when that is no value for it.
bool readField(std::size_t field, const std::string& value, Choices& choices) {
    switch (field) {
        case kCoach:
            return readOnOff(value, choices.coach);
        case kMotion:
            choices.motionChosen = true;
            return readOnOff(value, choices.motion);
        case kSpeed:
            return readSpeed(value, choices.speed);
        case kSound:
            return readOnOff(value, choices.sound);
        case kVolume:
            return readVolume(value, choices.volume);
        case kFullscreen:
            return readOnOff(value, choices.fullscreen);
        case kKeeping:
            return readOnOff(value, choices.keeping);
        default:
            return false;
    }
}

// Reads the file's text into `choices`; empty when it all made sense, otherwise what did not.
std::string parse(const std::string& text, Choices& choices) {
    if (!text.empty() && text.back() != '\n') {
        return "its last line is cut short";
    }
    std::array<bool, kFieldCount> seen{};
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string where = "line " + std::to_string(number);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
                return where + " holds bytes that are not text";
            }
        }
        const std::string content = trimmed(line);
        if (content.empty() || content[0] == '#') {
            continue;
        }
        const std::size_t equals = content.find('=');
        const std::string name = trimmed(content.substr(0, equals));
        if (equals == std::string::npos || !isName(name)) {
            return where + " is not name = value";
        }
        const std::string value = trimmed(content.substr(equals + 1));
        std::size_t field = 0;
        while (field < kFieldCount && name != kNames[field]) {
            ++field;
        }
        if (field == kFieldCount) {
            continue;
        }
        if (seen[field]) {
            return where + " sets " + (name + " a second time");
        }
        seen[field] = true;
        if (!readField(field, value, choices)) {
            std::string why = where;
            why += ": \"" + value;
            why += "\" is no value for " + name;
            return why;
        }
    }
    return "";
}

// The file's bytes into `text`; empty when read, otherwise why not.
std::string load(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::string("it cannot be opened: ") + std::strerror(errno);
    }
    text.resize(kMostBytes + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        return "it cannot be read";
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMostBytes) {
        return "it is far too long to be the game's";
    }
    return "";
}

// Moves the unusable file aside, replacing an older one, and says so.
void setAside(const fs::path& path, const std::string& why) {
    fs::path bad = path;
    bad += ".bad";
    std::error_code error;
    fs::remove_all(bad, error);
    fs::rename(path, bad, error);
    std::cerr << "blackjack: the saved choices in " << path.string() << " are unusable (" << why
              << "): ";
    if (error) {
        std::cerr << "they could not be set aside (" << error.message() << ")";
    } else {
        std::cerr << "set aside as " << bad.string();
    }
    std::cerr << "; the game starts with the defaults" << std::endl;
}

}  // namespace

ChoicesFile::ChoicesFile() {
    const char* override = std::getenv("BLACKJACK_PREFS_DIR");
    folder_ = override != nullptr && *override != '\0' ? fs::u8path(override) : playerDataFolder();
    if (!folder_.empty()) {
        path_ = folder_ / kFileName;
    }
}

Choices ChoicesFile::read() const {
    Choices choices;
    if (path_.empty()) {
        return choices;
    }
    std::error_code error;
    const fs::file_status status = fs::status(path_, error);
    if (status.type() == fs::file_type::not_found) {
        return choices;
    }
    std::string why;
    std::string text;
    if (error) {
        why = "it cannot be reached: " + error.message();
    } else if (status.type() != fs::file_type::regular) {
        why = "it is not a file";
    } else {
        why = load(path_, text);
    }
    if (why.empty()) {
        why = parse(text, choices);
    }
    if (!why.empty()) {
        setAside(path_, why);
        return Choices{};
    }
    return choices;
}

bool ChoicesFile::write(const Choices& choices) const {
    if (path_.empty()) {
        std::cerr << "blackjack: cannot save the choices: the system names no folder for the "
                     "player's data"
                  << std::endl;
        return false;
    }
    std::error_code error;
    if (fs::create_directories(folder_, error)) {
        // As SDL makes it: the player's alone.
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, ignored);
    }
    fs::path fresh = path_;
    fresh += ".new";
    const std::string why = error ? error.message() : replaceFile(path_, fresh, format(choices));
    if (!why.empty()) {
        std::cerr << "blackjack: cannot save the choices in " << path_.string() << ": " << why
                  << std::endl;
        return false;
    }
    return true;
}
