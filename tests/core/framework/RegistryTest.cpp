#include "framework/Registry.h"

#include "calc/RecentFormulaLists.h"
#include "framework/FileRegistryStore.h"
#include "framework/MemoryRegistryStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>
#ifdef _WIN32
#include "framework/WinRegistryStore.h"

#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
constexpr const char* kOptions = "Software\\Tervane\\Kubo\\Options";
} // namespace

TEST(Registry, ValuesOfAnotherTypeReadAsTheDefault) {
    MemoryRegistryStore store;
    store.Put(RegRoot::CurrentUser, kOptions, "Text", std::string("abc"));
    store.Put(RegRoot::CurrentUser, kOptions, "Number", std::uint32_t{7});
    store.Put(RegRoot::CurrentUser, kOptions, "Bytes", std::vector<std::uint8_t>{1, 2, 3});
    auto key = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
    ASSERT_TRUE(key);

    EXPECT_EQ(ReadRegString(key.get(), "text", "d"), "abc"); // names ignore case
    EXPECT_EQ(ReadRegString(key.get(), "Number", "d"), "d");
    EXPECT_EQ(ReadRegDword(key.get(), "Number", 1), 7u);
    EXPECT_EQ(ReadRegDword(key.get(), "Text", 1), 1u);
    EXPECT_EQ(ReadRegDword(nullptr, "Number", 1), 1u);

    std::uint8_t buffer[4] = {9, 9, 9, 9};
    std::size_t size = 99;
    EXPECT_FALSE(ReadRegBinary(key.get(), "Text", buffer, 4, &size));
    EXPECT_EQ(size, 4u); // the stored size is reported even when the type is wrong
    EXPECT_TRUE(ReadRegBinary(key.get(), "Bytes", nullptr, 0, &size));
    EXPECT_EQ(size, 3u);
    EXPECT_FALSE(ReadRegBinary(key.get(), "Bytes", buffer, 2, &size));
    EXPECT_EQ(buffer[0], 9);
    EXPECT_TRUE(ReadRegBinary(key.get(), "Bytes", buffer, 4, nullptr));
    EXPECT_EQ(buffer[2], 3);
    EXPECT_EQ(buffer[3], 9);
    EXPECT_FALSE(ReadRegBinary(key.get(), "Missing", buffer, 4, &size));
    EXPECT_EQ(size, 0u);
}

TEST(Registry, StringListsSplitAtEveryLineFeed) {
    MemoryRegistryStore store;
    auto key = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
    CStringArrayEx list{"stale"};

    ASSERT_TRUE(WriteRegString(key.get(), "List", "a\n\nc"));
    ReadRegStringList(list, key.get(), "List", "");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "", "c"}));

    ReadRegStringList(list, key.get(), "Missing", "x\ny\n");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"x", "y", ""}));
    ReadRegStringList(list, key.get(), "Missing", "");
    EXPECT_TRUE(list.IsEmpty());

    ASSERT_TRUE(WriteRegStringList(key.get(), "Back", CStringArrayEx{"p", "", "q"}));
    EXPECT_EQ(ReadRegString(key.get(), "Back", "d"), "p\n\nq");
    ASSERT_TRUE(WriteRegStringList(key.get(), "Back", CStringArrayEx{}));
    EXPECT_EQ(ReadRegString(key.get(), "Back", "d"), "");
}

TEST(Registry, TheMachineHiveIsOnlyRead) {
    MemoryRegistryStore store;
    EXPECT_FALSE(OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::LocalMachine));
    store.Put(RegRoot::LocalMachine, kOptions, "Formula_Pressure", std::string("X"));
    auto machine = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::LocalMachine);
    ASSERT_TRUE(machine);
    EXPECT_EQ(ReadRegString(machine.get(), "Formula_Pressure", ""), "X");
    EXPECT_FALSE(WriteRegString(machine.get(), "Formula_Pressure", "Y"));
    EXPECT_FALSE(OpenRegKeyPath("Software\nOther", store, RegRoot::LocalMachine));

    store.SetAvailable(RegRoot::CurrentUser, false);
    EXPECT_FALSE(OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser));
    EXPECT_FALSE(WriteRegDword(nullptr, "x", 1));
}

TEST(FileRegistryStore, HivesRoundTripThroughTheirTextFiles) {
    TempDir user("kubo_reg_user"), machine("kubo_reg_machine");
    {
        std::ofstream(machine.Dir() / FileRegistryStore::kFileName, std::ios::binary)
            << "; machine defaults\n"
               "[Software\\Tervane\\Kubo\\Options]\n"
               "\"MRU_Formulas_Pressure\"=\"X/2\\nX/3\"\r\n"
               "\"Broken\"=dword:xyz\n"
               "not a value line\n"
               "\"Show_Feet\"=dword:00000001\n";
    }
    const std::string tricky = "quote \" back \\ tab\t cr\r lf\n bell\x07 caf\xC3\xA9";
    const std::vector<std::uint8_t> bytes{0x1c, 0, 0xff};
    {
        FileRegistryStore store(user.Dir().string(), machine.Dir().string());
        auto key = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
        ASSERT_TRUE(WriteRegString(key.get(), "Tricky", tricky));
        ASSERT_TRUE(WriteRegDword(key.get(), "Number", 0xDEADBEEF));
        ASSERT_TRUE(WriteRegBinary(key.get(), "Bytes", bytes.data(), bytes.size()));
        ASSERT_TRUE(WriteRegBinary(key.get(), "Nothing", nullptr, 0));

        auto machineKey = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::LocalMachine);
        ASSERT_TRUE(machineKey);
        EXPECT_EQ(ReadRegString(machineKey.get(), "MRU_Formulas_Pressure", ""), "X/2\nX/3");
        EXPECT_EQ(ReadRegDword(machineKey.get(), "Show_Feet", 0), 1u);
        EXPECT_EQ(ReadRegDword(machineKey.get(), "Broken", 5), 5u);
        EXPECT_FALSE(WriteRegString(machineKey.get(), "X", "Y"));
    }
    // Only the hive file remains: the write went through a temporary that was renamed.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(user.Dir()),
                            std::filesystem::directory_iterator()),
              1);
    const std::string text = TempDir::Read(user.Dir() / FileRegistryStore::kFileName);
    EXPECT_NE(text.find("\"Number\"=dword:deadbeef"), std::string::npos);
    EXPECT_NE(text.find("\"Bytes\"=hex:1c,00,ff"), std::string::npos);

    FileRegistryStore again(user.Dir().string(), machine.Dir().string());
    auto key = OpenRegKeyPath(kOptionsKeyPath, again, RegRoot::CurrentUser);
    EXPECT_EQ(ReadRegString(key.get(), "Tricky", ""), tricky);
    EXPECT_EQ(ReadRegDword(key.get(), "Number", 0), 0xDEADBEEFu);
    EXPECT_EQ(ReadRegString(key.get(), "Number", "typed"), "typed");
    std::uint8_t buffer[8];
    std::size_t size = 0;
    EXPECT_TRUE(ReadRegBinary(key.get(), "Bytes", buffer, sizeof buffer, &size));
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + size), bytes);
    EXPECT_TRUE(ReadRegBinary(key.get(), "Nothing", buffer, sizeof buffer, &size));
    EXPECT_EQ(size, 0u);
}

TEST(FileRegistryStore, AnUnwritableFolderFailsTheWriteQuietly) {
    TempDir folder("kubo_reg");
    const std::filesystem::path blocker = folder.Write("file", "x");
    FileRegistryStore store((blocker / "sub").string(), folder.Path("none"));
    auto key = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
    ASSERT_TRUE(key);
    EXPECT_FALSE(WriteRegString(key.get(), "A", "b"));
    EXPECT_FALSE(OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::LocalMachine));
}

// A settings file the program could not read was silently replaced at the next save, and a
// pipe in its place stopped start-up. Such a file is never opened for good nor overwritten; the
// settings live in memory for the run, and the store says why once.
TEST(FileRegistryStore, AStoreThatFailedToLoadIsNeverOverwritten) {
    TempDir folder("kubo_reg_unreadable");
    const std::filesystem::path pipeFolder = folder.Dir() / "pipe";
    const std::filesystem::path dirFolder = folder.Dir() / "dir";
    std::filesystem::create_directories(dirFolder / FileRegistryStore::kFileName);
    std::vector<std::pair<std::filesystem::path, const char*>> cases{{dirFolder, "it is a folder"}};
#ifndef _WIN32 // pipes in the file system and modes are POSIX's
    std::filesystem::create_directories(pipeFolder);
    ASSERT_EQ(mkfifo((pipeFolder / FileRegistryStore::kFileName).c_str(), 0600), 0);
    cases.emplace_back(pipeFolder, "it is not a regular file");
#endif
    for (const auto& [hive, words] : cases) {
        FileRegistryStore store(hive.string(), folder.Path("none"));
        auto key = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
        ASSERT_TRUE(key);
        EXPECT_FALSE(WriteRegString(key.get(), "A", "b"));
        EXPECT_EQ(ReadRegString(key.get(), "A", ""), "b"); // kept for the run
        ASSERT_TRUE(store.GetUserHiveProblem());
        EXPECT_NE(store.GetUserHiveProblem()->find(words), std::string::npos);
        const auto file = std::filesystem::status(hive / FileRegistryStore::kFileName);
        EXPECT_FALSE(std::filesystem::is_regular_file(file));
    }
#ifndef _WIN32
    if (geteuid() != 0) { // the reviewer's case: a file of mode 000 (root reads anything)
        const std::string locked = folder.Write("registry.reg", "[A]\n");
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        FileRegistryStore store(folder.Dir().string(), folder.Path("none"));
        EXPECT_TRUE(store.GetUserHiveProblem());
        auto key = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
        EXPECT_FALSE(WriteRegString(key.get(), "A", "b"));
        EXPECT_EQ(std::filesystem::file_size(locked), 4u);
    }
#endif
    // A file that is not there is no problem: the first save makes it.
    FileRegistryStore fresh(folder.Path("fresh"), folder.Path("none"));
    EXPECT_FALSE(fresh.GetUserHiveProblem());
    auto key = OpenRegKeyPath(kOptionsKeyPath, fresh, RegRoot::CurrentUser);
    EXPECT_TRUE(WriteRegString(key.get(), "A", "b"));
}

TEST(RecentFormulaLists, MachineListsStandInUntilTheUserHasOwn) {
    MemoryRegistryStore store;
    store.Put(RegRoot::LocalMachine, kOptions, "MRU_Formulas_Pressure", std::string("P1\nP2"));
    store.Put(RegRoot::LocalMachine, kOptions, "MRU_Formulas_Altitude", std::string("A1"));
    store.Put(RegRoot::LocalMachine, kOptions, "MRU_Formulas_User", std::string("U1"));
    RecentListDefaults defaults;
    EnsureRecentListDefaults(store, defaults);
    EXPECT_EQ(defaults.pressure, "P1\nP2");

    EXPECT_EQ(ReadRecentList(store, kRecentPressureFormulas, defaults).Items(),
              (std::vector<std::string>{"P1", "P2"}));
    EXPECT_TRUE(ReadRecentList(store, kRecentUserFormulas, defaults).IsEmpty());

    // Once read, the defaults are not read again.
    store.Put(RegRoot::LocalMachine, kOptions, "MRU_Formulas_Pressure", std::string("other"));
    EnsureRecentListDefaults(store, defaults);
    EXPECT_EQ(defaults.pressure, "P1\nP2");

    ASSERT_TRUE(WriteRecentList(store, kRecentPressureFormulas, CStringArrayEx{"mine"}));
    EXPECT_EQ(ReadRecentList(store, kRecentPressureFormulas, defaults).Items(),
              std::vector<std::string>{"mine"});
}

TEST(RecentFormulaLists, AppendingAddsEachNewFormulaOnceAtTheEnd) {
    MemoryRegistryStore store;
    RecentListDefaults defaults{"P0", "A0"};
    AppendFormulasToRecentLists(store, "P0", "A1", defaults);
    AppendFormulasToRecentLists(store, "P0", "A1", defaults);
    EXPECT_EQ(store.Get(RegRoot::CurrentUser, kOptions, "MRU_Formulas_Altitude"),
              RegValue{std::string("A0\nA1")});
    // The pressure list never changed, so it was never written.
    EXPECT_FALSE(store.Get(RegRoot::CurrentUser, kOptions, "MRU_Formulas_Pressure"));
    EXPECT_EQ(store.GetWriteCount(), 1);

    AppendFormulasToRecentLists(store, "p0", "A0", defaults); // comparison is exact
    EXPECT_EQ(store.Get(RegRoot::CurrentUser, kOptions, "MRU_Formulas_Pressure"),
              RegValue{std::string("P0\np0")});
}

#ifdef _WIN32
// The Windows registry itself (wine's under test): values keep their type, text is stored as
// UTF-16 with every character, and the machine hive is only read.
TEST(WinRegistryStore, KeepsTypesAndTextInTheRegistry) {
    const std::string name = "KuboTest" + std::to_string(GetCurrentProcessId());
    const std::wstring widePath = L"Software\\Tervane\\" + std::wstring(name.begin(), name.end());
    const std::string text = "Zlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD \xE2\x98\x81"; // Zluťoučký ☁
    const std::uint8_t bytes[] = {0, 1, 0xFF};
    WinRegistryStore store;
    {
        auto key = OpenRegKeyPath("Software\nTervane\n" + name, store, RegRoot::CurrentUser);
        ASSERT_TRUE(key);
        EXPECT_TRUE(WriteRegString(key.get(), "Text", text));
        EXPECT_TRUE(WriteRegDword(key.get(), "Number", 0xFFFFFFFEu));
        EXPECT_TRUE(WriteRegBinary(key.get(), "Bytes", bytes, sizeof bytes));
    }
    wchar_t stored[32] = {};
    DWORD storedSize = sizeof stored;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, widePath.c_str(), L"Text", RRF_RT_REG_SZ, nullptr,
                           stored, &storedSize),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), L"Zlu\u0165ou\u010Dk\u00FD \u2601");

    auto key = OpenRegKeyPath("Software\nTervane\n" + name, store, RegRoot::CurrentUser);
    EXPECT_EQ(ReadRegString(key.get(), "text", "d"), text);
    EXPECT_EQ(ReadRegString(key.get(), "Number", "d"), "d");
    EXPECT_EQ(ReadRegDword(key.get(), "Number", 1), 0xFFFFFFFEu);
    EXPECT_EQ(ReadRegDword(key.get(), "Bytes", 1), 1u);
    std::uint8_t buffer[3] = {};
    std::size_t size = 0;
    EXPECT_TRUE(ReadRegBinary(key.get(), "Bytes", buffer, sizeof buffer, &size));
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + size),
              std::vector<std::uint8_t>(bytes, bytes + sizeof bytes));
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, widePath.c_str()), ERROR_SUCCESS);

    auto machine = OpenRegKeyPath("Software", store, RegRoot::LocalMachine);
    ASSERT_TRUE(machine);
    EXPECT_FALSE(WriteRegDword(machine.get(), name, 1));
    EXPECT_FALSE(OpenRegKeyPath("Software\n" + name, store, RegRoot::LocalMachine));
}
#endif
