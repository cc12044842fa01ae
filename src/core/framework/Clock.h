// Clock: the millisecond tick counter and short waits, replaceable by a fake in tests.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary fixed start; never goes backwards.
    [[nodiscard]] virtual std::int64_t NowMs() const = 0;
    // Lets about ms milliseconds pass without using the processor.
    virtual void SleepMs(int ms) = 0;
};

class SteadyClock final : public Clock {
public:
    [[nodiscard]] std::int64_t NowMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};
