// How long the next round's value takes to show after a round ends, as a player meets it: the
// table played frame by frame, paced at 60 frames a second, into a window of the size asked for
// (SDL's dummy video driver, a software renderer), with the real art and font of the run
// directory, drawn at the density that size calls for as the main loop draws it. The same session
// is played with the coach off and on; each reports its longest and mean frame (by the wall clock
// and by the game thread's own processor time, which a busy neighbour does not stretch), and with
// the coach on, for each round, the time from the frame that ended it to the first frame that
// shows the next round's value.
//
// Usage: coach_latency [WIDTH HEIGHT [ROUNDS]], from anywhere (it changes into the run directory,
// BLACKJACK_RUN_DIR or the build's own).

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/Screen.h"
#include "ui/GameScene.h"
#include "ui/Layout.h"

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr SDL_Point kRest{700, 745};
constexpr auto kFramePeriod = std::chrono::microseconds(16667);
// A player looks at the table this long before each play.
constexpr int kThinkingFrames = 20;
// Rounds are dealt off 52 down to about 40 cards, then the pack is gathered again.
constexpr int kFreshPackBelow = 40;
// With the coach off, or once it shows the value, the frames before the next bet.
constexpr int kBetweenRounds = 30;
// The longest the coach is waited for.
constexpr auto kGiveUp = std::chrono::seconds(5);

double threadCpuMillis() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return 1000.0 * static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Session {
    double longestWall = 0.0;
    double longestCpu = 0.0;
    double totalWall = 0.0;
    long frames = 0;
    std::vector<double> latencies;
    std::vector<int> cardsLeft;
};

class Table {
public:
    Table(SDL_Renderer* renderer, bool coached, Session& session)
        : renderer_(renderer), session_(session) {
        game_.init(renderer);
        game_.setCoach(coached);
        Deck& deck = *game_.engine->deck;
        deck.restock({});
        deck.seed(11u);
        deck.shuffle();
        next_ = Clock::now();
    }
    ~Table() { game_.cleanup(); }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // One frame as the main loop runs it, then a wait for the next display refresh.
    void frame(SDL_Point at, bool clicked) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = threadCpuMillis();
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(renderer_, &w, &h);
        game_.setDensity(densityFor(w, h));
        game_.handleInput(at.x, at.y, clicked);
        game_.update();
        SDL_RenderClear(renderer_);
        game_.render(renderer_);
        SDL_RenderPresent(renderer_);
        const double wall = Millis(Clock::now() - start).count();
        session_.longestWall = std::max(session_.longestWall, wall);
        session_.longestCpu = std::max(session_.longestCpu, threadCpuMillis() - cpuStart);
        session_.totalWall += wall;
        ++session_.frames;
        next_ += kFramePeriod;
        const Clock::time_point now = Clock::now();
        if (next_ < now) {
            next_ = now;
        }
        std::this_thread::sleep_until(next_);
    }
    void press(SDL_Point at) {
        frame(at, true);
        frame(kRest, false);
    }

    void playRound() {
        Deck& deck = *game_.engine->deck;
        if (deck.size() < kFreshPackBelow) {
            deck.restock({});
            deck.shuffle();
        }
        if (game_.engine->getWallet() < 25) {
            game_.engine->wallet += 1000;
        }
        press(centreOf(addChipRect(1)));
        press(centreOf(kDealButtonRect));
        Clock::time_point ended = Clock::now();
        while (game_.roundActive) {
            for (int i = 0; i < kThinkingFrames; ++i) {
                frame(kRest, false);
            }
            const bool hit = game_.engine->playingSplit ? game_.engine->getSplitValue() < 17
                                                        : game_.engine->getPlayerValue() < 17;
            ended = Clock::now();
            frame(centreOf(hit ? kHitButtonRect : kStandButtonRect), true);
        }
        if (game_.coaching.isOn()) {
            session_.cardsLeft.push_back(deck.size());
            while (!valueShown() && Clock::now() - ended < kGiveUp) {
                frame(kRest, false);
            }
            session_.latencies.push_back(valueShown() ? Millis(Clock::now() - ended).count()
                                                      : -1.0);
        }
        for (int i = 0; i < kBetweenRounds; ++i) {
            frame(kRest, false);
        }
    }

private:
    // The note drawn in the last frame gives the next round's value.
    bool valueShown() const {
        const std::vector<std::string>& notes = game_.coaching.view().noteLines;
        return !notes.empty() && notes.back().find("working it out") == std::string::npos;
    }

    SDL_Renderer* renderer_;
    Session& session_;
    GameScene game_;
    Clock::time_point next_;
};

void report(const char* name, const Session& s) {
    std::printf("coach %s: %ld frames, longest %.1f ms (game thread's CPU %.1f ms), mean %.2f ms\n",
                name, s.frames, s.longestWall, s.longestCpu,
                s.frames > 0 ? s.totalWall / static_cast<double>(s.frames) : 0.0);
    if (s.latencies.empty()) {
        return;
    }
    std::vector<double> sorted = s.latencies;
    std::sort(sorted.begin(), sorted.end());
    std::printf("  round's end to the next round's value shown: median %.0f ms, longest %.0f ms\n",
                sorted[sorted.size() / 2], sorted.back());
    std::printf("  by round (cards left, ms):");
    for (std::size_t i = 0; i < s.latencies.size(); ++i) {
        std::printf(" %d:%.0f", s.cardsLeft[i], s.latencies[i]);
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const int width = argc >= 3 ? std::atoi(argv[1]) : kWindowWidth;
    const int height = argc >= 3 ? std::atoi(argv[2]) : kWindowHeight;
    const int rounds = argc >= 4 ? std::atoi(argv[3]) : 12;
    const char* runDir = std::getenv("BLACKJACK_RUN_DIR");
    std::filesystem::current_path(runDir != nullptr && *runDir != '\0' ? runDir
                                                                       : BLACKJACK_RUN_DIR);
    Screen screen(width, height, Screen::Fit::Scale);
    std::printf("%d x %d, density %d, %d rounds, frames paced at 60 a second\n", width, height,
                densityFor(width, height), rounds);
    for (const bool coached : {false, true}) {
        Session session;
        {
            Table table(screen.renderer(), coached, session);
            for (int i = 0; i < rounds; ++i) {
                table.playRound();
            }
        }
        report(coached ? "on" : "off", session);
    }
    return 0;
}
