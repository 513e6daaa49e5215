// performance-report: turns the JSON output of the benchmark programs into the tables of the
// performance report, in Markdown on standard output.
//
//   performance-report NOTES.md RESULTS.json... [--beside ROWS.tsv FIGURES.tsv ROUND.json...]
//
// Each benchmark names its floor in its label ("floor: BM_Floor_X"); the floor's run with the
// same arguments (or its only run) is its measure. A first table puts every benchmark beside its
// floor, as a ratio; a second gives, for each step of one argument between two runs of a family,
// the exponent of the growth (1 is linear); a third the requests to the storage of the runs that
// count them. A ratio above 1.3 or an exponent above 1.15 is marked,
// and pointed to its explanation when a heading of NOTES.md ("### NAME, NAME...") names the
// benchmark's family. NOTES.md follows the tables.
//
// With --beside, a first table puts the works of ROWS.tsv beside the reference floors, programs
// of their own that do the least work each job needs, measured in rounds that alternate with the
// benchmarks' rounds (ROUND.json, one a round). Each line of ROWS.tsv is a row: the work, the
// store, the lines, then the benchmark's run ("BM_X/lines:100") whose time the project's is, or
// the key in FIGURES.tsv of a figure measured otherwise (a whole process), then the key of the
// reference floor's figure. FIGURES.tsv holds a key and a time in milliseconds a line, one line a
// round. Each figure is the median of its rounds; a row above 1.5 times its reference is marked.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace {

constexpr double kRatioLimit = 1.3;
constexpr double kReferenceLimit = 1.5;
constexpr double kExponentLimit = 1.15;
constexpr const char* kFloorPrefix = "floor: ";

// One benchmark run: "BM_Family/rows:10/columns:5" is the family and its named arguments.
struct Run {
    std::string family;
    std::vector<std::pair<std::string, double>> arguments;
    double nanoseconds = 0;
    std::string floor;
    std::optional<double> requests;  // the counter "requests": requests to the storage a run
};

double nanosecondsOf(const nlohmann::json& entry) {
    static const std::map<std::string, double> units{
        {"ns", 1}, {"us", 1e3}, {"ms", 1e6}, {"s", 1e9}};
    return entry.at("real_time").get<double>() * units.at(entry.value("time_unit", "ns"));
}

// The run's settings that its name may carry beside its arguments.
bool isSetting(const std::string& part) {
    for (const char* setting : {"iterations:", "repeats:", "threads:", "min_time:", "real_time",
                                "process_time", "manual_time"})
        if (part.starts_with(setting)) return true;
    return false;
}

Run runOf(const nlohmann::json& entry) {
    Run run;
    std::istringstream parts(entry.at("run_name").get<std::string>());
    std::getline(parts, run.family, '/');
    for (std::string part; std::getline(parts, part, '/');) {
        if (isSetting(part)) continue;
        const std::size_t colon = part.find(':');
        const std::string name = colon == std::string::npos ? "n" : part.substr(0, colon);
        run.arguments.emplace_back(name, std::stod(part.substr(colon + 1)));
    }
    run.nanoseconds = nanosecondsOf(entry);
    const std::string label = entry.value("label", "");
    if (label.starts_with(kFloorPrefix)) run.floor = label.substr(std::string(kFloorPrefix).size());
    if (entry.contains("requests")) run.requests = entry.at("requests").get<double>();
    return run;
}

// The runs of the files, in their order: the means where the runs were repeated.
std::vector<Run> readRuns(const std::vector<std::string>& paths) {
    std::vector<Run> runs;
    for (const std::string& path : paths) {
        std::ifstream file(path);
        if (!file) throw std::runtime_error("cannot read " + path);
        const nlohmann::json results = nlohmann::json::parse(file);
        for (const nlohmann::json& entry : results.at("benchmarks")) {
            const bool repeated = entry.value("repetitions", 1) > 1;
            const bool mean = entry.value("aggregate_name", "") == "mean";
            if (entry.contains("error_occurred")) continue;
            if (repeated ? mean : entry.value("run_type", "") == "iteration")
                runs.push_back(runOf(entry));
        }
    }
    return runs;
}

double median(std::vector<double> values) {
    if (values.empty()) return std::nan("");
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '\t');)
        fields.push_back(field);
    return fields;
}

// A run's name without its settings: "BM_X/lines:100/min_time:0.100" is "BM_X/lines:100".
std::string withoutSettings(const std::string& runName) {
    std::istringstream parts(runName);
    std::string name;
    for (std::string part; std::getline(parts, part, '/');)
        if (!isSetting(part)) name += (name.empty() ? "" : "/") + part;
    return name;
}

// The rounds beside the reference floors: every figure by its key, in nanoseconds (the
// benchmarks' runs by their names, the figures of FIGURES.tsv by their keys), and the floor that
// each benchmark's run names.
struct Rounds {
    std::map<std::string, std::vector<double>> figures;
    std::map<std::string, std::string> floors;

    // The median of the key's figures; NaN when it has none.
    double of(const std::string& key) const {
        const auto found = figures.find(key);
        return found == figures.end() ? std::nan("") : median(found->second);
    }

    // The run of the named floor with the run's arguments, or the floor's only run; "" for none.
    std::string floorRun(const std::string& run) const {
        const auto floor = floors.find(run);
        if (floor == floors.end()) return "";
        const std::size_t arguments = run.find('/');
        const std::string same =
            floor->second + (arguments == std::string::npos ? "" : run.substr(arguments));
        return figures.contains(same) ? same : floor->second;
    }
};

Rounds readRounds(const std::string& figuresPath, const std::vector<std::string>& paths) {
    Rounds rounds;
    for (const std::string& path : paths) {
        std::ifstream file(path);
        if (!file) throw std::runtime_error("cannot read " + path);
        const nlohmann::json results = nlohmann::json::parse(file);
        for (const nlohmann::json& entry : results.at("benchmarks")) {
            if (entry.contains("error_occurred")) continue;
            const std::string name = withoutSettings(entry.at("run_name").get<std::string>());
            rounds.figures[name].push_back(nanosecondsOf(entry));
            const std::string label = entry.value("label", "");
            if (label.starts_with(kFloorPrefix))
                rounds.floors[name] = label.substr(std::string(kFloorPrefix).size());
        }
    }
    std::ifstream file(figuresPath);
    if (!file) throw std::runtime_error("cannot read " + figuresPath);
    for (std::string line; std::getline(file, line);) {
        const std::vector<std::string> fields = fieldsOf(line);
        if (fields.size() == 2) rounds.figures[fields[0]].push_back(std::stod(fields[1]) * 1e6);
    }
    return rounds;
}

std::string argumentsText(const Run& run) {
    std::string text;
    for (const auto& [name, value] : run.arguments)
        text += (text.empty() ? "" : ", ") + name + " " + std::to_string(std::llround(value));
    return text;
}

std::string timeText(double nanoseconds) {
    char text[32];
    if (nanoseconds >= 1e6)
        std::snprintf(text, sizeof text, "%.2f ms", nanoseconds / 1e6);
    else if (nanoseconds >= 1e3)
        std::snprintf(text, sizeof text, "%.1f µs", nanoseconds / 1e3);
    else
        std::snprintf(text, sizeof text, "%.0f ns", nanoseconds);
    return text;
}

std::string numberText(double value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// A row of the table beside the reference floors (ROWS.tsv).
struct BesideRow {
    std::string work, store, lines;
    std::string project;    // a benchmark's run, or a key of FIGURES.tsv
    std::string reference;  // the key of the reference floor's figure
};

std::vector<BesideRow> readRows(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::vector<BesideRow> rows;
    for (std::string line; std::getline(file, line);) {
        const std::vector<std::string> fields = fieldsOf(line);
        if (fields.size() != 5)
            throw std::runtime_error(path + ": a row needs five fields: " + line);
        rows.push_back({fields[0], fields[1], fields[2], fields[3], fields[4]});
    }
    return rows;
}

std::string figureText(double nanoseconds) {
    return std::isnan(nanoseconds) ? "—" : timeText(nanoseconds);
}

class Report {
public:
    Report(std::vector<Run> runs, std::string notes)
        : runs_(std::move(runs)), notes_(std::move(notes)) {}

    void setBeside(std::vector<BesideRow> rows, Rounds rounds) {
        besideRows_ = std::move(rows);
        rounds_ = std::move(rounds);
    }

    void write(std::ostream& out) const {
        if (!besideRows_.empty()) writeBeside(out);
        writeRatios(out);
        writeGrowth(out);
        writeRequests(out);
        out << "\n" << notes_;
    }

private:
    // The floor's run with the same arguments, or the floor's only run.
    std::optional<Run> floorOf(const Run& run) const {
        std::vector<const Run*> family;
        for (const Run& floor : runs_)
            if (floor.family == run.floor) family.push_back(&floor);
        for (const Run* floor : family)
            if (floor->arguments == run.arguments) return *floor;
        if (family.size() == 1) return *family.front();
        return std::nullopt;
    }

    std::string mark(const std::string& family, bool over, const char* what) const {
        if (!over) return "";
        const std::string heading = headingNaming(family);
        return std::string(" **") + what +
               (heading.empty() ? "**, not explained" : "**, see \"" + heading + "\"");
    }

    // The heading of the notes ("### A, B") that names the family, or "".
    std::string headingNaming(const std::string& family) const {
        std::istringstream lines(notes_);
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with("### ")) continue;
            std::istringstream names(line.substr(4));
            for (std::string name; std::getline(names >> std::ws, name, ',');)
                if (name == family) return line.substr(4);
        }
        return "";
    }

    void writeBeside(std::ostream& out) const {
        out << "## Beside the reference floors\n\n"
            << "| work | store | lines | reference floor | project | project / reference | "
               "bench's floor |\n|---|---|---|---|---|---|---|\n";
        for (const BesideRow& row : besideRows_) {
            const double reference = rounds_.of(row.reference);
            const double project = rounds_.of(row.project);
            const std::string floor = rounds_.floorRun(row.project);
            const double ratio = project / reference;
            out << "| " << row.work << " | " << row.store << " | " << row.lines << " | "
                << figureText(reference) << " | " << figureText(project) << " | "
                << (std::isnan(ratio) ? "—" : numberText(ratio))
                << mark(row.project.substr(0, row.project.find('/')), ratio > kReferenceLimit,
                        "above 1.5")
                << " | " << (floor.empty() ? "—" : figureText(rounds_.of(floor))) << " |\n";
        }
        out << "\n";
    }

    void writeRatios(std::ostream& out) const {
        out << "## Each benchmark beside its floor\n\n"
            << "| benchmark | arguments | time | floor | floor's time | ratio |\n"
            << "|---|---|---|---|---|---|\n";
        for (const Run& run : runs_) {
            if (run.floor.empty()) continue;
            const std::optional<Run> floor = floorOf(run);
            if (!floor) throw std::runtime_error(run.family + ": no run of " + run.floor);
            const double ratio = run.nanoseconds / floor->nanoseconds;
            out << "| " << run.family << " | " << argumentsText(run) << " | "
                << timeText(run.nanoseconds) << " | " << floor->family << " | "
                << timeText(floor->nanoseconds) << " | " << numberText(ratio)
                << mark(run.family, ratio > kRatioLimit, "above 1.3") << " |\n";
        }
    }

    // The one argument in which two runs of a family differ, if they differ in one only.
    static std::optional<std::size_t> steppedArgument(const Run& from, const Run& to) {
        if (from.family != to.family || from.arguments.size() != to.arguments.size())
            return std::nullopt;
        std::optional<std::size_t> stepped;
        for (std::size_t i = 0; i < from.arguments.size(); ++i) {
            if (from.arguments[i] == to.arguments[i]) continue;
            if (stepped || from.arguments[i].first != to.arguments[i].first) return std::nullopt;
            if (to.arguments[i].second <= from.arguments[i].second) return std::nullopt;
            stepped = i;
        }
        return stepped;
    }

    // For each run and each of its arguments, the step to the run of its family that differs in
    // that argument only, by the smallest larger value.
    void writeGrowth(std::ostream& out) const {
        out << "\n## Growth\n\nThe exponent of each step: log(time ratio) / log(size ratio); 1 "
               "is linear, 0 constant.\n\n"
            << "| benchmark | argument | from | to | time from | time to | exponent |\n"
            << "|---|---|---|---|---|---|---|\n";
        for (const Run& from : runs_) {
            for (std::size_t argument = 0; argument < from.arguments.size(); ++argument) {
                const Run* to = nullptr;
                for (const Run& other : runs_) {
                    if (steppedArgument(from, other) != argument) continue;
                    if (!to || other.arguments[argument] < to->arguments[argument]) to = &other;
                }
                if (to) writeStep(out, from, *to, argument);
            }
        }
    }

    void writeStep(std::ostream& out, const Run& from, const Run& to, std::size_t argument) const {
        const auto& [name, fromSize] = from.arguments[argument];
        const double toSize = to.arguments[argument].second;
        const double exponent =
            std::log(to.nanoseconds / from.nanoseconds) / std::log(toSize / fromSize);
        out << "| " << from.family << " | " << name << " | " << std::llround(fromSize) << " | "
            << std::llround(toSize) << " | " << timeText(from.nanoseconds) << " | "
            << timeText(to.nanoseconds) << " | " << numberText(exponent)
            << mark(from.family, exponent > kExponentLimit, "super-linear") << " |\n";
    }

    // The requests to the storage that the runs counting them made, each time.
    void writeRequests(std::ostream& out) const {
        out << "\n## Requests to the storage\n\nStatements sent to the server, or run by the "
               "SQLite engine, for one run of the benchmark.\n\n"
            << "| benchmark | arguments | requests |\n|---|---|---|\n";
        for (const Run& run : runs_) {
            if (run.requests) {
                out << "| " << run.family << " | " << argumentsText(run) << " | "
                    << std::llround(*run.requests) << " |\n";
            }
        }
    }

    std::vector<Run> runs_;
    std::string notes_;
    std::vector<BesideRow> besideRows_;
    Rounds rounds_;
};

std::string fileText(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto beside = std::find(arguments.begin(), arguments.end(), "--beside");
    if (arguments.size() < 2 || (beside != arguments.end() && arguments.end() - beside < 3)) {
        std::cerr << "usage: performance-report NOTES.md RESULTS.json... "
                     "[--beside ROWS.tsv FIGURES.tsv ROUND.json...]\n";
        return 2;
    }
    try {
        Report report(readRuns({arguments.begin() + 1, beside}), fileText(arguments[0]));
        if (beside != arguments.end())
            report.setBeside(readRows(beside[1]),
                             readRounds(beside[2], {beside + 3, arguments.end()}));
        report.write(std::cout);
    } catch (const std::exception& error) {
        std::cerr << "performance-report: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
