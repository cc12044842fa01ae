// Safe saving beside the target: temporaries, links, and targets that may not be replaced.
#include "framework/SafeFile.h"

#include "framework/Refusal.h"
#include "framework/RegularFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
void Save(const std::string& path, const std::string& text) {
    CSafeFile::WriteAll(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// The id of a process that has ended.
pid_t DeadProcess() {
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

// 97 of 200 killed saves left "NAME.tmp<pid>-<n>" files of up to 100 MB. Temporaries carry a
// name that says what they are, and those of the same target whose process is gone go at the
// next save; a live process's and other targets' stay.
TEST(SafeFile, KilledSavesLeaveNoTemporariesBehind) {
    TempDir dir("kubo_safe_stale");
    const std::string dead = std::to_string(DeadProcess());
    const std::string live = std::to_string(getppid());
    for (const std::string& name :
         {"p.qlg.kubo-save-" + dead + ".tmp", "p.qlg.kubo-save-" + dead + "-3.tmp",
          "p.qlg.tmp" + dead + "-0", "p.qlg.kubo-save-" + live + ".tmp",
          "q.qlg.kubo-save-" + dead + ".tmp", std::string("p.qlg.kubo-save-x.tmp")})
        dir.Write(name, "partial");
    {
        CSafeFile file(dir.Path("p.qlg"));
        EXPECT_EQ(file.GetTempPath(),
                  dir.Path("p.qlg.kubo-save-" + std::to_string(getpid())) + ".tmp");
        file.Commit();
    }
    EXPECT_EQ(Names(dir.Dir()), (std::vector<std::string>{
                                    "p.qlg", "p.qlg.kubo-save-" + live + ".tmp",
                                    "p.qlg.kubo-save-x.tmp", "q.qlg.kubo-save-" + dead + ".tmp"}));
}

// Saving through a symbolic link replaced the link with a file.
TEST(SafeFile, SavingThroughALinkWritesItsTargetAndKeepsTheLink) {
    TempDir dir("kubo_safe_link");
    fs::create_directories(dir.Dir() / "real");
    dir.Write("real/p.qlg", "old");
    fs::create_symlink("real/p.qlg", dir.Dir() / "link.qlg");
    fs::create_symlink("link.qlg", dir.Dir() / "chain.qlg");
    Save(dir.Path("chain.qlg"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.Dir() / "chain.qlg"));
    EXPECT_TRUE(fs::is_symlink(dir.Dir() / "link.qlg"));
    EXPECT_EQ(TempDir::Read(dir.Dir() / "real" / "p.qlg"), "new");
    EXPECT_EQ(Names(dir.Dir() / "real"), std::vector<std::string>{"p.qlg"});
}

// A folder, a pipe or a device as the target is refused with words that say so, before a
// temporary is made (a device could have been replaced by a file); as a source too, without
// blocking on the pipe.
TEST(SafeFile, FoldersPipesAndDevicesAreRefusedAsTargetAndSource) {
    TempDir dir("kubo_safe_special");
    fs::create_directories(dir.Dir() / "folder");
    ASSERT_EQ(mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    for (const auto& [path, reason] :
         {std::pair<std::string, std::string>{dir.Path("folder"),
                                              dir.Path("folder") + " is a folder, not a file"},
          std::pair<std::string, std::string>{dir.Path("pipe"),
                                              dir.Path("pipe") + " is not a regular file (it is a "
                                                                 "device, a pipe or a socket)"},
          std::pair<std::string, std::string>{"/dev/null",
                                              std::string("/dev/null is not a regular file (it "
                                                          "is a device, a pipe or a socket)")}}) {
        try {
            CSafeFile file(path);
            ADD_FAILURE() << path << " accepted";
        } catch (const CFileRefusal& refusal) {
            EXPECT_EQ(refusal.GetReason(), reason);
            EXPECT_EQ(std::string(refusal.what()), reason + ".");
        }
        EXPECT_THROW((void)OpenRegularFile(path), CFileRefusal) << path;
    }
    EXPECT_THROW((void)OpenRegularFile("/dev/zero"), CFileRefusal);
    EXPECT_EQ(Names(dir.Dir()), (std::vector<std::string>{"folder", "pipe"}));
    struct stat st {};
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    if (geteuid() != 0) { // a read-only file is not replaced (root may write anything)
        const std::string locked = dir.Write("locked.qlg", "old");
        fs::permissions(locked, fs::perms::owner_read);
        EXPECT_THROW(Save(locked, "new"), CFileException);
        EXPECT_EQ(TempDir::Read(locked), "old");
    }
}
