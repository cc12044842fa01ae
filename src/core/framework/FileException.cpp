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
    const std::string name = fileName.empty() ? LoadString(str::UnnamedFile) : fileName;
    switch (cause) {
    case fileNotFound:
        return FormatString1(str::FileNotFound, name);
    case badPath:
        return FormatString1(str::FileBadPath, name);
    case tooManyOpenFiles:
        return FormatString1(str::FileTooManyOpen, name);
    case accessDenied:
        return FormatString1(str::FileAccessDenied, name);
    case diskFull:
        return FormatString1(str::FileDiskFull, name);
    case hardIO:
        return FormatString1(str::FileHardIo, name);
    case endOfFile:
        return FormatString1(str::FilePastEnd, name);
    default:
        return FormatString1(str::FileGenericError, name);
    }
}
