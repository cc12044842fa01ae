// CFileException: a failure to open, read or write a file, with the framework's cause numbers.
#pragma once

#include "framework/Exception.h"

class CFileException : public CException {
public:
    enum Cause {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    CFileException(Cause cause, std::string fileName);
    // With a message of the caller's instead of the cause's.
    CFileException(Cause cause, std::string fileName, const std::string& message);
    // Creating a new file at path failed with the system's error (errno): a missing folder, a
    // folder without write permission and a read-only disk say so and name the folder; other
    // errors give the cause's message.
    [[nodiscard]] static CFileException CannotCreate(int error, const std::string& path);
    // The cause that best describes a failed system call's errno.
    [[nodiscard]] static Cause CauseFromErrno(int error);
    [[nodiscard]] static std::string MessageFor(Cause cause, const std::string& fileName);
};
