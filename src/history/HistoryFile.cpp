#include "history/HistoryFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

#include "history/HistoryLine.h"
#include "history/SafeReplace.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
using Offset = long long;
int openForAppend(const std::string& path) {
    int fd = -1;
    _wsopen_s(&fd, fs::u8path(path).c_str(), _O_RDWR | _O_APPEND | _O_CREAT | _O_BINARY, _SH_DENYNO,
              _S_IREAD | _S_IWRITE);
    return fd;
}
Offset endOf(int fd) {
    return _lseeki64(fd, 0, SEEK_END);
}
bool lastByte(int fd, Offset end, char& byte) {
    return _lseeki64(fd, end - 1, SEEK_SET) == end - 1 && _read(fd, &byte, 1) == 1;
}
long long writeOnce(int fd, const std::string& bytes) {
    return _write(fd, bytes.data(), static_cast<unsigned>(bytes.size()));
}
bool flushToDisk(int fd) {
    return _commit(fd) == 0;
}
void cutBack(int fd, Offset end) {
    (void)_chsize_s(fd, end);
}
int closeFile(int fd) {
    return _close(fd);
}
#else
using Offset = off_t;
int openForAppend(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
}
Offset endOf(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? status.st_size : -1;
}
bool lastByte(int fd, Offset end, char& byte) {
    return ::pread(fd, &byte, 1, end - 1) == 1;
}
long long writeOnce(int fd, const std::string& bytes) {
    ssize_t wrote = -1;
    do {
        wrote = ::write(fd, bytes.data(), bytes.size());
    } while (wrote < 0 && errno == EINTR);
    return wrote;
}
bool flushToDisk(int fd) {
    return ::fsync(fd) == 0;
}
void cutBack(int fd, Offset end) {
    (void)::ftruncate(fd, end);
}
int closeFile(int fd) {
    return ::close(fd);
}
#endif

// Appends `bytes` to the file at `path` in one write, flushed to the disk; empty when done,
// otherwise why not. A file whose last line has no newline (torn, and not yet set aside) gets one
// first, in the same write, so the new line never joins it.
std::string appendOnce(const std::string& path, std::string bytes) {
    const int fd = openForAppend(path);
    if (fd < 0) {
        return std::strerror(errno);
    }
    const Offset end = endOf(fd);
    char last = '\n';
    if (end < 0 || (end > 0 && !lastByte(fd, end, last))) {
        std::string why = std::strerror(errno);
        closeFile(fd);
        return why;
    }
    if (last != '\n') {
        bytes.insert(bytes.begin(), '\n');
    }
    const long long wrote = writeOnce(fd, bytes);
    std::string why;
    if (wrote != static_cast<long long>(bytes.size())) {
        why = wrote < 0 ? std::strerror(errno) : "the disk took only part of the line";
        // A part of a line would spoil the next one written after it.
        cutBack(fd, end);
    } else if (!flushToDisk(fd)) {
        why = std::strerror(errno);
    }
    if (closeFile(fd) != 0 && why.empty()) {
        why = std::strerror(errno);
    }
    return why;
}

std::string lineList(const std::vector<HistoryFile::BadLine>& lines) {
    std::string list;
    for (const HistoryFile::BadLine& line : lines) {
        list += list.empty() ? "" : ", ";
        list += std::to_string(line.number);
    }
    return list;
}

}  // namespace

HistoryFile::HistoryFile(std::string path) : path_(std::move(path)) {}

bool HistoryFile::append(const RoundRecord& round, std::string& why) const {
    why = appendOnce(path_, historyLine(round) + "\n");
    if (!why.empty()) {
        why = "cannot keep the round in " + path_ + ": " + why;
    }
    return why.empty();
}

HistoryFile::Contents HistoryFile::read(const std::string& text) {
    Contents contents;
    std::size_t from = 0;
    for (int number = 1; from < text.size(); ++number) {
        const std::size_t newline = text.find('\n', from);
        const bool ended = newline != std::string::npos;
        std::string line = text.substr(from, ended ? newline - from : std::string::npos);
        const std::size_t next = ended ? newline + 1 : text.size();
        const bool last = next == text.size();
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        RoundRecord round;
        std::string why;
        if (!ended) {
            why = "it was cut short";
        } else if (line.find_first_not_of(" \t") == std::string::npos) {
            from = next;
            continue;
        } else if (parseHistoryLine(line, round, why)) {
            contents.rounds.push_back(std::move(round));
            contents.lineNumbers.push_back(number);
            from = next;
            continue;
        }
        if (last) {
            contents.torn = true;
            contents.tornLine = BadLine{number, why};
            contents.keptBytes = from;
            return contents;
        }
        contents.bad.push_back(BadLine{number, why});
        from = next;
    }
    contents.keptBytes = text.size();
    return contents;
}

bool HistoryFile::readBytes(std::string& bytes, bool& exists, std::string& why) const {
    const fs::path path = fs::u8path(path_);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    exists = status.type() != fs::file_type::not_found;
    bytes.clear();
    if (!exists) {
        return true;
    }
    if (error) {
        why = path_ + " cannot be reached: " + error.message();
        return false;
    }
    if (status.type() != fs::file_type::regular) {
        why = path_ + " is not a file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = path_ + " cannot be opened: " + std::strerror(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        why = path_ + " cannot be read";
        return false;
    }
    return true;
}

bool HistoryFile::inspect(Contents& contents, std::string& why) const {
    std::string bytes;
    bool exists = false;
    if (!readBytes(bytes, exists, why)) {
        return false;
    }
    contents = read(bytes);
    return true;
}

bool HistoryFile::load(std::vector<RoundRecord>& rounds, std::string& notice) const {
    rounds.clear();
    notice.clear();
    std::string bytes;
    bool exists = false;
    if (!readBytes(bytes, exists, notice)) {
        return false;
    }
    Contents contents = read(bytes);
    rounds = std::move(contents.rounds);
    std::string said;
    if (contents.torn) {
        const std::string torn = bytes.substr(contents.keptBytes);
        std::string why = appendOnce(path_ + ".torn", torn.back() == '\n' ? torn : torn + "\n");
        if (why.empty()) {
            fs::path fresh = fs::u8path(path_);
            fresh += ".new";
            why = replaceFile(fs::u8path(path_), fresh, bytes.substr(0, contents.keptBytes));
        }
        said = "the last line (" + std::to_string(contents.tornLine.number) + ": " +
               contents.tornLine.why + ") ";
        said += why.empty() ? "was set aside in " + path_ + ".torn"
                            : "could not be set aside (" + why + ")";
    }
    if (!contents.bad.empty()) {
        said += said.empty() ? "" : "; ";
        said += std::to_string(contents.bad.size()) +
                (contents.bad.size() == 1 ? " line could not be read and was skipped (line "
                                          : " lines could not be read and were skipped (lines ") +
                lineList(contents.bad) + ")";
    }
    if (!said.empty()) {
        notice = path_ + ": " + said;
    }
    return true;
}
