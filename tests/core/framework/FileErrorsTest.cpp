// What a failed file operation tells the user.
#include "framework/FileException.h"
#include "framework/SafeFile.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(FileErrors, ACreateFailureSaysTheFolderCannotBeWrittenNotThatTheFileWasNotFound) {
    const std::string path = "/data/flights/trip.qlg";
    const struct {
        int error;
        unsigned id; // 0: the cause's own message
        CFileException::Cause cause;
    } cases[] = {
        {ENOENT, str::FolderMissing, CFileException::fileNotFound},
        {ENOTDIR, str::FolderMissing, CFileException::badPath},
        {EACCES, str::FolderNotWritable, CFileException::accessDenied},
        {EROFS, str::FolderReadOnly, CFileException::accessDenied},
        {ENOSPC, 0, CFileException::diskFull},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const CFileException error = CFileException::CannotCreate(c.error, path);
        EXPECT_EQ(error.GetCause(), c.cause);
        EXPECT_EQ(error.GetFileName(), path);
        EXPECT_EQ(error.what(), c.id ? FormatString2(c.id, path, "/data/flights")
                                     : CFileException::MessageFor(c.cause, path));
    }

    // A save into a folder that is not there says so.
    const TempDir dir("file_errors");
    const std::string target = dir.Path("missing/trip.qlg");
    try {
        CSafeFile file(target);
        ADD_FAILURE() << "created in a missing folder";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.what(), FormatString2(str::FolderMissing, target, dir.Path("missing")));
    }
}
