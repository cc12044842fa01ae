// CArchiveException: a project file (or other object archive) whose content cannot be read.
#pragma once

#include "framework/Exception.h"

class CArchiveException : public CException {
public:
    enum Cause {
        none = 0,
        genericException = 1,
        readOnly = 2,
        endOfFile = 3, // truncated, or a count or length larger than the bytes left
        writeOnly = 4,
        badIndex = 5,  // a reference to an object not yet read, or read twice into the tree
        badClass = 6,  // an unknown class name, or an object of a class not expected there
        badSchema = 7, // a class schema other than 0, or a file version outside 1 to 6
    };

    explicit CArchiveException(Cause cause, std::string fileName = {});
    [[nodiscard]] static std::string MessageFor(Cause cause, const std::string& fileName);
};
