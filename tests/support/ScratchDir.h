#pragma once

// A throw-away working directory laid out like the game's run directory, and the files a test
// puts in it.

#include <filesystem>
#include <string>

// A fresh directory with images/ and fonts/, made the working directory for the object's life
// and removed afterwards. Throws std::runtime_error when no directory can be made.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// A real TrueType font, for the tests that need real text: the one the build copies for the game.
extern const char* const kSystemFont;
// Copies kSystemFont to where the game loads its font from: ./fonts/ds-digit.ttf.
void installSystemFont();

void writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);
