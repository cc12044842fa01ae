#include "framework/FileRegistryStore.h"

#include "framework/Exception.h"
#include "framework/FilePath.h"
#include "framework/RegularFile.h"
#include "framework/SafeFile.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {
const char kHex[] = "0123456789abcdef";

void AppendEscaped(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\x";
                out += kHex[byte >> 4];
                out += kHex[byte & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted, escaped text at the start of line; advances line past it.
std::optional<std::string> TakeQuoted(std::string_view& line) {
    if (line.empty() || line[0] != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            line.remove_prefix(i + 1);
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= line.size())
            return std::nullopt;
        switch (line[i]) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            if (i + 2 >= line.size())
                return std::nullopt;
            const int hi = HexDigit(line[i + 1]), lo = HexDigit(line[i + 2]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            out += line[i];
        }
    }
    return std::nullopt;
}

std::optional<RegValue> ParseData(std::string_view data) {
    if (!data.empty() && data[0] == '"') {
        auto text = TakeQuoted(data);
        if (!text || !data.empty())
            return std::nullopt;
        return RegValue{std::move(*text)};
    }
    if (data.starts_with("dword:")) {
        data.remove_prefix(6);
        if (data.empty() || data.size() > 8)
            return std::nullopt;
        std::uint32_t value = 0;
        for (char c : data) {
            const int d = HexDigit(c);
            if (d < 0)
                return std::nullopt;
            value = value * 16 + static_cast<std::uint32_t>(d);
        }
        return RegValue{value};
    }
    if (data.starts_with("hex:")) {
        data.remove_prefix(4);
        std::vector<std::uint8_t> bytes;
        while (!data.empty()) {
            if (data.size() < 2)
                return std::nullopt;
            const int hi = HexDigit(data[0]), lo = HexDigit(data[1]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
            data.remove_prefix(2);
            if (!data.empty()) {
                if (data[0] != ',')
                    return std::nullopt;
                data.remove_prefix(1);
            }
        }
        return RegValue{std::move(bytes)};
    }
    return std::nullopt;
}

void FormatNode(const RegistryNode& node, const std::string& path, std::string& out) {
    if (!path.empty()) {
        out += "\n[" + path + "]\n";
        for (const auto& [name, value] : node.values) {
            AppendEscaped(out, name);
            out += '=';
            if (auto* text = std::get_if<std::string>(&value)) {
                AppendEscaped(out, *text);
            } else if (auto* number = std::get_if<std::uint32_t>(&value)) {
                char buf[16];
                std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(*number));
                out += buf;
            } else {
                out += "hex:";
                const auto& bytes = std::get<std::vector<std::uint8_t>>(value);
                for (std::size_t i = 0; i < bytes.size(); ++i) {
                    if (i)
                        out += ',';
                    out += kHex[bytes[i] >> 4];
                    out += kHex[bytes[i] & 15];
                }
            }
            out += '\n';
        }
    }
    for (const auto& [name, child] : node.subkeys)
        FormatNode(*child, path.empty() ? name : path + "\\" + name, out);
}
} // namespace

FileRegistryStore::FileRegistryStore(std::string userFolder, std::string machineFolder) {
    m_user.folder = std::move(userFolder);
    m_machine.folder = std::move(machineFolder);
}

std::string FileRegistryStore::DefaultUserFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/')
        return std::string(config) + "/Tervane";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/Tervane";
}

std::string FileRegistryStore::DefaultMachineFolder() {
    return "/etc/xdg/Tervane";
}

std::string FileRegistryStore::Format(const RegistryNode& tree) {
    std::string out = "; Kubo settings: one [key] per section, \"name\"=\"text\" | dword:hex | "
                      "hex:bytes\n";
    FormatNode(tree, std::string(), out);
    return out;
}

void FileRegistryStore::Parse(std::string_view text, RegistryNode& tree) {
    RegistryNode* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            current =
                line.back() == ']' ? tree.Find(line.substr(1, line.size() - 2), true) : nullptr;
            continue;
        }
        if (!current)
            continue;
        auto name = TakeQuoted(line);
        if (!name || line.empty() || line[0] != '=')
            continue;
        if (auto value = ParseData(line.substr(1)))
            current->values.insert_or_assign(std::move(*name), std::move(*value));
    }
}

void FileRegistryStore::Load(Hive& hive) {
    if (hive.loaded)
        return;
    hive.loaded = true;
    const std::filesystem::path file = PathFromUtf8(hive.folder) / kFileName;
    const std::string path = PathToUtf8(file);
    // A pipe or device in the file's place is not opened (it could block start-up for good).
    if (const std::optional<unsigned> refusal = NonRegularFileRefusal(path)) {
        hive.problem = Hive::Problem{path,
                                     *refusal == str::IsAFolder ? str::SettingsIsAFolder
                                                                : str::SettingsNotRegular,
                                     {}};
        return;
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        const int error = errno;
        std::error_code ec;
        if (std::filesystem::exists(file, ec) || (error != 0 && error != ENOENT))
            hive.problem =
                Hive::Problem{path, 0, std::generic_category().message(error ? error : EIO)};
        return;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        hive.problem = Hive::Problem{path, str::SettingsReadError, {}};
        return;
    }
    Parse(text.str(), hive.tree);
}

std::optional<std::string> FileRegistryStore::GetUserHiveProblem() {
    Load(m_user);
    if (!m_user.problem)
        return std::nullopt;
    const Hive::Problem& problem = *m_user.problem;
    return FormatString2(str::SettingsUnreadable, problem.path,
                         problem.reasonId ? LoadString(problem.reasonId) : problem.systemReason);
}

bool FileRegistryStore::SaveUserHive() {
    // What could not be read is not overwritten with what little this run knows.
    if (m_user.problem)
        return false;
    try {
        std::error_code ec;
        std::filesystem::create_directories(PathFromUtf8(m_user.folder), ec);
        const std::string text = Format(m_user.tree);
        CSafeFile::WriteAll(PathToUtf8(PathFromUtf8(m_user.folder) / kFileName),
                            {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        return true;
    } catch (const CException&) {
        return false;
    }
}

std::unique_ptr<RegistryKey> FileRegistryStore::OpenRoot(RegRoot root) {
    if (root == RegRoot::LocalMachine) {
        Load(m_machine);
        return std::make_unique<CTreeRegistryKey>(&m_machine.tree, false, nullptr);
    }
    Load(m_user);
    return std::make_unique<CTreeRegistryKey>(&m_user.tree, true,
                                              [this] { return SaveUserHive(); });
}
