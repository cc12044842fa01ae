// Loads any bytes as a project file: an archive error is fine, a crash or leak is not.
#include "framework/Archive.h"
#include "framework/FileException.h"
#include "shell/MainDoc.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CMainDoc doc;
    CMemoryInput in({data, size});
    try {
        CArchive ar(in, "fuzz.qlg");
        doc.Serialize(ar);
    } catch (const CException&) {
        return 0;
    }
    // A project that loaded must save and load again to the same bytes.
    CMemoryOutput first;
    {
        CArchive ar(first);
        doc.Serialize(ar);
        ar.Flush();
    }
    CMainDoc again;
    CMemoryInput reread(first.Data());
    CArchive ar(reread);
    again.Serialize(ar);
    CMemoryOutput second;
    CArchive out(second);
    again.Serialize(out);
    out.Flush();
    if (first.Data() != second.Data())
        __builtin_trap();
    return 0;
}
