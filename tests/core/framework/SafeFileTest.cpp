// Safe saving beside the target: temporaries, links, and targets that may not be replaced.
#include "framework/SafeFile.h"

#include "framework/FileInput.h"
#include "framework/FilePath.h"
#include "framework/Refusal.h"
#include "framework/RegularFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#ifdef _WIN32
#include <windows.h>
#undef GetTempPath // the Win32 macro would rename CSafeFile::GetTempPath here
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
void Save(const std::string& path, const std::string& text) {
    CSafeFile::WriteAll(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

#ifdef _WIN32
// A child process, held suspended until destroyed; Id() stays valid while it lives.
class ChildProcess {
public:
    ChildProcess() {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        wchar_t command[] = L"cmd.exe /c exit 0";
        EXPECT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                   nullptr, nullptr, &startup, &m_info));
    }
    ~ChildProcess() {
        TerminateProcess(m_info.hProcess, 0);
        WaitForSingleObject(m_info.hProcess, INFINITE);
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    [[nodiscard]] unsigned long Id() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info{};
};

unsigned long DeadProcess() {
    return ChildProcess().Id();
}
#else
// The id of a process that has ended.
pid_t DeadProcess() {
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}
#endif

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
#ifdef _WIN32
    const ChildProcess liveProcess;
    const std::string live = std::to_string(liveProcess.Id());
#else
    const std::string live = std::to_string(getppid());
#endif
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
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
#endif
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
    const std::string kSpecial = " is not a regular file (it is a device, a pipe or a socket)";
    std::vector<std::pair<std::string, std::string>> cases{
        {dir.Path("folder"), dir.Path("folder") + " is a folder, not a file"}};
#ifndef _WIN32 // pipes in the file system and /dev are POSIX's
    ASSERT_EQ(mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    cases.emplace_back(dir.Path("pipe"), dir.Path("pipe") + kSpecial);
    cases.emplace_back("/dev/null", "/dev/null" + kSpecial);
    EXPECT_THROW((void)OpenRegularFile("/dev/zero"), CFileRefusal);
    struct stat st {};
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
#endif
    for (const auto& [path, reason] : cases) {
        try {
            CSafeFile file(path);
            ADD_FAILURE() << path << " accepted";
        } catch (const CFileRefusal& refusal) {
            EXPECT_EQ(refusal.GetReason(), reason);
            EXPECT_EQ(std::string(refusal.what()), reason + ".");
        }
        EXPECT_THROW((void)OpenRegularFile(path), CFileRefusal) << path;
    }
    for (const std::string& name : Names(dir.Dir()))
        EXPECT_EQ(name.find(".kubo-save-"), std::string::npos) << name;

#ifdef _WIN32
    const bool mayWriteAnything = false;
#else
    const bool mayWriteAnything = geteuid() == 0;
#endif
    if (!mayWriteAnything) { // a read-only file is not replaced (root may write anything)
        const std::string locked = dir.Write("locked.qlg", "old");
        fs::permissions(locked, fs::perms::owner_read);
        EXPECT_THROW(Save(locked, "new"), CFileException);
        EXPECT_EQ(TempDir::Read(locked), "old");
    }
}

// A name with characters outside any ANSI code page is saved, replaced and read back under
// that name (on Windows through the wide-character API).
TEST(SafeFile, NamesKeepEveryCharacter) {
    TempDir dir("kubo_safe_unicode");
    const std::string name =
        "\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD \xE2\x98\x81.qlg"; // Žluťoučký ☁
    const std::string path = PathToUtf8(PathFromUtf8(dir.Path("")) / PathFromUtf8(name));
    Save(path, "old");
    Save(path, "new");
    EXPECT_EQ(TempDir::Read(PathFromUtf8(path)), "new");
    ASSERT_EQ(PathToUtf8(fs::directory_iterator(dir.Dir())->path().filename()), name);
    CFileInput in(path);
    EXPECT_EQ(in.GetLength(), 3u);
}
