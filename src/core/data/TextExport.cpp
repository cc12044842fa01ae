#include "data/TextExport.h"

#include "data/DataBlock.h"
#include "framework/FileException.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {
std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

[[noreturn]] void Fail(const std::string& path, int error) {
    throw CFileException(CFileException::CauseFromErrno(error), path);
}
} // namespace

void WriteTextExport(std::span<CDataBlock* const> flights, TextExport kind, std::ostream& out) {
    const int total = static_cast<int>(flights.size());
    // A stream that has failed takes nothing more; its caller reports the failure.
    for (int index = 0; index < total && out; ++index)
        flights[static_cast<std::size_t>(index)]->ExportText(out, kind, index, total);
}

void ExportTextToFile(std::span<CDataBlock* const> flights, TextExport kind,
                      const std::string& path) {
    // Text mode: the one place where the export's line ends are decided.
    errno = 0;
    std::ofstream out(PathFromUtf8(path), std::ios::out | std::ios::trunc);
    if (!out) {
        const int error = errno ? errno : EACCES;
        std::error_code ec;
        if (!std::filesystem::exists(PathFromUtf8(path), ec))
            throw CFileException::CannotCreate(error, path);
        Fail(path, error);
    }
    WriteTextExport(flights, kind, out);
    out.flush();
    if (!out)
        Fail(path, errno ? errno : EIO);
    out.close();
    if (!out)
        Fail(path, errno ? errno : EIO);
}
