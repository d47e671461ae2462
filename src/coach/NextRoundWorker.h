#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#ifndef __EMSCRIPTEN__
#include <thread>
#endif

#include "solver/RankCounts.h"
#include "solver/TableSolver.h"

// Works out next rounds' values away from the frames, one job at a time, each on a fresh solver:
// on the desktop on a thread of its own, which the frames only hand jobs to and take values from;
// in the page, which has no threads, in the slices of time the frames give it (workUntil).
//
// A job the coach no longer wants is abandoned between two of the solver's steps; a value
// finished before the word came is still handed back, for whoever may want it later.
class NextRoundWorker {
public:
    using Clock = std::chrono::steady_clock;

#ifdef __EMSCRIPTEN__
    static constexpr bool kThreads = false;
#else
    static constexpr bool kThreads = true;
#endif

    struct Job {
        solver::RankCounts unseen{};
        int bet = 0;
        bool operator==(const Job& other) const {
            return unseen == other.unseen && bet == other.bet;
        }
    };
    struct Value {
        Job job;
        double perStake = 0.0;
    };

    // On a thread of its own when `threaded` (never in the page), else in workUntil's slices.
    explicit NextRoundWorker(bool threaded = kThreads);
    // The thread is told to stop and ends within one of the solver's steps.
    ~NextRoundWorker();
    NextRoundWorker(const NextRoundWorker&) = delete;
    NextRoundWorker& operator=(const NextRoundWorker&) = delete;

    bool threaded() const {
        return threaded_;
    }

    // Works on `job` from now on; a different job in hand is abandoned, the same one goes on.
    void want(const Job& job);
    // Nothing to work on: the job in hand is abandoned.
    void rest();
    // The values finished since the last call, oldest first. Never waits for the thread.
    std::vector<Value> takeValues();
    // Without a thread, slices of the job until `until`, and at least one while there is work
    // (a slice may end past `until`, by at most one slice); with one, nothing.
    void workUntil(Clock::time_point until);
    // The job wanted worked out to its end (waiting for the thread), whatever it takes.
    void finish();

private:
    // Without a thread: one slice of the work; false when there was none to do.
    bool slice();
#ifndef __EMSCRIPTEN__
    void run();
    // The job's steps on a solver of the thread's own, until the end or the word to stop.
    bool solve(const Job& job, double& perStake);
#endif

    const bool threaded_;

    // Guards everything below that the thread touches: the job wanted and the values done.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    Job wanted_;
    bool haveWanted_ = false;
    // The thread has taken up the job wanted.
    bool started_ = false;
    bool stopping_ = false;
    // The job in the thread's hands is no longer wanted; read between its steps.
    std::atomic<bool> cancel_{false};
    std::vector<Value> values_;

    // Without a thread: the job in hand, its solver and what a slice costs lately.
    Job current_;
    bool working_ = false;
    std::unique_ptr<solver::TableSolver> solver_;
    Clock::duration sliceCost_{};

#ifndef __EMSCRIPTEN__
    // Last, so that it starts once everything it reads is made.
    std::thread thread_;
#endif
};
