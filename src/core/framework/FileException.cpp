#include "framework/FileException.h"

#include "framework/FilePath.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <cerrno>
#include <filesystem>

CFileException::CFileException(Cause cause, std::string fileName)
    : CException(cause, fileName, MessageFor(cause, fileName)) {}

CFileException::CFileException(Cause cause, std::string fileName, const std::string& message)
    : CException(cause, std::move(fileName), message) {}

CFileException CFileException::CannotCreate(int error, const std::string& path) {
    unsigned id = 0;
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        id = str::FolderMissing;
        break;
    case EACCES:
    case EPERM:
        id = str::FolderNotWritable;
        break;
    case EROFS:
        id = str::FolderReadOnly;
        break;
    default:
        return CFileException(CauseFromErrno(error), path);
    }
    const std::string parent = PathToUtf8(PathFromUtf8(path).parent_path());
    const std::string folder = parent.empty() ? std::string(".") : parent;
    return CFileException(CauseFromErrno(error), path, FormatString2(id, path, folder));
}

CFileException::Cause CFileException::CauseFromErrno(int error) {
    switch (error) {
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EISDIR:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
        return accessDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return diskFull;
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}

std::string CFileException::MessageFor(Cause cause, const std::string& fileName) {
    const std::string name = fileName.empty() ? std::string("the file") : fileName;
    switch (cause) {
    case fileNotFound:
        return name + " was not found.";
    case badPath:
        return name + " contains an invalid path.";
    case tooManyOpenFiles:
        return name + " could not be opened because there are too many open files.";
    case accessDenied:
        return "Access to " + name + " was denied.";
    case diskFull:
        return name + " could not be written because the disk is full.";
    case hardIO:
        return "A hardware I/O error occurred while accessing " + name + ".";
    case endOfFile:
        return "An attempt was made to access " + name + " past its end.";
    default:
        return "An unexpected error occurred while accessing " + name + ".";
    }
}
