// make-example: finishes a project that kubo-cli imported from the example's raw text as a
// user would in the program: the session and flights named, two flights ticked for the graph,
// and a few annotations of each kind. Usage: make-example IN.qlg OUT.qlg
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/Archive.h"
#include "framework/CodePage.h"
#include "framework/Exception.h"
#include "framework/SafeFile.h"
#include "framework/UiServices.h"
#include "shell/MainDoc.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {
// Nothing is asked: the tool only loads and saves.
class SilentUi final : public CUiServices {
public:
    using CUiServices::MessageBox;
    MsgResult MessageBox(const std::string& text, MsgButtons, MsgIcon) override {
        std::fprintf(stderr, "make-example: %s\n", text.c_str());
        return MsgResult::Ok;
    }
};

void Annotate(CDataBlock& flight, CAnnotation::Kind kind, double seconds, double metres,
              const std::string& text, std::int32_t style, std::uint32_t colour) {
    auto note = std::make_unique<CAnnotation>();
    note->m_nKind = kind;
    note->m_dTime = seconds;
    note->m_dAltitude = metres;
    note->m_strText = text;
    note->m_nStyle = style;
    note->m_nAlignment = 0;
    note->m_crColour = colour;
    flight.AppendAnnotation(std::move(note));
}

constexpr std::int32_t kDashedLine = 1;
constexpr std::int32_t kDotLine = 2;
constexpr std::int32_t kSolidDiamond = 8;
constexpr std::uint32_t kDarkRed = 0x000080;
constexpr std::uint32_t kDarkBlue = 0x800000;
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: make-example IN.qlg OUT.qlg\n", stderr);
        return 2;
    }
    SilentUi ui;
    CMainDoc doc(&ui);
    try {
        {
            std::unique_ptr<CArchiveInput> input = doc.GetFileForLoad(argv[1]);
            CArchive ar(*input, argv[1], CCodePage::kDefault);
            doc.Serialize(ar);
        }
        if (doc.GetSessions().GetCount() != 1 ||
            doc.GetSessions().GetAt(0)->GetFlights().GetCount() != 4) {
            std::fputs("make-example: expected one session of four flights\n", stderr);
            return 1;
        }
        CDataModule& session = *doc.GetSessions().GetAt(0);
        session.SetName("Club day at the ridge", false, nullptr);
        const char* names[] = {"Local soaring", "Training circuit", "Cross-country", "Evening"};
        for (std::ptrdiff_t i = 0; i < 4; ++i)
            session.GetFlights().GetAt(i)->SetName(names[i], false, nullptr);

        CDataBlock& local = *session.GetFlights().GetAt(0);
        CDataBlock& cross = *session.GetFlights().GetAt(2);
        local.SetShown(true, false, nullptr);
        cross.SetShown(true, false, nullptr);
        Annotate(cross, CAnnotation::kHorizontalLine, 0, 1500, "Airspace limit 1500 m", kDashedLine,
                 kDarkRed);
        Annotate(cross, CAnnotation::kVerticalLine, 1860, 0, "Turn point", kDotLine, kDarkBlue);
        Annotate(local, CAnnotation::kDataPoint, 1380, 955, "Thermal at the quarry", kSolidDiamond,
                 kDarkBlue);

        std::unique_ptr<CSafeFile> file = doc.GetFileForSave(argv[2]);
        {
            CArchive ar(*file, argv[2], CCodePage::kDefault);
            doc.Serialize(ar);
            ar.Flush();
        }
        file->Commit();
    } catch (const CException& error) {
        std::fprintf(stderr, "make-example: failed (cause %d)\n",
                     static_cast<int>(error.GetCause()));
        return 1;
    }
    return 0;
}
