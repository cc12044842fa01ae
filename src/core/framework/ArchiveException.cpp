#include "framework/ArchiveException.h"

CArchiveException::CArchiveException(Cause cause, std::string fileName)
    : CException(cause, fileName, MessageFor(cause, fileName)) {}

std::string CArchiveException::MessageFor(Cause cause, const std::string& fileName) {
    const std::string name = fileName.empty() ? std::string("the archive") : fileName;
    switch (cause) {
    case endOfFile:
        return "An attempt was made to read " + name + " past its end.";
    case badIndex:
    case badClass:
    case badSchema:
        return "Unexpected file format in " + name + ".";
    case readOnly:
        return "An attempt was made to write to " + name + " while reading it.";
    case writeOnly:
        return "An attempt was made to read from " + name + " while writing it.";
    default:
        return "An unexpected error occurred while reading " + name + ".";
    }
}
