// FileRegistryStore: the hives as typed, human-readable files (the registry where there is none).
#pragma once

#include "framework/RegistryTree.h"

#include <optional>
#include <string>

// Each hive is the file "registry.reg" in its folder:
//
//   [Software\Tervane\Kubo\Options]
//   "Formula_Pressure"="(X/147.456)+10.555555"
//   "Show_Feet"=dword:00000000
//   "CommPortSetup"=hex:1c,00,00,00,...
//
// Texts escape \\, \", \n, \r, \t and other control bytes as \xHH. Lines that cannot be read
// are skipped. The user hive is rewritten atomically (temporary file + rename) after every
// change; the machine hive is only read. A hive file is read once, when its root is first
// opened. A user hive file that exists but cannot be read (no permission, a pipe or a folder in
// its place) is never overwritten: the settings then live in memory for the run, and
// GetUserHiveProblem says why, so that the program can tell the user once.
class FileRegistryStore : public RegistryStore {
public:
    static constexpr const char* kFileName = "registry.reg";

    FileRegistryStore(std::string userFolder, std::string machineFolder);
    // $XDG_CONFIG_HOME/Tervane (default ~/.config/Tervane) and /etc/xdg/Tervane.
    [[nodiscard]] static std::string DefaultUserFolder();
    [[nodiscard]] static std::string DefaultMachineFolder();

    [[nodiscard]] std::unique_ptr<RegistryKey> OpenRoot(RegRoot root) override;
    // The message (str::SettingsUnreadable) when the user hive's file could not be read;
    // reads it first when that has not happened yet. Worded when asked, in the string table's
    // language then (the settings are read before a translation catalogue is loaded).
    [[nodiscard]] std::optional<std::string> GetUserHiveProblem();

    // The hive file's text for a tree, and a tree from such a text (exposed for tests).
    [[nodiscard]] static std::string Format(const RegistryNode& tree);
    static void Parse(std::string_view text, RegistryNode& tree);

private:
    struct Hive {
        std::string folder;
        RegistryNode tree;
        bool loaded = false;
        // Why its file could not be read: the file, and a reason from the string table (id)
        // or, with id 0, the system's.
        struct Problem {
            std::string path;
            unsigned reasonId = 0;
            std::string systemReason;
        };
        std::optional<Problem> problem;
    };
    bool SaveUserHive();
    void Load(Hive& hive);

    Hive m_user;
    Hive m_machine;
};
