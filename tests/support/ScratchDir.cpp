#include "support/ScratchDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

const char* const kSystemFont = BLACKJACK_TEST_FONT;

ScratchDir::ScratchDir() : previous_(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "blackjack-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch directory");
    }
    path_ = pattern;
    fs::create_directory(path_ / "images");
    fs::create_directory(path_ / "fonts");
    fs::current_path(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

void installSystemFont() {
    fs::copy_file(kSystemFont, "fonts/ds-digit.ttf", fs::copy_options::overwrite_existing);
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
