// Saving an entity of 10 to 10,000 lines with "OK": its record rebuilt from the lines on the
// screen, written, and the screen cleared. Beside it, the same record text written by the database
// component, and the floor: the same text written in raw SQLite, with the component's statement
// and durability.
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

int linesOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// A screen on which the saved entity is opened, and closed again unless it is saved.
class SavedEntityScreen {
public:
    explicit SavedEntityScreen(int lines) : control_(bench::handedIn()), lines_(lines) {
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
            lines.push_back(control_->Lst_Codes.List(item));
        return lines;
    }

private:
    std::unique_ptr<Ctr_Ostrevan> control_;
    int lines_;
};

mvdb::DbRecord savedRecord(int lines) {
    return benchDatabase()
        .database()
        .OpenFile("TPSPARAMBASCUL")
        .ReadRecord(bench::linesEntity(lines));
}

void BM_SaveEntity_Headless(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_AppendAndRawSqliteWrite");
    const std::string before = savedRecord(linesOf(state)).Extract();
    SavedEntityScreen screen(linesOf(state));
    screen.timeAfterEachOpening(state, true, [&] { screen.validate(); });
    if (savedRecord(linesOf(state)).Extract() != before)
        state.SkipWithError("the lines were not saved as they were read");
}

void BM_WriteRecord_Component(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_RawSqliteWrite");
    const mvdb::DbRecord record = savedRecord(linesOf(state));
    SavedEntityScreen screen(linesOf(state));
    screen.timeAfterEachOpening(state, false, [&] { record.DBWrite(); });
}

// Writes a record text in raw SQLite, after the entity's opening each time; textOf makes the text.
template <class TextOf>
void writeRawText(benchmark::State& state, TextOf textOf) {
    const std::string entity = bench::linesEntity(linesOf(state));
    SavedEntityScreen screen(linesOf(state));
    bench::RawSqlite raw;
    sqlite3_step(raw.prepare("PRAGMA synchronous = FULL"));
    const std::int64_t file = raw.fileId("TPSPARAMBASCUL");
    sqlite3_stmt* write = raw.prepare(
        "INSERT INTO records (file, key, text) VALUES (?1, ?2, ?3)"
        " ON CONFLICT (file, key) DO UPDATE SET text = excluded.text");
    screen.timeAfterEachOpening(state, false, [&] {
        const std::string text = textOf();
        sqlite3_bind_int64(write, 1, file);
        sqlite3_bind_text(write, 2, entity.data(), static_cast<int>(entity.size()), SQLITE_STATIC);
        sqlite3_bind_blob(write, 3, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
        if (sqlite3_step(write) != SQLITE_DONE) state.SkipWithError("the write failed");
        sqlite3_reset(write);
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
void BM_Floor_AppendAndRawSqliteWrite(benchmark::State& state) {
    const std::string stored = savedRecord(linesOf(state)).Extract();
    std::size_t keptEnd = 0;
    for (int mark = 0; mark < 4; ++mark)
        keptEnd = stored.find(mvdb::kAttributeMark, keptEnd + (mark > 0));
    const std::string kept = stored.substr(0, keptEnd);
    SavedEntityScreen screen(linesOf(state));
    screen.open(state);
    const std::vector<std::string> lines = screen.codeLines();
    if (appendedRecord(kept, lines) != stored) state.SkipWithError("the text differs");
    writeRawText(state, [&] { return appendedRecord(kept, lines); });
}

// Each iteration opens the entity untimed first: a short timed minimum keeps the run brief.
void stepSavedLines(benchmark::internal::Benchmark* benchmark) {
    benchmark->Apply(bench::stepLines)->Unit(benchmark::kMillisecond)->MinTime(0.1);
}

BENCHMARK(BM_SaveEntity_Headless)->Apply(stepSavedLines);
BENCHMARK(BM_WriteRecord_Component)->Apply(stepSavedLines);
BENCHMARK(BM_Floor_RawSqliteWrite)->Apply(stepSavedLines);
BENCHMARK(BM_Floor_AppendAndRawSqliteWrite)->Apply(stepSavedLines);

}  // namespace
