#include "history/KeptRounds.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "history/HistoryFile.h"

void KeptRounds::setFolder(std::filesystem::path folder) {
    folder_ = std::move(folder);
    path_ = folder_.empty() ? std::filesystem::path() : folder_ / kFileName;
}

void KeptRounds::turn(bool on) {
    on_ = on;
    if (on_ && !loaded_) {
        load();
    }
}

void KeptRounds::load() {
    loaded_ = true;
    if (path_.empty()) {
        return;
    }
    std::vector<RoundRecord> kept;
    std::string notice;
    HistoryFile file(path_.u8string());
    if (!file.load(kept, notice)) {
        std::fprintf(stderr, "blackjack: cannot read the rounds kept in %s: %s\n",
                     path_.u8string().c_str(), notice.c_str());
        return;
    }
    if (!notice.empty()) {
        std::fprintf(stderr, "blackjack: %s\n", notice.c_str());
    }
    long long highest = 0;
    for (const RoundRecord& round : kept) {
        highest = std::max(highest, round.session);
    }
    session_ = highest + 1;
    // This run's rounds so far come after the file's, in this run's session.
    for (RoundRecord& round : rounds_) {
        round.session = session_;
    }
    kept.insert(kept.end(), std::make_move_iterator(rounds_.begin()),
                std::make_move_iterator(rounds_.end()));
    rounds_ = std::move(kept);
    careerRounds_ = 0;
    careerNet_ = 0;
    for (const RoundRecord& round : rounds_) {
        count(round);
    }
}

void KeptRounds::count(const RoundRecord& round) {
    if (!round.drill) {
        ++careerRounds_;
        careerNet_ += round.net;
    }
}

void KeptRounds::add(RoundRecord round) {
    round.session = session_;
    if (on_ && !path_.empty()) {
        std::error_code error;
        std::filesystem::create_directories(folder_, error);
        std::string why;
        HistoryFile file(path_.u8string());
        if (file.append(round, why)) {
            ++writes_;
        } else if (!failedOnce_) {
            failedOnce_ = true;
            std::fprintf(stderr, "blackjack: cannot keep the round in %s: %s\n",
                         path_.u8string().c_str(), why.c_str());
        }
    }
    count(round);
    rounds_.push_back(std::move(round));
}
