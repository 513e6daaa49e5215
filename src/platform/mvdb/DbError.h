// Every way the database component can fail.
//
// Each failure is a platform::ComponentError carrying one of the numbers below and a French text
// that names what failed (the file, the key, the word of a sentence). Nothing is written by a call
// that fails.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/ComponentError.h"

namespace mvdb {

// The file has no record under the key (ReadRecord, delete). The control relies on this number.
inline constexpr std::int32_t kErrNoSuchRecord = static_cast<std::int32_t>(0x8004000B);
// The database file does not exist (Database::Open), or a write finds it removed or replaced since
// it was opened; the server has no database of that name.
inline constexpr std::int32_t kErrNoSuchDatabase = static_cast<std::int32_t>(0x80040201);
// The path exists but is not a database of this component, or it is damaged; the server's
// database holds none of its tables.
inline constexpr std::int32_t kErrNotADatabase = static_cast<std::int32_t>(0x80040202);
// Database::Create on a path that already exists, or on a server database that holds its tables.
inline constexpr std::int32_t kErrDatabaseExists = static_cast<std::int32_t>(0x80040203);
// Another program or user holds a lock on the database, or on the record, past the busy timeout.
inline constexpr std::int32_t kErrDatabaseLocked = static_cast<std::int32_t>(0x80040204);
// The database was opened read-only, or its file cannot be written, or the server refuses the
// user the right to write.
inline constexpr std::int32_t kErrDatabaseReadOnly = static_cast<std::int32_t>(0x80040205);
// Any other failure of the storage (disk full, input/output error ...), with its own text.
inline constexpr std::int32_t kErrStorage = static_cast<std::int32_t>(0x80040206);
// OpenFile of a file name that the database does not hold.
inline constexpr std::int32_t kErrNoSuchFile = static_cast<std::int32_t>(0x80040207);
// CreateFile of a file name that the database already holds.
inline constexpr std::int32_t kErrFileExists = static_cast<std::int32_t>(0x80040208);
// A file name or a record key that is empty, holds a mark, or is longer than kMaxNameBytes.
inline constexpr std::int32_t kErrBadName = static_cast<std::int32_t>(0x80040209);
// A negative index, or a Replace past the largest index a dynamic array takes.
inline constexpr std::int32_t kErrBadIndex = static_cast<std::int32_t>(0x8004020A);
// A selection sentence that does not parse; the text names the word where it stopped.
inline constexpr std::int32_t kErrSentence = static_cast<std::int32_t>(0x8004020B);
// A query command whose file or field list is wrong, or an option that RunQuery does not know.
inline constexpr std::int32_t kErrQueryCommand = static_cast<std::int32_t>(0x8004020C);

// A record's DBWrite finds that another user changed, deleted or created it since it was read (or
// made by NewRecord); the text says which. Nothing is written.
inline constexpr std::int32_t kErrRecordChanged = static_cast<std::int32_t>(0x8004020D);
// The server of a shared database cannot be reached, refuses the connection (wrong user or
// password), or was lost or stopped answering during a call, which then wrote nothing.
inline constexpr std::int32_t kErrServerUnavailable = static_cast<std::int32_t>(0x8004020E);
// A write reached the server, or may have, and no answer came: it may have been written or not.
// Reading the record again tells; writing it again is safe, since a conditional write that finds
// its own text stored counts as written.
inline constexpr std::int32_t kErrOutcomeUnknown = static_cast<std::int32_t>(0x8004020F);
// The server refuses the user the right to read the database's tables.
inline constexpr std::int32_t kErrReadRefused = static_cast<std::int32_t>(0x80040210);
// A database file that only a user who may write it can open at present: a write was interrupted
// and its journal must be played back, or the file is of an earlier layout still to convert.
inline constexpr std::int32_t kErrNeedsWriter = static_cast<std::int32_t>(0x80040211);
// A postgresql:// location that does not parse; its text is not repeated, for it may hold a
// password.
inline constexpr std::int32_t kErrBadLocation = static_cast<std::int32_t>(0x80040212);

// DbFile::ReadVersion or Revert of a version that the record's history does not hold, or whose
// text it no longer holds (pruned).
inline constexpr std::int32_t kErrNoSuchVersion = static_cast<std::int32_t>(0x80040213);

// Whether a failure's number is one of the database component's above.
constexpr bool isDbError(std::int32_t number) {
    return number == kErrNoSuchRecord || (number & ~0xFF) == static_cast<std::int32_t>(0x80040200);
}

// The longest file name or key that a write takes, in bytes, on both stores alike: a server keeps
// every key in an index whose entries have a bounded size.
inline constexpr std::size_t kMaxNameBytes = 1000;

}  // namespace mvdb
