#include "text/RulerMarkers.h"

#include <gtest/gtest.h>

namespace {
CRichParagraphFormat Paragraph(int left, int first, int right, std::vector<int> tabs) {
    CRichParagraphFormat format;
    format.align = ERichAlign::Centre;
    format.bullet = true;
    format.leftIndentTwips = left;
    format.firstIndentTwips = first;
    format.rightIndentTwips = right;
    format.tabStopsTwips = std::move(tabs);
    return format;
}

// Presses at `from` on marker (a new tab when kNone), drags to `to` and releases.
void Drag(RulerMarkers& ruler, int marker, int from, int to, bool inside = true) {
    if (marker == RulerMarkers::kNone)
        marker = ruler.FreeTabMarker();
    ruler.BeginDrag(marker, from);
    ruler.DragTo(to, inside);
    (void)ruler.EndDrag();
}
} // namespace

TEST(RulerMarkers, PositionsSnapToTheNearestSmallDivisionHalvesUp) {
    const struct {
        int twips;
        int snapped;
    } cases[] = {{738, 710}, {781, 852}, {780, 710}, {0, 0},
                 {70, 0},    {71, 142},  {-71, 0},   {-72, -142}};
    for (const auto& c : cases)
        EXPECT_EQ(RulerMarkers::Snap(c.twips), c.snapped) << c.twips;
    // A pixel is measured from the text's left edge, scrolled: 100 px at 96 dpi, origin 4.
    EXPECT_EQ(RulerMarkers::PixelToTwips(100, 0, 4, 96), 1440);
    EXPECT_EQ(RulerMarkers::PixelToTwips(100, 50, 4, 96), 2190);
    EXPECT_EQ(RulerMarkers::TwipsToPixel(1440, 50, 4, 96), 50);
}

TEST(RulerMarkers, MarkersStandForTheParagraphAndGiveItBack) {
    RulerMarkers ruler;
    ASSERT_EQ(ruler.UsableWidth(), RulerMarkers::kPageWidth - 3600);
    const CRichParagraphFormat format = Paragraph(1420, -284, 568, {710, 2840});
    EXPECT_TRUE(ruler.SetParagraph(format));
    EXPECT_FALSE(ruler.SetParagraph(format));
    EXPECT_EQ(ruler.Position(RulerMarkers::kLeft), 1420);
    EXPECT_EQ(ruler.Position(RulerMarkers::kFirstLine), 1136);
    EXPECT_EQ(ruler.Position(RulerMarkers::kRight), ruler.UsableWidth() - 568);
    EXPECT_EQ(ruler.LastTabPosition(), 2840);
    EXPECT_EQ(ruler.ApplyTo(Paragraph(0, 0, 0, {})), format); // alignment and bullet kept

    // Wider margins move the right marker's reference.
    EXPECT_TRUE(ruler.SetMargins({2000, 1440, 2000, 1440}));
    EXPECT_FALSE(ruler.SetMargins({2000, 1440, 2000, 1440}));
    EXPECT_EQ(ruler.UsableWidth(), RulerMarkers::kPageWidth - 4000);

    // The left marker alone moves the other lines: the first line stays where it was.
    ruler.SetParagraph(format);
    Drag(ruler, RulerMarkers::kLeft, 1420, 2000);
    const CRichParagraphFormat moved = ruler.ApplyTo(format);
    EXPECT_EQ(moved.leftIndentTwips, 1988);
    EXPECT_EQ(moved.firstIndentTwips, 1136 - 1988);
    EXPECT_EQ(moved.rightIndentTwips, 568);
}

TEST(RulerMarkers, DragsStayWithinTheOtherMarkers) {
    RulerMarkers ruler;
    ruler.SetParagraph(Paragraph(568, 0, 0, {}));
    Drag(ruler, RulerMarkers::kFirstLine, 568, -5000);
    EXPECT_EQ(ruler.Position(RulerMarkers::kFirstLine), 0);
    Drag(ruler, RulerMarkers::kRight, ruler.UsableWidth(), 0);
    EXPECT_EQ(ruler.Position(RulerMarkers::kRight), 568 + RulerMarkers::kMinMove);
    Drag(ruler, RulerMarkers::kLeft, 568, 100000);
    EXPECT_EQ(ruler.Position(RulerMarkers::kLeft), 568);
    Drag(ruler, RulerMarkers::kNone, 0, 100000);
    EXPECT_LE(ruler.LastTabPosition(), ruler.UsableWidth());
}

TEST(RulerMarkers, TabStopsAreAddedMovedMergedAndRemoved) {
    RulerMarkers ruler;
    ruler.SetParagraph(Paragraph(0, 0, 0, {}));
    Drag(ruler, RulerMarkers::kNone, 738, 738);
    EXPECT_EQ(ruler.ApplyTo({}).tabStopsTwips, (std::vector<int>{710}));
    Drag(ruler, RulerMarkers::kNone, 781, 781);
    Drag(ruler, RulerMarkers::kNone, 700, 700); // lands on 710 too: one tab stop
    EXPECT_EQ(ruler.ApplyTo({}).tabStopsTwips, (std::vector<int>{710, 852}));

    // A tab marker dragged off the strip is gone, unless it comes back before the release.
    const int second = RulerMarkers::kFirstTab + 1;
    ruler.BeginDrag(second, 852);
    ruler.DragTo(2000, false);
    EXPECT_FALSE(ruler.InUse(second));
    ruler.DragTo(1000, true);
    EXPECT_TRUE(ruler.InUse(second));
    ruler.DragTo(1000, false);
    (void)ruler.EndDrag();
    EXPECT_EQ(ruler.ApplyTo({}).tabStopsTwips, (std::vector<int>{710}));

    // With 32 tab stops there is no 33rd.
    std::vector<int> full;
    for (int i = 1; i <= 32; ++i)
        full.push_back(i * 284);
    ruler.SetParagraph(Paragraph(0, 0, 0, full));
    EXPECT_EQ(ruler.FreeTabMarker(), RulerMarkers::kNone);
    Drag(ruler, RulerMarkers::kNone, 100, 100);
    EXPECT_EQ(ruler.ApplyTo({}).tabStopsTwips, full);
}
