#include "framework/ArchiveException.h"

#include "framework/StringIds.h"
#include "framework/StringTable.h"

CArchiveException::CArchiveException(Cause cause, std::string fileName)
    : CException(cause, fileName, MessageFor(cause, fileName)) {}

std::string CArchiveException::MessageFor(Cause cause, const std::string& fileName) {
    const std::string name = fileName.empty() ? LoadString(str::UnnamedArchive) : fileName;
    switch (cause) {
    case endOfFile:
        return FormatString1(str::ArchivePastEnd, name);
    case badIndex:
    case badClass:
    case badSchema:
        return FormatString1(str::ArchiveBadFormat, name);
    case readOnly:
        return FormatString1(str::ArchiveWriteWhileReading, name);
    case writeOnly:
        return FormatString1(str::ArchiveReadWhileWriting, name);
    default:
        return FormatString1(str::ArchiveGenericError, name);
    }
}
