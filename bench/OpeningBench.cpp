// Opening an entity of 10 to 10,000 lines on each store, beside the floor: the least that any
// opening must read, in raw SQLite and in raw libpq. In one read transaction, the entity's record,
// then the records of its distinct rubric codes in one batch (chunks of 16 to 1,024 keys in
// SQLite, one array of keys on the server), each line's labels then taken from them. The
// component's requests to the storage for one opening are counted.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchControl.h"
#include "control/Ctr_Ostrevan_p.h"
#include "platform/mvdb/Marks.h"

namespace {

using bench::Store;

int linesOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

void openEntity(benchmark::State& state, Store store) {
    bench::floorIs(
        state, store == Store::kFile ? "BM_Floor_OpeningRawSqlite" : "BM_Floor_OpeningRawLibpq");
    const int lines = linesOf(state);
    const std::unique_ptr<Ctr_Ostrevan> control = bench::handedIn({}, store);
    control->Init();
    const mvdb::Database& database = bench::benchDatabase({}, store).database();
    std::uint64_t requests = 0;
    for (auto _ : state) {
        const std::uint64_t before = database.Requests();
        control->Txt_Entite.SetText(bench::linesEntity(lines));
        state.PauseTiming();
        requests = database.Requests() - before;
        if (control->Lst_Codes.ListCount() != lines)
            state.SkipWithError("the entity did not open on its lines");
        control->Txt_Entite.SetText("");
        state.ResumeTiming();
    }
    state.counters["requests"] = static_cast<double>(requests);
}

// The first opening of a host that has just started, on its new connection to the server: the
// component prepares its statements and counts the rubric file anew, and the server plans them.
// Measured beside the steady opening, which a connection long open makes.
void BM_FirstOpening_Headless_Server(benchmark::State& state) {
    bench::floorIs(state, "BM_OpenEntity_Headless_Server");
    const int lines = linesOf(state);
    const std::string& location = bench::benchDatabase({}, Store::kServer).location();
    std::unique_ptr<Ctr_Ostrevan> control;
    for (auto _ : state) {
        state.PauseTiming();
        control.reset();  // the last host goes, and its connection with it
        control = bench::handedIn(mvdb::Database::Open(location));
        control->Init();
        state.ResumeTiming();
        control->Txt_Entite.SetText(bench::linesEntity(lines));
        state.PauseTiming();
        if (control->Lst_Codes.ListCount() != lines)
            state.SkipWithError("the entity did not open on its lines");
        state.ResumeTiming();
    }
}

// The distinct codes of a record's five rubric attributes, and its lines' codes in order.
struct RecordCodes {
    std::vector<std::string> distinct;
    std::vector<std::string_view> each;
};

RecordCodes codesOf(std::string_view record) {
    RecordCodes codes;
    std::set<std::string_view> seen;
    std::size_t attribute = 1;
    for (std::size_t start = 0; start <= record.size() && attribute <= 9;) {
        const std::size_t end = std::min(record.find_first_of("\xFE\xFD", start), record.size());
        const std::string_view code = record.substr(start, end - start);
        if (attribute >= 5 && !code.empty()) {
            codes.each.push_back(code);
            if (seen.insert(code).second) codes.distinct.emplace_back(code);
        }
        if (end < record.size() && record[end] == mvdb::kAttributeMark) ++attribute;
        start = end + 1;
    }
    return codes;
}

// Each line's labels, from the label of each code.
std::vector<std::string> labelsOfLines(
    const RecordCodes& codes, const std::map<std::string, std::string, std::less<>>& labels) {
    std::vector<std::string> shown;
    shown.reserve(codes.each.size());
    for (const std::string_view code : codes.each)
        shown.push_back(labels.find(code)->second);
    return shown;
}

// A read of the records under up to `keys` keys, those not bound left NULL.
sqlite3_stmt* prepareChunk(sqlite3* connection, std::size_t keys) {
    std::string sql = "SELECT key, text FROM records WHERE file = ?1 AND key IN (?2";
    for (std::size_t parameter = 3; parameter <= keys + 1; ++parameter)
        sql += ", ?" + std::to_string(parameter);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(connection, (sql + ")").c_str(), -1, &statement, nullptr);
    return statement;
}

void floorOpeningRawSqlite(benchmark::State& state) {
    const std::string entity = bench::linesEntity(linesOf(state));
    bench::RawSqlite raw;
    const std::int64_t parameterFile = raw.fileId("TPSPARAMBASCUL");
    const std::int64_t rubricFile = raw.fileId("RUBSAISIE");
    sqlite3* connection = raw.connection();
    sqlite3_stmt* read = nullptr;
    sqlite3_prepare_v2(connection, "SELECT text FROM records WHERE file = ?1 AND key = ?2", -1,
                       &read, nullptr);
    // Chunks of 16, 128 or 1,024 keys, the smallest that holds the keys left.
    const std::size_t chunkSizes[] = {16, 128, 1024};
    sqlite3_stmt* chunks[] = {prepareChunk(connection, 16), prepareChunk(connection, 128),
                              prepareChunk(connection, 1024)};
    for (auto _ : state) {
        sqlite3_exec(connection, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_bind_int64(read, 1, parameterFile);
        sqlite3_bind_text(read, 2, entity.data(), static_cast<int>(entity.size()), SQLITE_STATIC);
        sqlite3_step(read);
        const std::string record = bench::columnText(read, 0);
        sqlite3_reset(read);
        const RecordCodes codes = codesOf(record);
        std::map<std::string, std::string, std::less<>> labels;
        for (std::size_t first = 0; first < codes.distinct.size();) {
            const std::size_t left = codes.distinct.size() - first;
            const std::size_t size = left <= 16 ? 0 : left <= 128 ? 1 : 2;
            sqlite3_stmt* chunk = chunks[size];
            sqlite3_clear_bindings(chunk);
            sqlite3_bind_int64(chunk, 1, rubricFile);
            for (std::size_t i = 0; i < std::min(left, chunkSizes[size]); ++i) {
                const std::string& code = codes.distinct[first + i];
                sqlite3_bind_text(chunk, static_cast<int>(i) + 2, code.data(),
                                  static_cast<int>(code.size()), SQLITE_STATIC);
            }
            first += std::min(left, chunkSizes[size]);
            while (sqlite3_step(chunk) == SQLITE_ROW) {
                labels.emplace(
                    bench::columnText(chunk, 0),
                    mvdb::nthPiece(bench::columnText(chunk, 1), mvdb::kAttributeMark, 1));
            }
            sqlite3_reset(chunk);
        }
        sqlite3_exec(connection, "COMMIT", nullptr, nullptr, nullptr);
        benchmark::DoNotOptimize(labelsOfLines(codes, labels));
    }
    sqlite3_finalize(read);
    for (sqlite3_stmt* chunk : chunks)
        sqlite3_finalize(chunk);
}

// The keys as a one-dimension bytea[] in the server's binary array format.
std::string byteaArray(const std::vector<std::string>& keys) {
    std::string array;
    const auto append = [&](std::uint32_t number) {
        for (int shift = 24; shift >= 0; shift -= 8)
            array += static_cast<char>(number >> shift & 0xFF);
    };
    for (const std::uint32_t header : {1u, 0u, 17u, static_cast<std::uint32_t>(keys.size()), 1u})
        append(header);
    for (const std::string& key : keys) {
        append(static_cast<std::uint32_t>(key.size()));
        array += key;
    }
    return array;
}

void floorOpeningRawLibpq(benchmark::State& state) {
    const std::string entity = bench::linesEntity(linesOf(state));
    bench::RawLibpq raw;
    const std::string parameterFile = std::to_string(raw.fileId("TPSPARAMBASCUL"));
    const std::string rubricFile = std::to_string(raw.fileId("RUBSAISIE"));
    raw.prepare("begin", "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    raw.prepare("commit", "COMMIT");
    raw.prepare("read", "SELECT text FROM mvdb_records WHERE file = $1 AND key = $2");
    raw.prepare("labels", "SELECT key, text FROM mvdb_records WHERE file = $1 AND key = ANY ($2)");
    for (auto _ : state) {
        raw.run("begin", {});
        const std::string record(
            bench::valueOf(raw.run("read", {parameterFile, entity}, {0, 1}), 0, 0));
        const RecordCodes codes = codesOf(record);
        const std::string keys = byteaArray(codes.distinct);
        const PGresult* rubrics = raw.run("labels", {rubricFile, keys}, {0, 1});
        std::map<std::string, std::string, std::less<>> labels;
        for (int row = 0; row < PQntuples(rubrics); ++row) {
            labels.emplace(
                bench::valueOf(rubrics, row, 0),
                mvdb::nthPiece(bench::valueOf(rubrics, row, 1), mvdb::kAttributeMark, 1));
        }
        raw.run("commit", {});
        benchmark::DoNotOptimize(labelsOfLines(codes, labels));
    }
}

void stepOpenedLines(benchmark::internal::Benchmark* benchmark) {
    benchmark->Apply(bench::stepLines)->Unit(benchmark::kMillisecond);
}

const bool registered = [] {
    bench::registerOnEachStore("BM_OpenEntity_Headless", openEntity,
                               {{{"BM_Floor_OpeningRawSqlite", floorOpeningRawSqlite},
                                 {"BM_Floor_OpeningRawLibpq", floorOpeningRawLibpq}}},
                               stepOpenedLines);
    return true;
}();
BENCHMARK(BM_FirstOpening_Headless_Server)->Apply(stepOpenedLines)->MinTime(0.5);

}  // namespace
