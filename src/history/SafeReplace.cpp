#include "history/SafeReplace.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// How long a replace waits for another program to let go of the file on Windows: this many
// tries, this far apart.
constexpr int kRenameTries = 20;
constexpr DWORD kRenameWaitMs = 50;
#endif

}  // namespace

std::string replaceFile(const fs::path& path, const fs::path& fresh, const std::string& bytes) {
#ifdef _WIN32
    FILE* file = _wfopen(fresh.c_str(), L"wb");
    if (file == nullptr) {
        return std::strerror(errno);
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                         std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
    std::string why = std::strerror(errno);
    if (std::fclose(file) != 0 || !written) {
        _wremove(fresh.c_str());
        return why;
    }
    for (int tries = 1;; ++tries) {
        if (MoveFileExW(fresh.c_str(), path.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
            return "";
        }
        if (tries == kRenameTries) {
            _wremove(fresh.c_str());
            return "the file is held by another program (error " + std::to_string(GetLastError()) +
                   ")";
        }
        Sleep(kRenameWaitMs);
    }
#else
    const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return std::strerror(errno);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            break;
        }
        done += static_cast<std::size_t>(wrote);
    }
    const bool written = done == bytes.size() && ::fsync(fd) == 0;
    std::string why = std::strerror(errno);
    if (::close(fd) != 0 || !written) {
        ::unlink(fresh.c_str());
        return why;
    }
    if (::rename(fresh.c_str(), path.c_str()) != 0) {
        std::string renameWhy = std::strerror(errno);
        ::unlink(fresh.c_str());
        return renameWhy;
    }
    // The rename is the folder's to keep: flushed too, it survives a power cut. The file is
    // whole either way, so a folder that cannot be flushed changes nothing of the answer.
    const fs::path parent = path.parent_path();
    const int folder = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return "";
#endif
}
