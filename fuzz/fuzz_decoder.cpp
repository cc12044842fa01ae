// Feeds any byte sequence to the transmission parser as received text, whole and in pieces
// chosen by the input's first byte, and checks that both decode the same flights.
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/TransmissionParser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

struct Run {
    CDataModule session;
    CTransmissionParser parser{session, nullptr, [] { return std::string(); }};
};

// Feeds text in pieces; the parser must take every byte offered until it is finished or its
// buffer is full of text it cannot parse.
template <class NextSize>
void Feed(Run& run, std::string_view text, NextSize nextSize) {
    while (!text.empty() && !run.parser.IsFinished()) {
        const std::size_t space = run.parser.GetFreeSpace();
        if (space == 0)
            return;
        std::size_t size = nextSize();
        size = size < text.size() ? size : text.size();
        size = size < space ? size : space;
        if (run.parser.Append(text.data(), size) != size)
            __builtin_trap();
        text.remove_prefix(size);
    }
}

bool SameFlights(const CDataModule& a, const CDataModule& b) {
    if (a.GetFlights().GetCount() != b.GetFlights().GetCount())
        return false;
    for (std::ptrdiff_t i = 0; i < a.GetFlights().GetCount(); ++i) {
        const CDataBlock* x = a.GetFlights().GetAt(i);
        const CDataBlock* y = b.GetFlights().GetAt(i);
        if (x->GetRawSamples() != y->GetRawSamples() ||
            x->GetReferenceRaw() != y->GetReferenceRaw() ||
            x->GetSampleRate() != y->GetSampleRate() ||
            x->GetAnnotations().GetCount() != y->GetAnnotations().GetCount())
            return false;
        for (std::ptrdiff_t k = 0; k < x->GetAnnotations().GetCount(); ++k)
            if (x->GetAnnotations().GetAt(k)->m_dTime != y->GetAnnotations().GetAt(k)->m_dTime)
                return false;
    }
    return true;
}

// Header seeking may drop values before a 126 depending on how many values one append
// brought; that happens only when the sync text "126" runs on into further digits.
bool SyncStartsWithValue126(std::string_view text) {
    for (std::size_t p = 0; p + 3 < text.size(); ++p)
        if (text.substr(p, 3) == "126") {
            const char next = text[p + 3];
            return next < '0' || next > '9';
        }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const unsigned control = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    Run whole;
    Feed(whole, text, [] { return std::size_t(1) << 30; });
    whole.parser.FinishFlights();

    Run pieces;
    std::uint32_t state = control * 2654435761u + 1u;
    const std::size_t maxPiece = (control & 0x80) ? 1100 : 1 + (control & 0x0F);
    Feed(pieces, text, [&] {
        state = state * 1664525u + 1013904223u;
        return 1 + (state >> 8) % maxPiece;
    });
    pieces.parser.FinishFlights();

    // Samples come only from received values: at most one per two bytes of text.
    std::size_t samples = 0;
    for (const CDataBlock* flight : whole.session.GetFlights())
        samples += flight->GetRawSamples().size();
    if (samples > text.size())
        __builtin_trap();

    if (SyncStartsWithValue126(text) &&
        (whole.parser.IsComplete() != pieces.parser.IsComplete() ||
         whole.parser.IsStopRequested() != pieces.parser.IsStopRequested() ||
         !SameFlights(whole.session, pieces.session)))
        __builtin_trap();
    return 0;
}
