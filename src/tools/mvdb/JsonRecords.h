// Records as JSON lines: the exchange format of mvdb export and import.
//
// One record a line: {"key":"001","attributes":[["v1","v2"],["x"]]}. Each attribute is an array
// of its values; a value that has subvalues is an array of its subvalue texts instead of a text.
// The record text "" has "attributes":[]. Reading also takes [] for an empty attribute or value,
// so that every array reads back as the text it stands for.
//
// JSON texts are UTF-8. A record whose key or text holds a byte that is no UTF-8 character is
// written whole in the ^ ] \ notation (Notation.h), key and text, which shows such a byte as %HH:
// {"key":"k1","notation":"Latin-1 %E9t%E9"}. Every record so reads back byte for byte, and every
// other record keeps the form above. The reader fails with a std::runtime_error naming the line
// (counted from 1) and what is wrong with it.
//
// A dump holds a whole database: each file, in the byte order of the names, as the line
// {"file":"ASSOCIATION"} (the name in notation), then the lines of its records, each with its
// version: {"key":"001","version":7,"attributes":[…]}, then its history, by key, oldest first, a
// line an entry: {"history":"001","version":7,"deleted":false,"time":"2026-12-08T21:08:52.123456Z",
// "user":"marie","replaced":[…]}, the text replaced written as a record's attributes, null when the
// write created the record. A history line holding a byte that is no UTF-8 gives its key, user
// and text in notation, the text as "notation" in place of "replaced". A dump of an earlier
// version, without versions or history, reads too.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mvdb/Store.h"
#include "tools/mvdb/Record.h"

namespace mvdbtool {

// The JSON line of a record, without its newline; with its version in a dump.
std::string toJsonLine(std::string_view key, std::string_view text,
                       std::optional<mvdb::Store::Version> version = std::nullopt);
// Every record of the JSON lines of input, in their order; blank lines are skipped. Two lines that
// give one key are refused, naming the key and both lines; so is a version.
std::vector<Record> readJsonLines(const std::string& input);

// The line that starts a file of a dump, without its newline.
std::string toFileLine(std::string_view name);
// The line of an entry of a file's history in a dump, without its newline.
std::string toHistoryLine(std::string_view key, const mvdb::Store::Change& change);
// Every file of a dump, with its records and its history, in their order. A record before any
// file, a file given twice, a key given twice in one file, a record after its file's history, an
// entry of history given twice, or one at a version above its record's is refused, naming the
// lines.
std::vector<RecordFile> readDump(const std::string& input);

}  // namespace mvdbtool
