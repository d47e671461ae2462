#include "coach/NextRoundWorker.h"

NextRoundWorker::NextRoundWorker(bool threaded) : threaded_(threaded && kThreads) {
#ifndef __EMSCRIPTEN__
    if (threaded_) {
        thread_ = std::thread(&NextRoundWorker::run, this);
    }
#endif
}

NextRoundWorker::~NextRoundWorker() {
#ifndef __EMSCRIPTEN__
    if (thread_.joinable()) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
            cancel_ = true;
        }
        wake_.notify_all();
        // At most the step in hand and its solver let go: milliseconds.
        thread_.join();
    }
#endif
}

void NextRoundWorker::want(const Job& job) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (haveWanted_ && wanted_ == job) {
            return;
        }
        wanted_ = job;
        haveWanted_ = true;
        started_ = false;
        cancel_ = true;
    }
    wake_.notify_all();
}

void NextRoundWorker::rest() {
    const std::lock_guard<std::mutex> lock(mutex_);
    haveWanted_ = false;
    cancel_ = true;
}

std::vector<NextRoundWorker::Value> NextRoundWorker::takeValues() {
    std::vector<Value> taken;
    const std::lock_guard<std::mutex> lock(mutex_);
    taken.swap(values_);
    return taken;
}

void NextRoundWorker::workUntil(Clock::time_point until) {
    if (threaded_) {
        return;
    }
    bool sliced = false;
    for (;;) {
        const Clock::time_point now = Clock::now();
        // One slice whatever the time left, so that the work goes on in a frame whose share
        // went elsewhere; then no slice that the recent ones say will not fit.
        if (sliced && (now >= until || now + sliceCost_ > until)) {
            return;
        }
        if (!slice()) {
            return;
        }
        sliced = true;
        const auto spent = std::chrono::duration_cast<Clock::duration>(Clock::now() - now);
        sliceCost_ = (3 * sliceCost_ + spent) / 4;
    }
}

void NextRoundWorker::finish() {
    if (!threaded_) {
        while (slice()) {
        }
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return !haveWanted_; });
}

bool NextRoundWorker::slice() {
    // The main thread's alone: without a thread nothing else touches the job.
    if (working_ && !(haveWanted_ && current_ == wanted_)) {
        working_ = false;
    }
    if (!working_) {
        // Letting the last solver go is a slice of its own, and so is making the next.
        if (solver_ != nullptr) {
            solver_.reset();
            return true;
        }
        if (!haveWanted_) {
            return false;
        }
        current_ = wanted_;
        working_ = true;
        solver_ = std::make_unique<solver::TableSolver>();
        solver_->beginNextRound(current_.unseen, current_.bet);
        return true;
    }
    if (solver_->step()) {
        working_ = false;
        values_.push_back(Value{current_, solver_->nextRoundValue()});
        haveWanted_ = false;
    }
    return true;
}

#ifndef __EMSCRIPTEN__
void NextRoundWorker::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || (haveWanted_ && !started_); });
        if (stopping_) {
            return;
        }
        const Job job = wanted_;
        started_ = true;
        cancel_ = false;
        lock.unlock();
        double perStake = 0.0;
        const bool done = solve(job, perStake);
        lock.lock();
        if (done) {
            values_.push_back(Value{job, perStake});
            if (haveWanted_ && wanted_ == job) {
                haveWanted_ = false;
            }
            done_.notify_all();
        }
    }
}

bool NextRoundWorker::solve(const Job& job, double& perStake) {
    // A fresh solver for each job, let go here on the thread, never in a frame.
    solver::TableSolver solver;
    solver.beginNextRound(job.unseen, job.bet);
    while (!solver.step()) {
        if (cancel_) {
            return false;
        }
    }
    perStake = solver.nextRoundValue();
    return true;
}
#endif
