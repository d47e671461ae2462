#pragma once

#include <filesystem>
#include <string>

#include "app/Choices.h"

// The player's choices on disk: choices.txt in the game's own folder of the player's data, the
// folder SDL_GetPrefPath gives for organisation "" and application "blackjack":
//   Linux and other Unix: $XDG_DATA_HOME/blackjack/, or ~/.local/share/blackjack/ without it;
//   Windows: %APPDATA%\blackjack\ (the roaming application data);
//   macOS: ~/Library/Application Support/blackjack/;
//   the page: /libsdl/blackjack/, which the page keeps in the browser's IndexedDB;
//   elsewhere: wherever SDL_GetPrefPath says (which makes the folder at once).
// SDL_GetPrefPath makes the folder when asked, and a player who never chooses anything must find
// nothing on disk, so the folder is worked out here the same way without making it, and made only
// when the file is first written. BLACKJACK_PREFS_DIR, when set and not empty, names the folder
// instead (the tests point it at a scratch folder, never at the player's own file).
//
// The file is lines of `name = value`: coach, motion, sound, fullscreen and keeping take on or
// off, speed slow, normal or fast, volume 0 to 100 in steps of 10. Lines starting with # are
// comments, and blank lines are allowed. Names this game does not know are skipped, so a newer
// game's file still reads. A file that cannot be read or makes no sense (a line cut short, a value
// out of range, a name twice, bytes that are no text) is set aside as choices.txt.bad, replacing an
// older one, and the game starts with the defaults after one line on standard error.
//
// A write never leaves a broken file behind: the choices go to choices.txt.new, which is flushed
// to the disk and then renamed over choices.txt, so a game killed at any moment leaves either the
// old choices or the new ones.
class ChoicesFile {
public:
    ChoicesFile();

    // The folder and the file; both empty when the platform gives no folder (no HOME).
    const std::filesystem::path& folder() const { return folder_; }
    const std::filesystem::path& path() const { return path_; }

    // The choices in the file, or the defaults: silently when there is no file, and otherwise
    // after setting it aside with one line on standard error.
    Choices read() const;
    // Writes `choices` over the file, making its folder first if need be. False when that failed,
    // after one line on standard error; the old file is then as it was.
    bool write(const Choices& choices) const;

private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};
