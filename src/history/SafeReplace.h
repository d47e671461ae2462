#pragma once

#include <filesystem>
#include <string>

// Writes `bytes` into `fresh`, on the disk before it returns, and renames it over `path`, so a
// program killed at any moment leaves either the old file or the new one whole. On Windows the
// rename is tried again for a moment while another program (a scanner, a backup, an editor) holds
// the file. Empty when done, otherwise why not; `fresh` is then removed and `path` is as it was.
std::string replaceFile(const std::filesystem::path& path, const std::filesystem::path& fresh,
                        const std::string& bytes);
