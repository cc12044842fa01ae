// Helpers for tests that build device transmissions and look at what was decoded.
#pragma once

#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/TransmissionParser.h"

#include <cstdio>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace testing_transmission {

// Values as device lines, "%03d\n" each.
inline std::string Lines(const std::vector<int>& values) {
    std::string text;
    char line[16];
    for (int v : values) {
        std::snprintf(line, sizeof line, "%03d\n", v);
        text += line;
    }
    return text;
}
inline std::string Lines(std::initializer_list<int> values) {
    return Lines(std::vector<int>(values));
}

// The 14 header values: version, flight count, progress upper bound.
inline std::vector<int> HeaderValues(int version, int flights, int progress = 0) {
    return {126, version, 10,  127, flights, progress / 256, progress % 256, 255, 255,
            255, 255,     255, 255, 255};
}

// A version-2 transmission announcing `announced` flights (progress bound 40), then `count`
// flights of reference 300 and rate 1000 ms whose samples follow from `steps` (by default two:
// 298 and 301), then the end mark unless endMark is false.
inline std::string FlightsText(int announced, int count, std::vector<int> steps = {2, 253},
                               bool endMark = true) {
    std::vector<int> values = HeaderValues(2, announced, 40);
    for (int i = 0; i < count; ++i) {
        values.insert(values.end(), {127, 1, 44, 10});
        values.insert(values.end(), steps.begin(), steps.end());
    }
    if (endMark)
        values.insert(values.end(), {127, 128});
    return Lines(values);
}

// Feeds text to the parser in pieces whose sizes come from nextSize (each at least 1), as a
// read loop would: never more than the parser's free space. Stops early when the parser is
// finished or takes nothing more.
template <class NextSize>
void Feed(CTransmissionParser& parser, std::string_view text, NextSize nextSize) {
    while (!text.empty() && !parser.IsFinished()) {
        std::size_t size = std::min<std::size_t>(nextSize(), text.size());
        size = std::min(size, parser.GetFreeSpace());
        if (size == 0)
            return;
        const std::size_t taken = parser.Append(text.data(), size);
        text.remove_prefix(taken);
    }
}
inline void FeedWhole(CTransmissionParser& parser, std::string_view text) {
    Feed(parser, text, [] { return std::size_t(1) << 30; });
}
inline void FeedBytewise(CTransmissionParser& parser, std::string_view text) {
    Feed(parser, text, [] { return std::size_t(1); });
}
inline void FeedRandomly(CTransmissionParser& parser, std::string_view text, unsigned seed,
                         std::size_t maxPiece = 64) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> size(1, maxPiece);
    Feed(parser, text, [&] { return size(random); });
}

// Everything decoded into the session, as comparable text.
inline std::string Describe(const CDataModule& session) {
    std::ostringstream out;
    for (const CDataBlock* flight : session.GetFlights()) {
        out << "flight ref=" << flight->GetReferenceRaw() << " rate=" << flight->GetSampleRate()
            << " raw=";
        for (auto v : flight->GetRawSamples())
            out << v << ',';
        out << " notes=";
        for (const CAnnotation* note : flight->GetAnnotations())
            out << note->m_strText << '@' << note->m_dTime << ',';
        out << '\n';
    }
    return out.str();
}

} // namespace testing_transmission
