// kubo-cli send and read over pseudo-terminals: send plays a raw file to one pair, the test
// relays it to a second pair (as a null-modem cable would), read writes the project.
#include <gtest/gtest.h>

#if defined(KUBO_CLI_PATH) && defined(KUBO_CLI_HAS_SERIAL) && !defined(_WIN32)
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "shell/MainDoc.h"
#include "support/PtyPair.h"
#include "support/TempDir.h"
#include "support/Transmission.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

using namespace testing_transmission;

namespace {
namespace fs = std::filesystem;

// A running kubo-cli with its stderr in a file.
class CliProcess {
public:
    CliProcess(const std::vector<std::string>& args, const fs::path& errFile) {
        std::vector<std::string> all{KUBO_CLI_PATH};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~CliProcess() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            (void)Wait();
        }
    }
    [[nodiscard]] bool Started() const { return m_pid > 0; }
    void Signal(int sig) const { kill(m_pid, sig); }
    // The exit code, or -1 when it did not exit normally.
    int Wait() {
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
};

// Waits until the file holds text (a process reached a point it reports); false after 10 s.
bool WaitForText(const fs::path& path, const std::string& text) {
    for (int i = 0; i < 1000; ++i) {
        if (TempDir::Read(path).find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

struct CliSerial : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(device.IsOpen()); }

    // The project file as the sessions' flight names.
    std::vector<std::vector<std::string>> Project(const fs::path& file) {
        CMainDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(file.string()));
        std::vector<std::vector<std::string>> sessions;
        for (const CDataModule* session : doc.GetSessions()) {
            std::vector<std::string> names{session->GetName()};
            for (const CDataBlock* flight : session->GetFlights())
                names.push_back(flight->GetName() + ":" +
                                std::to_string(flight->GetRawSamples().size()));
            sessions.push_back(names);
        }
        return sessions;
    }

    TempDir temp{"kubo-cli-serial"};
    const fs::path dir = temp.Dir();
    PtyPair device; // read takes the slave, the test plays the altimeter on the master
};

TEST_F(CliSerial, SendIntoReadWritesOneSessionPerFlightWithSeparate) {
    PtyPair cable; // send writes to its slave; the test relays its master to the device
    ASSERT_TRUE(cable.IsOpen());
    const fs::path raw = dir / "flights.txt";
    std::ofstream(raw, std::ios::binary) << "Session1\n06.12.2026 10:00\n"
                                         << FlightsText(3, 3, {2, 253, 3});
    const fs::path out = dir / "out.qlg";

    CliProcess read({"read", "--port", device.SlaveName(), "-o", out.string(), "--separate"},
                    dir / "read.err");
    ASSERT_TRUE(read.Started());
    ASSERT_TRUE(WaitForText(dir / "read.err", "Waiting for data"));

    std::atomic<bool> stop{false};
    std::thread relay([&] {
        char buffer[256];
        while (!stop) {
            pollfd fd{cable.Master(), POLLIN, 0};
            if (poll(&fd, 1, 20) > 0 && (fd.revents & POLLIN)) {
                const ssize_t n = ::read(cable.Master(), buffer, sizeof buffer);
                if (n > 0)
                    device.Send(std::string_view(buffer, static_cast<std::size_t>(n)));
            }
        }
    });
    CliProcess send({"send", "--port", cable.SlaveName(), raw.string(), "--baud", "115200"},
                    dir / "send.err");
    ASSERT_TRUE(send.Started());
    EXPECT_EQ(send.Wait(), 0) << TempDir::Read(dir / "send.err");
    const int readExit = read.Wait();
    stop = true;
    relay.join();

    ASSERT_EQ(readExit, 0) << TempDir::Read(dir / "read.err");
    EXPECT_EQ(Project(out), (std::vector<std::vector<std::string>>{{"Session1", "Flight 1:3"},
                                                                   {"Session2", "Flight 2:3"},
                                                                   {"Session3", "Flight 3:3"}}));
    const std::string progress = TempDir::Read(dir / "read.err");
    EXPECT_NE(progress.find("Reading... (flight count: 3)"), std::string::npos) << progress;
}

TEST_F(CliSerial, InterruptKeepsWhatArrivedWithAWarning) {
    const fs::path out = dir / "out.qlg";
    CliProcess read({"read", "--port", device.SlaveName(), "-o", out.string()}, dir / "read.err");
    ASSERT_TRUE(read.Started());
    ASSERT_TRUE(WaitForText(dir / "read.err", "Waiting for data"));
    // Two whole flights and the start of the third.
    ASSERT_TRUE(device.Send(FlightsText(3, 2, {2, 253}, false) + Lines({127, 1, 44, 10})));
    ASSERT_TRUE(WaitForText(dir / "read.err", "flight count: 3"));
    read.Signal(SIGINT);
    ASSERT_EQ(read.Wait(), 0) << TempDir::Read(dir / "read.err");
    const std::string err = TempDir::Read(dir / "read.err");
    EXPECT_NE(err.find("warning: interrupted"), std::string::npos) << err;
    const auto project = Project(out);
    ASSERT_EQ(project.size(), 1u);
    EXPECT_EQ(project[0].size(), 4u); // the session and its three flights
}

TEST_F(CliSerial, InterruptBeforeAnyDataWritesNothing) {
    const fs::path out = dir / "out.qlg";
    CliProcess read({"read", "--port", device.SlaveName(), "-o", out.string()}, dir / "read.err");
    ASSERT_TRUE(read.Started());
    ASSERT_TRUE(WaitForText(dir / "read.err", "Waiting for data"));
    read.Signal(SIGINT);
    EXPECT_EQ(read.Wait(), 1);
    EXPECT_FALSE(fs::exists(out));
}

// The whole transmission was discarded when OUT could not be written, and the device may have
// emptied its memory by then. OUT is checked before reading; should the save still fail, the
// flights go to a file of their own and stderr says where.
TEST_F(CliSerial, ReceivedFlightsAreNeverThrownAway) {
    CliProcess early({"read", "--port", device.SlaveName(), "-o", (dir / "none/o.qlg").string()},
                     dir / "early.err");
    EXPECT_EQ(early.Wait(), 1);
    const std::string earlyErr = TempDir::Read(dir / "early.err");
    EXPECT_NE(earlyErr.find("does not exist"), std::string::npos) << earlyErr;
    EXPECT_EQ(earlyErr.find("Waiting for data"), std::string::npos) << earlyErr;

    fs::create_directories(dir / "out");
    fs::create_directories(dir / "home");
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    setenv("HOME", (dir / "home").c_str(), 1);
    CliProcess read({"read", "--port", device.SlaveName(), "-o", (dir / "out/o.qlg").string()},
                    dir / "read.err");
    setenv("HOME", savedHome.c_str(), 1);
    ASSERT_TRUE(WaitForText(dir / "read.err", "Waiting for data"));
    fs::remove_all(dir / "out"); // the save will fail
    ASSERT_TRUE(device.Send(FlightsText(3, 3, {2, 253, 3})));
    EXPECT_EQ(read.Wait(), 1);
    const std::string err = TempDir::Read(dir / "read.err");
    ASSERT_EQ(std::distance(fs::directory_iterator(dir / "home"), fs::directory_iterator()), 1)
        << err;
    const fs::path saved = fs::directory_iterator(dir / "home")->path();
    EXPECT_NE(err.find("saved to " + saved.string() + " instead"), std::string::npos) << err;
    const auto project = Project(saved);
    ASSERT_EQ(project.size(), 1u);
    EXPECT_EQ(project[0].size(), 4u); // the session and its three flights
}

TEST_F(CliSerial, MissingPortAndBadArgumentsFail) {
    CliProcess missing({"read", "--port", (dir / "none").string(), "-o", (dir / "o.qlg").string()},
                       dir / "missing.err");
    EXPECT_EQ(missing.Wait(), 1);
    EXPECT_NE(TempDir::Read(dir / "missing.err").find("Error opening serial port."),
              std::string::npos);
    CliProcess noOut({"read", "--port", device.SlaveName()}, dir / "noout.err");
    EXPECT_EQ(noOut.Wait(), 2);
    CliProcess badBaud({"send", "--port", device.SlaveName(), "x.txt", "--baud", "fast"},
                       dir / "baud.err");
    EXPECT_EQ(badBaud.Wait(), 2);
}

} // namespace
#endif
