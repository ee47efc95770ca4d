#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/watcher/watcher.h"

// How many inputs a reliability test tries: SPAPPLY_RELIABILITY_INPUTS, or
// `quick` (the set CI runs).
inline int ReliabilityInputs(int quick) {
    const char* value = std::getenv("SPAPPLY_RELIABILITY_INPUTS");
    return value && std::atoi(value) > 0 ? std::atoi(value) : quick;
}

inline unsigned ReliabilitySeed() {
    const char* value = std::getenv("SPAPPLY_RELIABILITY_SEED");
    return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : 20261211u;
}

// The counts a reliability run ends with: inputs tried, crashes (the
// process ended by an exception), hangs (ended after the timeout), bytes
// lost (of files the input did not name).
class Tally {
public:
    explicit Tally(const char* what) : what_(what) {}

    void Count(const WatchedRun& run) {
        ++inputs_;
        if (run.timedOut) {
            ++hangs_;
        } else if (run.exitCode >= 0xC0000000u) {
            ++crashes_;
        }
    }
    void Lost(unsigned long bytes) { lost_ += bytes; }
    bool Clean() const { return crashes_ == 0 && hangs_ == 0 && lost_ == 0; }
    void Report() const {
        std::printf("reliability, %s: %lu inputs tried, %lu crashes, %lu hangs, %lu bytes lost\n",
                    what_, inputs_, crashes_, hangs_, lost_);
    }

private:
    const char* what_;
    unsigned long inputs_ = 0;
    unsigned long crashes_ = 0;
    unsigned long hangs_ = 0;
    unsigned long lost_ = 0;
};
