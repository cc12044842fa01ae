// A ByteSource that plays a script of data and silences against a FakeClock.
#pragma once

#include "framework/ByteSource.h"
#include "support/FakeClock.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>

class ScriptedByteSource final : public ByteSource {
public:
    explicit ScriptedByteSource(FakeClock& clock) : m_clock(clock) {}

    // Bytes that are waiting at once; a read takes as many as it asks for.
    ScriptedByteSource& Data(std::string bytes) {
        m_steps.push_back({std::move(bytes), 0});
        return *this;
    }
    // Nothing arrives for ms milliseconds. After the script, nothing arrives ever.
    ScriptedByteSource& Silence(std::int64_t ms) {
        m_steps.push_back({std::string(), ms});
        return *this;
    }

    std::size_t Read(char* buffer, std::size_t maxBytes, int timeoutMs) override {
        ++m_reads;
        if (m_steps.empty()) {
            m_clock.Advance(timeoutMs);
            return 0;
        }
        Step& step = m_steps.front();
        if (step.silenceMs > 0) {
            const std::int64_t wait = std::min<std::int64_t>(timeoutMs, step.silenceMs);
            m_clock.Advance(wait);
            step.silenceMs -= wait;
            if (step.silenceMs == 0)
                m_steps.pop_front();
            return 0;
        }
        const std::size_t n = std::min(maxBytes, step.data.size());
        std::memcpy(buffer, step.data.data(), n);
        step.data.erase(0, n);
        if (step.data.empty())
            m_steps.pop_front();
        return n;
    }
    [[nodiscard]] bool IsOpen() const override { return true; }

    [[nodiscard]] int Reads() const { return m_reads; }
    [[nodiscard]] bool Exhausted() const { return m_steps.empty(); }

private:
    struct Step {
        std::string data;
        std::int64_t silenceMs;
    };
    FakeClock& m_clock;
    std::deque<Step> m_steps;
    int m_reads = 0;
};
