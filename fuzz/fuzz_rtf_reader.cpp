// Reads any bytes as RTF: a crash, hang or runaway allocation is a fault, and so is a document
// that the writer does not write back (in 7-bit ASCII) to the same model.
#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CRichDocument doc = ReadRtf(bytes);
    const std::string rtf = WriteRtf(doc);
    if (!std::all_of(rtf.begin(), rtf.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        __builtin_trap();
    CRtfReadReport report;
    if (ReadRtf(rtf, &report) != doc || report.IsLossy() || report.truncated || report.notRtf)
        __builtin_trap();
    return 0;
}
