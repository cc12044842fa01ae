// New, Open, Save, Save As and the save-changes question, on a real project document and files.
#include "shell/FileCommands.h"

#include "data/DataModule.h"
#include "framework/CommandIds.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "shell/MainDoc.h"
#include "shell/MainDocFiles.h"
#include "support/FakeUi.h"
#include "support/RecordingView.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
struct Flow {
    Flow() {
        doc.AddView(&views);
        commands.SetPathListener([this](const std::string& path) { paths.push_back(path); });
        EXPECT_TRUE(commands.NewDocument());
    }
    ~Flow() { doc.RemoveView(&views); }
    // Adds a session so that there is something to lose.
    void Edit() {
        doc.GetSessions().AddTail(std::make_unique<CDataModule>(&doc));
        doc.SetModifiedFlag(true);
    }
    bool Run(unsigned command) { return commands.OnCmdMsg(command, nullptr); }
    [[nodiscard]] std::vector<std::string> Questions() const {
        std::vector<std::string> texts;
        for (const FakeUi::Shown& shown : ui.Messages())
            if (shown.buttons == MsgButtons::YesNoCancel)
                texts.push_back(shown.text);
        return texts;
    }

    TempDir dir{"filecmds"};
    FakeUi ui;
    CMainDoc doc{&ui};
    CMainDocFiles files{doc};
    CFileCommands commands{doc, files};
    RecordingView views;
    std::vector<std::string> paths;
};
} // namespace

TEST(FileCommands, SaveAsAddsTheExtensionAndOpenReadsItBack) {
    Flow f;
    EXPECT_EQ(f.doc.GetTitle(), "Untitled");
    f.Edit();
    const std::string trip = f.dir.Path("trip");
    f.ui.QueueSaveFile(trip);
    ASSERT_TRUE(f.Run(cmd::FileSaveAs));
    EXPECT_EQ(f.ui.SaveProposals(), std::vector<std::string>{"Untitled.qlg"});
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_EQ(f.doc.GetPathName(), trip + ".qlg");
    EXPECT_EQ(f.doc.GetTitle(), "trip.qlg");
    EXPECT_EQ(f.paths.back(), trip + ".qlg");

    // Save writes to the path it has without asking; New then Open brings the session back.
    f.Edit();
    ASSERT_TRUE(f.Run(cmd::FileSave));
    EXPECT_EQ(f.ui.SaveProposals().size(), 1U);
    ASSERT_TRUE(f.Run(cmd::FileNew));
    EXPECT_TRUE(f.doc.GetSessions().IsEmpty());
    EXPECT_EQ(f.paths.back(), "");
    f.ui.QueueOpenFile(trip + ".qlg");
    f.views.Clear();
    ASSERT_TRUE(f.Run(cmd::FileOpen));
    EXPECT_EQ(f.doc.GetSessions().GetCount(), 2);
    EXPECT_EQ(f.doc.GetTitle(), "trip.qlg");
    EXPECT_EQ(f.views.Updates().back().hint, HINT_REBUILD);
    EXPECT_TRUE(f.Questions().empty()); // nothing was ever at risk
}

TEST(FileCommands, TheSaveChangesQuestionGuardsEveryChange) {
    Flow f;
    f.Edit();
    // Cancel, and Yes with the name prompt cancelled, both leave the project as it is.
    f.ui.QueueAnswer(MsgResult::Cancel);
    EXPECT_FALSE(f.commands.SaveModified());
    f.ui.QueueAnswer(MsgResult::Yes);
    EXPECT_FALSE(f.commands.SaveModified());
    ASSERT_EQ(f.Questions().size(), 2U);
    EXPECT_EQ(f.Questions()[0], "Save changes to Untitled?");
    EXPECT_TRUE(f.doc.IsModified());

    // A save that fails keeps the project modified and stops New.
    f.ui.QueueAnswer(MsgResult::Yes);
    f.ui.QueueSaveFile(f.dir.Path("missing/folder/trip.qlg"));
    ASSERT_TRUE(f.Run(cmd::FileNew));
    EXPECT_EQ(f.doc.GetSessions().GetCount(), 1);
    EXPECT_TRUE(f.doc.IsModified());

    // No discards the changes.
    f.ui.QueueAnswer(MsgResult::No);
    ASSERT_TRUE(f.Run(cmd::FileNew));
    EXPECT_TRUE(f.doc.GetSessions().IsEmpty());
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(FileCommands, AFileThatCannotBeOpenedSaysWhyAndChangesNothingOrLeavesANewProject) {
    Flow f;
    f.Edit();
    // Missing, or a folder: reported with the reason before the question, the project stays.
    for (const auto& [path, reason] : {std::pair{f.dir.Path("missing.qlg"), "was not found"},
                                       std::pair{f.dir.Dir().string(), "is a folder"}}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(f.commands.OpenDocumentFile(path));
        const std::string& text = f.ui.Messages().back().text;
        EXPECT_TRUE(text.starts_with(FormatString1(str::FailedToOpenDocument, path) + "\n"));
        EXPECT_NE(text.find(reason), std::string::npos);
    }
    EXPECT_TRUE(f.Questions().empty());
    EXPECT_EQ(f.doc.GetSessions().GetCount(), 1);

    // An empty file or one that is not a project: said so; after No to the question, a new
    // untitled project.
    for (const auto& [path, reason] :
         {std::pair{f.dir.Write("empty.qlg", ""), "is empty"},
          std::pair{f.dir.Write("junk.qlg", "not a project"), "is not a Kubo project file"}}) {
        SCOPED_TRACE(path);
        f.Edit();
        f.ui.QueueAnswer(MsgResult::No);
        EXPECT_FALSE(f.commands.OpenDocumentFile(path));
        EXPECT_NE(f.ui.Messages().back().text.find(path + " " + reason), std::string::npos);
        EXPECT_TRUE(f.doc.GetSessions().IsEmpty());
        EXPECT_EQ(f.doc.GetTitle(), "Untitled");
        EXPECT_EQ(f.paths.back(), "");
    }
}
