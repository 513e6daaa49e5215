// The verbs of the mvdb tool, one function each, over the database at a path.
//
// A verb that writes does all its writing in one unit of work (Database::Transaction): when it
// fails, the database is left exactly as it was. A verb that prints writes its whole answer to
// out only once it has it all, so a failure prints nothing. Every failure is thrown: the database
// component's platform::ComponentError, or a std::runtime_error for input that the tool refuses.
// Records are shown and given in the ^ ] \ notation (Notation.h), and keys listed in it, so that a
// key holding a newline reads as one; keys and file names are given raw.
#pragma once

#include <iosfwd>
#include <string>

namespace mvdbtool {

// Makes a new database holding the screen's three files, ASSOCIATION, RUBSAISIE and
// TPSPARAMBASCUL, without records; fails when path exists (a server's database: when it holds
// the component's tables).
void createDatabase(const std::string& path);
// The names of the database's files, one a line, in byte order.
void listFiles(const std::string& path, std::ostream& out);
// Fills the sample files (SampleData.h), making the database when there is none at path and
// the files when missing; refuses when any of them holds records.
void fillSample(const std::string& path);
// The keys of a file, one a line, in byte order, in notation.
void listKeys(const std::string& path, const std::string& file, std::ostream& out);
// The record in notation, and a newline.
void showRecord(const std::string& path, const std::string& file, const std::string& key,
                std::ostream& out);
// Writes the record given in notation, creating the file when the database has none of its name.
void putRecord(const std::string& path, const std::string& file, const std::string& key,
               const std::string& notation);
// Removes the record; the file stays, even when it is left empty.
void deleteRecord(const std::string& path, const std::string& file, const std::string& key);
// The versions of the record, newest first, as HistoryText.h gives them, under a line naming the
// legal entity for a parameter record; nothing for a key never written since the store keeps a
// history.
void showHistory(const std::string& path, const std::string& file, const std::string& key,
                 std::ostream& out);
// Writes the text of a version of the record back as its new version (DbFile::Revert), refused
// when another user wrote the record meanwhile; version: its number, as history lists it.
void revertRecord(const std::string& path, const std::string& file, const std::string& key,
                  const std::string& version);
// Removes from the history the notes of the writes and deletions made before the time, given in
// ISO 8601 (IsoTime.h), and prints how many it removed.
void pruneHistory(const std::string& path, const std::string& before, std::ostream& out);
// Runs a selection sentence with a field list (Selection.h) and prints the selected records in
// the order of the sentence, one a line, in notation.
void runQuery(const std::string& path, const std::string& sentence, const std::string& fields,
              std::ostream& out);
// The records of a file as JSON lines (JsonRecords.h), in the byte order of their keys.
void exportFile(const std::string& path, const std::string& file, std::ostream& out);
// Writes every record of the JSON lines of input into the file, replacing records of the same key
// and creating the file when missing: all of them, or none when any line is wrong or two lines
// give one key.
void importFile(const std::string& path, const std::string& file, const std::string& input);

// The whole database as a dump (JsonRecords.h): every file and every record, byte for byte, with
// its version and its history, all read from one state of the database, whatever other users
// write meanwhile.
void dumpDatabase(const std::string& path, std::ostream& out);
// Makes the database hold exactly what the dump holds, its files, their records and their history
// (versions, times, users, deletions and texts replaced): into a database without records nor
// history (made when there is none at path, as restoring into a new file or an empty server's
// database), or, when replace, in place of whatever it holds. The versions come back as dumped
// into a database that never gave one; into one that did, each raised by the highest it gave, so
// that it never gives one twice. All of it or none: the dump is read whole first, then written in
// one unit of work.
void restoreDatabase(const std::string& path, const std::string& input, bool replace);

}  // namespace mvdbtool
