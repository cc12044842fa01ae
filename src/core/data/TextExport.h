// The text export of several flights as one export, to a stream or safely into a file.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

class CDataBlock;
enum class TextExport;

// Writes the flights with ExportText(out, kind, index, total), index 0 .. total - 1 in the
// order given.
void WriteTextExport(std::span<CDataBlock* const> flights, TextExport kind, std::ostream& out);

// The same into the file path, with the platform's text line ends, through a temporary file
// renamed over path once everything is written (CSafeFile): a failure at any byte, a full disk
// included, leaves an earlier file at path untouched and throws CFileException naming path.
// Memory stays bounded whatever the flights' length.
void ExportTextToFile(std::span<CDataBlock* const> flights, TextExport kind,
                      const std::string& path);
