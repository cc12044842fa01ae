// A Clock whose time moves only when a test or a scripted source moves it.
#pragma once

#include "framework/Clock.h"

class FakeClock final : public Clock {
public:
    [[nodiscard]] std::int64_t NowMs() const override { return m_now; }
    void SleepMs(int ms) override { m_now += ms; }
    void Advance(std::int64_t ms) { m_now += ms; }

private:
    std::int64_t m_now = 1'000'000;
};
