// Saving an entity of 10 to 10,000 lines with "OK" on each store: its record rebuilt from the
// lines on the screen, written, and the screen cleared; beside the floor, the same text made by
// appending and written by one statement in raw SQLite or raw libpq. Beside the file's floor too,
// the same record text written by the database component.
//
// Before each write, each benchmark opens the entity on a screen, as the user does before "OK":
// its label reads leave the database's cache and the process's memory as a save finds
// them. (Written over and over with nothing in between, the same text takes a tenth of the time.)
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchControl.h"
#include "data/ParameterRecord.h"
#include "platform/mvdb/Marks.h"

namespace {

using bench::benchDatabase;
using bench::Store;

int linesOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// A screen on which the saved entity is opened, and closed again unless it is saved.
class SavedEntityScreen {
public:
    explicit SavedEntityScreen(int lines, Store store = Store::kFile)
        : control_(bench::handedIn({}, store)), lines_(lines) {
        control_->Init();
    }

    void open(benchmark::State& state) {
        control_->Txt_Entite.SetText(bench::linesEntity(lines_));
        if (control_->Lst_Codes.ListCount() != lines_)
            state.SkipWithError("the entity did not open on its lines");
    }
    void close() { control_->Txt_Entite.SetText(""); }
    void validate() { control_->Cmd_Ok.onClick(); }

    // Times write once an iteration, each time just after the entity's opening; the entity is
    // closed first, untimed, unless write closes it.
    template <class Write>
    void timeAfterEachOpening(benchmark::State& state, bool writeCloses, Write write) {
        for (auto _ : state) {
            state.PauseTiming();
            open(state);
            if (!writeCloses) close();
            state.ResumeTiming();
            write();
        }
    }

    // The code lines of the open entity, as "OK" finds them in Lst_Codes.
    std::vector<std::string> codeLines() const {
        std::vector<std::string> lines;
        for (int item = 0; item < control_->Lst_Codes.ListCount(); ++item)
            lines.emplace_back(control_->Lst_Codes.List(item));
        return lines;
    }

private:
    std::unique_ptr<Ctr_Ostrevan> control_;
    int lines_;
};

mvdb::DbRecord savedRecord(int lines, Store store = Store::kFile) {
    return benchDatabase({}, store)
        .database()
        .OpenFile("TPSPARAMBASCUL")
        .ReadRecord(bench::linesEntity(lines));
}

void saveEntity(benchmark::State& state, Store store) {
    bench::floorIs(state, store == Store::kFile ? "BM_Floor_AppendAndRawSqliteWrite"
                                                : "BM_Floor_AppendAndRawLibpqWrite");
    const std::string before = savedRecord(linesOf(state), store).Extract();
    SavedEntityScreen screen(linesOf(state), store);
    screen.timeAfterEachOpening(state, true, [&] { screen.validate(); });
    if (savedRecord(linesOf(state), store).Extract() != before)
        state.SkipWithError("the lines were not saved as they were read");
}

void BM_WriteRecord_Component(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_RawSqliteWrite");
    const mvdb::DbRecord record = savedRecord(linesOf(state));
    SavedEntityScreen screen(linesOf(state));
    screen.timeAfterEachOpening(state, false, [&] { record.DBWrite(); });
}

// The version of the saved entity's record as stored.
std::int64_t savedRecordVersion(bench::RawSqlite& raw, std::int64_t file, const std::string& key) {
    sqlite3_stmt* read = raw.prepare("SELECT version FROM records WHERE file = ?1 AND key = ?2");
    sqlite3_bind_int64(read, 1, file);
    sqlite3_bind_text(read, 2, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    sqlite3_step(read);
    return sqlite3_column_int64(read, 0);
}

// Writes a record text in raw SQLite, after the entity's opening each time; textOf makes the text.
// The write is the least that a save among several users does: one statement that writes the
// text and a new version, only over the version read.
template <class TextOf>
void writeRawText(benchmark::State& state, TextOf textOf) {
    const std::string entity = bench::linesEntity(linesOf(state));
    SavedEntityScreen screen(linesOf(state));
    bench::RawSqlite raw;
    sqlite3_step(raw.prepare("PRAGMA synchronous = FULL"));
    const std::int64_t file = raw.fileId("TPSPARAMBASCUL");
    std::int64_t version = savedRecordVersion(raw, file, entity);
    sqlite3_stmt* write = raw.prepare(
        "UPDATE records SET version = version + 1, text = ?3"
        " WHERE file = ?1 AND key = ?2 AND version = ?4 RETURNING version");
    screen.timeAfterEachOpening(state, false, [&] {
        const std::string text = textOf();
        sqlite3_bind_int64(write, 1, file);
        sqlite3_bind_text(write, 2, entity.data(), static_cast<int>(entity.size()), SQLITE_STATIC);
        sqlite3_bind_blob(write, 3, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
        sqlite3_bind_int64(write, 4, version);
        if (sqlite3_step(write) != SQLITE_ROW) state.SkipWithError("the write failed");
        version = sqlite3_column_int64(write, 0);
        sqlite3_step(write);
        sqlite3_reset(write);
    });
}

// The same in raw libpq, on the server, with the component's statement.
template <class TextOf>
void writeRawTextOnServer(benchmark::State& state, TextOf textOf) {
    const std::string entity = bench::linesEntity(linesOf(state));
    SavedEntityScreen screen(linesOf(state), Store::kServer);
    bench::RawLibpq raw;
    const std::string file = std::to_string(raw.fileId("TPSPARAMBASCUL"));
    raw.prepare("version", "SELECT version::text FROM mvdb_records WHERE file = $1 AND key = $2");
    raw.prepare("write",
                "UPDATE mvdb_records SET version = nextval('mvdb_versions'), text = $3"
                " WHERE file = $1 AND key = $2 AND version = $4 RETURNING version::text");
    std::string version(bench::valueOf(raw.run("version", {file, entity}, {0, 1}), 0, 0));
    screen.timeAfterEachOpening(state, false, [&] {
        const std::string text = textOf();
        const PGresult* written = raw.run("write", {file, entity, text, version}, {0, 1, 1, 0});
        if (PQntuples(written) != 1) state.SkipWithError("the write failed");
        version = bench::valueOf(written, 0, 0);
    });
}

void BM_Floor_RawSqliteWrite(benchmark::State& state) {
    const std::string text = savedRecord(linesOf(state)).Extract();
    writeRawText(state, [&] { return text; });
}

// The record text made from the code lines by appending each field to its attribute, after the
// attributes before the lines, kept as stored.
std::string appendedRecord(const std::string& kept, const std::vector<std::string>& lines) {
    std::string text = kept;
    for (const int attribute : data::kRubricAttributes) {
        text += mvdb::kAttributeMark;
        const std::size_t field = static_cast<std::size_t>(data::fieldOf(attribute));
        for (std::size_t line = 0; line < lines.size(); ++line) {
            if (line > 0) text += mvdb::kValueMark;
            std::string_view rest = lines[line];
            for (std::size_t skipped = 1; skipped < field; ++skipped)
                rest.remove_prefix(rest.find(';') + 1);
            text += rest.substr(0, rest.find(';'));
        }
    }
    return text;
}

// What "OK" does in raw code: the record text made from the lines, then written.
void floorAppendAndWrite(benchmark::State& state, Store store) {
    const std::string stored = savedRecord(linesOf(state), store).Extract();
    std::size_t keptEnd = 0;
    for (int mark = 0; mark < 4; ++mark)
        keptEnd = stored.find(mvdb::kAttributeMark, keptEnd + (mark > 0));
    const std::string kept = stored.substr(0, keptEnd);
    SavedEntityScreen screen(linesOf(state), store);
    screen.open(state);
    const std::vector<std::string> lines = screen.codeLines();
    if (appendedRecord(kept, lines) != stored) state.SkipWithError("the text differs");
    const auto text = [&] { return appendedRecord(kept, lines); };
    if (store == Store::kFile) {
        writeRawText(state, text);
    } else {
        writeRawTextOnServer(state, text);
    }
}

void BM_Floor_AppendAndRawSqliteWrite(benchmark::State& state) {
    floorAppendAndWrite(state, Store::kFile);
}

void BM_Floor_AppendAndRawLibpqWrite(benchmark::State& state) {
    floorAppendAndWrite(state, Store::kServer);
}

// Each iteration opens the entity untimed first: a short timed minimum keeps the run brief.
void stepSavedLines(benchmark::internal::Benchmark* benchmark) {
    benchmark->Apply(bench::stepLines)->Unit(benchmark::kMillisecond)->MinTime(0.1);
}

const bool registered = [] {
    bench::registerOnEachStore(
        "BM_SaveEntity_Headless", saveEntity,
        {{{"BM_Floor_AppendAndRawSqliteWrite", BM_Floor_AppendAndRawSqliteWrite},
          {"BM_Floor_AppendAndRawLibpqWrite", BM_Floor_AppendAndRawLibpqWrite}}},
        stepSavedLines);
    return true;
}();
BENCHMARK(BM_WriteRecord_Component)->Apply(stepSavedLines);
BENCHMARK(BM_Floor_RawSqliteWrite)->Apply(stepSavedLines);

}  // namespace
