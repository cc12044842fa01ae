// The text export of several flights as one export, to a stream or into a file.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

class CDataBlock;
enum class TextExport;

// Writes the flights with ExportText(out, kind, index, total), index 0 .. total - 1 in the order
// given; stops at the first flight after which out has failed.
void WriteTextExport(std::span<CDataBlock* const> flights, TextExport kind, std::ostream& out);

// The same into the file path (replaced), with the platform's text line ends (CR LF on
// Windows). The program's tree and kubo-cli both export through here, so that their files are
// the same byte for byte. Throws CFileException naming path when the file cannot be created or
// written.
void ExportTextToFile(std::span<CDataBlock* const> flights, TextExport kind,
                      const std::string& path);
