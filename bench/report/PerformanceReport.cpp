// performance-report: turns the JSON output of the benchmark programs into the tables of the
// performance report, in Markdown on standard output.
//
//   performance-report NOTES.md RESULTS.json...
//
// Each benchmark names its floor in its label ("floor: BM_Floor_X"); the floor's run with the
// same arguments (or its only run) is its measure. A first table puts every benchmark beside its
// floor, as a ratio; a second gives, for each step of one argument between two runs of a family,
// the exponent of the growth (1 is linear); a third the requests to the storage of the runs that
// count them. A ratio above 1.3 or an exponent above 1.15 is marked,
// and pointed to its explanation when a heading of NOTES.md ("### NAME, NAME...") names the
// benchmark's family. NOTES.md follows the tables.
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

class Report {
public:
    Report(std::vector<Run> runs, std::string notes)
        : runs_(std::move(runs)), notes_(std::move(notes)) {}

    void write(std::ostream& out) const {
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
};

std::string fileText(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: performance-report NOTES.md RESULTS.json...\n";
        return 2;
    }
    try {
        const Report report(readRuns({argv + 2, argv + argc}), fileText(argv[1]));
        report.write(std::cout);
    } catch (const std::exception& error) {
        std::cerr << "performance-report: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
