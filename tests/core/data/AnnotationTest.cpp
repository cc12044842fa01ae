#include "data/Annotation.h"

#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/StringTable.h"
#include "shell/MainDoc.h"
#include "support/ProjectBuilder.h"

#include <gtest/gtest.h>

namespace {
std::unique_ptr<CAnnotation> Make(int kind, double time, double altitude,
                                  const std::string& text = "x") {
    auto note = std::make_unique<CAnnotation>();
    note->m_nKind = kind;
    note->m_dTime = time;
    note->m_dAltitude = altitude;
    note->m_strText = text;
    return note;
}

std::size_t CountEntries(const std::string& list) {
    std::size_t n = 0;
    while (GetListEntry(list, n))
        ++n;
    return n;
}
} // namespace

// The device's marker is bound to its sample and shows as a small circle labelled "M<n>".
TEST(Annotation, DeviceMarker) {
    CDataBlock flight;
    auto marker = CAnnotation::MakeDataMarker(&flight, 3, 12.5);
    EXPECT_TRUE(marker->m_bBoundToData);
    EXPECT_EQ(marker->m_dTime, 12.5);
    EXPECT_EQ(marker->GetOwner(), &flight);
    EXPECT_EQ(GetListEntry(CAnnotation::GetStyleNames(marker->m_nKind), marker->m_nStyle),
              "Small Circle");
    EXPECT_EQ(marker->GetChartLabel(), "|l  M3");
}

TEST(Annotation, EveryAlignmentDescriptionHasItsCode) {
    for (int kind = 0; kind < 3; ++kind)
        EXPECT_EQ(CountEntries(CAnnotation::GetAlignmentDescriptions(kind)),
                  CountEntries(CAnnotation::GetAlignmentCodes(kind)));
    EXPECT_EQ(CAnnotation::GetStyleNames(3), "");
    EXPECT_EQ(CAnnotation::GetAlignmentCodes(-1), "");
}

TEST(AnnotationLabel, CodeThenIndentedBodyCutTo46Characters) {
    auto note = Make(CAnnotation::kHorizontalLine, 0, 0, "a\r\nb");
    note->m_nAlignment = 3;
    EXPECT_EQ(note->GetChartLabel(), "|r  a\n  b");

    note->m_strText = std::string(60, 'x');
    EXPECT_EQ(note->GetChartLabel(), "|r  " + std::string(44, 'x'));

    note->m_nKind = CAnnotation::kVerticalLine;
    note->m_nAlignment = 6;
    note->m_strText = "end";
    EXPECT_EQ(note->GetChartLabel(), "|h  end");

    // Indexes beyond the lists (edited files) give no code.
    note->m_nAlignment = 7;
    EXPECT_EQ(note->GetChartLabel(), "  end");
    note->m_nAlignment = -1;
    EXPECT_EQ(note->GetChartLabel(), "  end");
    note->m_nKind = 9;
    note->m_nAlignment = 0;
    EXPECT_EQ(note->GetChartLabel(), "  end");
}

TEST(AnnotationLabel, CutNeverSplitsAMultiByteCharacter) {
    CAnnotation note;
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "\xC3\xA9"; // é
    note.m_strText = text;
    const std::string label = note.GetChartLabel();
    // "|c", two spaces, then 44 whole characters of two bytes each.
    EXPECT_EQ(label.size(), 2u + 2u + 88u);
    EXPECT_EQ(label.substr(4, 2), "\xC3\xA9");
}

TEST(AnnotationMarks, VisibleAnnotationsWithOffsetsInTheDisplayUnits) {
    CMainDoc doc;
    CDataBlock* flight = testing_project::AddFlight(*testing_project::AddSession(doc));

    flight->AppendAnnotation(Make(CAnnotation::kVerticalLine, 90.0, 0.0));
    auto hidden = Make(CAnnotation::kVerticalLine, 1.0, 0.0);
    hidden->m_bVisible = false;
    flight->AppendAnnotation(std::move(hidden));
    auto line = Make(CAnnotation::kHorizontalLine, 0.0, 100.0, "top");
    line->m_nStyle = 6;
    line->m_crColour = 0x00FF8000;
    flight->AppendAnnotation(std::move(line));
    // Kinds outside the vocabulary only come from edited files; they have no place on the chart.
    flight->AppendAnnotation(Make(7, 1.0, 1.0));
    flight->AppendAnnotation(Make(-1, 1.0, 1.0));
    flight->SetPendingOffset(true, 30.0f, 10.0f);

    std::vector<AnnotationMark> marks = flight->GetAnnotationMarks(true);
    ASSERT_EQ(marks.size(), 2U);
    EXPECT_EQ(marks[0].kind, CAnnotation::kVerticalLine);
    EXPECT_DOUBLE_EQ(marks[0].x, 2.0); // (30 s + 90 s) / 60
    EXPECT_EQ(marks[1].kind, CAnnotation::kHorizontalLine);
    EXPECT_DOUBLE_EQ(marks[1].y, 110.0);
    EXPECT_EQ(marks[1].style, 6);
    EXPECT_EQ(marks[1].colour, 0x00FF8000);
    EXPECT_EQ(marks[1].label, "|c  top");

    // Seconds on the time axis; feet use the single-precision factor widened to double.
    doc.SetShowFeet(1);
    marks = flight->GetAnnotationMarks(false);
    EXPECT_DOUBLE_EQ(marks[0].x, 120.0);
    EXPECT_EQ(marks[1].y, 110.0 * static_cast<double>(3.28084f));
}
