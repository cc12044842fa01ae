// RulerMarkers: the comments ruler's markers in twips — placement from a paragraph format,
// dragging with snapping and ranges, and the paragraph format they give back.
#pragma once

#include "text/PageMargins.h"
#include "text/RichDocument.h"

#include <array>
#include <cstddef>

// The ruler measures in centimetres of 568 twips with a small division every 142 twips; every
// position a drag gives is a multiple of kMinMove. Positions are relative to the text's left
// edge (the left page margin).
class RulerMarkers {
public:
    static constexpr int kTwipsPerUnit = 568;
    static constexpr int kSmallDivision = 142;
    static constexpr int kMediumDivision = 284;
    static constexpr int kMinMove = 142;
    static constexpr int kDefaultTabInterval = 720;
    static constexpr int kPageWidth = 72000;
    static constexpr int kPageHeight = 14400;
    static constexpr std::size_t kTabCount = CRichParagraphFormat::kMaxTabStops;

    // Marker ids: the three indent markers, then kFirstTab + i for tab marker i.
    enum Marker : int { kLeft = 0, kFirstLine = 1, kRight = 2, kFirstTab = 3, kNone = -1 };

    // Takes the page margins; true when they changed (the scale must be redrawn).
    bool SetMargins(const PageMargins& margins);
    [[nodiscard]] const PageMargins& GetMargins() const { return m_margins; }
    // The page width less both margins: where the scale ends.
    [[nodiscard]] int UsableWidth() const;

    // Places the markers for a paragraph: the left marker at its left indent, the first-line
    // marker at left + first-line indent, the right marker at UsableWidth() − right indent, a
    // tab marker in use at each tab stop (the rest out of use). True when anything moved.
    bool SetParagraph(const CRichParagraphFormat& format);

    [[nodiscard]] int Position(int marker) const;
    // Indent markers are always in use; tab markers while they stand for a tab stop.
    [[nodiscard]] bool InUse(int marker) const;
    // The end of the last tab stop in use, or 0: where default tab marks start.
    [[nodiscard]] int LastTabPosition() const;

    // A new tab stop: the first tab marker out of use, or kNone when all 32 are in use.
    [[nodiscard]] int FreeTabMarker() const;
    // Starts dragging marker (its allowed range comes from the other markers) and moves it to
    // twips. A tab marker comes into use.
    void BeginDrag(int marker, int twips);
    // Moves the dragged marker to twips snapped to kMinMove and kept in its range. A tab marker
    // dragged outside the strip goes out of use until it comes back in.
    void DragTo(int twips, bool insideStrip);
    // Ends the drag; the dragged marker, or kNone when nothing was dragged.
    int EndDrag();
    [[nodiscard]] int DraggedMarker() const { return m_dragged; }

    // format with its left, first-line and right indents and tab stops taken from the markers
    // (alignment and bullet kept): tab stops ascending, each position once.
    [[nodiscard]] CRichParagraphFormat ApplyTo(CRichParagraphFormat format) const;

    // The nearest multiple of kMinMove, halves upwards: 738 → 710, 781 → 852.
    [[nodiscard]] static int Snap(int twips);
    // A ruler pixel as twips from the text's left edge: (x + scroll − origin) × 1440 / dpi.
    [[nodiscard]] static int PixelToTwips(int x, int scroll, int origin, int dpi);
    // The ruler pixel of a position: origin − scroll + twips × dpi / 1440.
    [[nodiscard]] static int TwipsToPixel(int twips, int scroll, int origin, int dpi);

private:
    struct Slot {
        int position = 0;
        bool inUse = false;
    };

    PageMargins m_margins;
    std::array<Slot, kFirstTab + kTabCount> m_slots{
        {{0, true}, {0, true}, {kPageWidth - 3600, true}}};
    int m_dragged = kNone;
    int m_min = 0;
    int m_max = 0;
};
