// Opening an entity of 10 to 10,000 lines, whose five rubric labels a line are read one by one,
// beside the floor: the same reads in raw SQLite, each label taken from its record's text.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchControl.h"
#include "control/Ctr_Ostrevan.h"
#include "platform/mvdb/Marks.h"

namespace {

void BM_OpenEntity_Headless(benchmark::State& state) {
    bench::floorIs(state, "BM_Floor_RawSqliteReads");
    const int lines = static_cast<int>(state.range(0));
    const std::unique_ptr<Ctr_Ostrevan> control = bench::handedIn();
    control->Init();
    for (auto _ : state) {
        control->Txt_Entite.SetText(bench::linesEntity(lines));
        state.PauseTiming();
        if (control->Lst_Codes.ListCount() != lines)
            state.SkipWithError("the entity did not open on its lines");
        control->Txt_Entite.SetText("");
        state.ResumeTiming();
    }
}

// The pieces of text between marks, found in one pass.
std::vector<std::string_view> pieces(std::string_view text, char mark) {
    std::vector<std::string_view> found;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(mark, start);
        found.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return found;
        start = end + 1;
    }
}

void BM_Floor_RawSqliteReads(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const std::string entity = bench::linesEntity(lines);
    bench::RawSqlite raw;
    const std::int64_t parameterFile = raw.fileId("TPSPARAMBASCUL");
    const std::int64_t rubricFile = raw.fileId("RUBSAISIE");
    sqlite3_stmt* read = raw.prepare("SELECT text FROM records WHERE file = ?1 AND key = ?2");
    const auto textOf = [&](std::int64_t file, std::string_view key) {
        sqlite3_bind_int64(read, 1, file);
        sqlite3_bind_text(read, 2, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        sqlite3_step(read);
        std::string text = bench::columnText(read, 0);
        sqlite3_reset(read);
        return text;
    };
    for (auto _ : state) {
        const std::string record = textOf(parameterFile, entity);
        const std::vector<std::string_view> attributes = pieces(record, mvdb::kAttributeMark);
        std::vector<std::string> labels;
        for (std::size_t attribute = 4; attribute < 9; ++attribute) {
            for (const std::string_view code : pieces(attributes[attribute], mvdb::kValueMark)) {
                const std::string rubric = textOf(rubricFile, code);
                labels.emplace_back(mvdb::nthPiece(rubric, mvdb::kAttributeMark, 1));
            }
        }
        if (labels.size() != 5u * lines) state.SkipWithError("labels missing");
        benchmark::DoNotOptimize(labels);
    }
}

BENCHMARK(BM_OpenEntity_Headless)->Apply(bench::stepLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_RawSqliteReads)->Apply(bench::stepLines)->Unit(benchmark::kMillisecond);

}  // namespace
