// ReadRtf: rich-text (RTF) bytes as a rich-text model, with what the model could not hold.
#pragma once

#include "text/RichDocument.h"

#include <string_view>

// What a stream held that the model drops (bits of CRtfReadReport::dropped). Storing a document
// read from such a stream loses that content; plain formatting the model has no place for
// (spacing, highlighting, strike-through...) is not reported.
enum ERtfDropped : unsigned {
    kRtfDroppedObject = 1u << 0,    // embedded objects (\object)
    kRtfDroppedPicture = 1u << 1,   // pictures other than PNG and JPEG
    kRtfDroppedField = 1u << 2,     // field instructions (hyperlink targets...); the text stays
    kRtfDroppedTable = 1u << 3,     // table structure; cells become tab-separated text
    kRtfDroppedNumbering = 1u << 4, // numbered paragraphs; the numbers are lost
    kRtfDroppedNote = 1u << 5,      // footnotes and annotations
    kRtfDroppedHeader = 1u << 6,    // page headers and footers
    kRtfDroppedShape = 1u << 7,     // drawing objects and shapes
    kRtfDroppedNesting = 1u << 8,   // groups nested deeper than CRtfReadReport::kMaxDepth
};

struct CRtfReadReport {
    static constexpr int kMaxDepth = 256; // deeper groups are skipped whole

    unsigned dropped = 0;   // ERtfDropped bits
    bool truncated = false; // the stream ended before its outermost group was closed
    bool notRtf = false;    // did not begin with "{\rtf": read as Windows-1252 plain text

    [[nodiscard]] bool IsLossy() const { return dropped != 0; }
};

// Reads as far as the stream goes: malformed or truncated input yields what came before the
// fault, never an error. Text is decoded through the code page of each run's font (\fcharset,
// \cpg, else \ansicpg), \uN with its \ucN fallback skipped; text in the Symbol font (charset 2)
// becomes the Unicode characters it draws (Greek letters, mathematical signs; other bytes as
// Windows-1252), text in other symbol-charset fonts is read as Windows-1252. Paragraphs end at
// \par (also \page, \sect, \row); a last paragraph without one is kept when it holds text or a
// picture. Bullet numbering text (\pntext, \listtext), ignorable and unknown destinations,
// embedded objects and field instructions are left out. Memory stays proportional to the input.
[[nodiscard]] CRichDocument ReadRtf(std::string_view rtf, CRtfReadReport* report = nullptr);
