#pragma once
// Benchmarks named "<operation>/<column>", timed in process CPU time (the machine may be shared
// and loaded), summed up after the run as one table: a row per operation, the median CPU time
// of each column side by side and the ratio of each column to a reference column.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace poremi::bench {

class CpuTimeTable : public benchmark::ConsoleReporter {
public:
    // The ratio is "column time / reference time": below 1 means the column is faster.
    CpuTimeTable(std::vector<std::string> columns, std::string reference)
        : columns_(std::move(columns)), reference_(std::move(reference)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            const std::string& name = run.run_name.function_name;
            const auto slash = name.rfind('/');
            if (slash == std::string::npos) continue;
            auto& row = rows_[name.substr(0, slash)];
            row[name.substr(slash + 1)].push_back(run.GetAdjustedCPUTime());
        }
    }

    void print() const {
        std::printf("\n%-28s", "CPU ms per run (median)");
        for (const std::string& column : columns_) std::printf(" %10s", column.c_str());
        for (const std::string& column : columns_) {
            if (column != reference_) std::printf(" %10s", (column + "/" + reference_).c_str());
        }
        std::printf("\n");
        for (const auto& [operation, times] : rows_) {
            std::printf("%-28s", operation.c_str());
            for (const std::string& column : columns_) std::printf(" %10.2f", median(times, column));
            const double reference = median(times, reference_);
            for (const std::string& column : columns_) {
                if (column != reference_) std::printf(" %10.2f", median(times, column) / reference);
            }
            std::printf("\n");
        }
    }

private:
    static double median(const std::map<std::string, std::vector<double>>& times, const std::string& column) {
        const auto found = times.find(column);
        if (found == times.end() || found->second.empty()) return 0.0;
        std::vector<double> sorted = found->second;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }

    std::vector<std::string> columns_;
    std::string reference_;
    std::map<std::string, std::map<std::string, std::vector<double>>> rows_;
};

// Runs the registered benchmarks with table as the console reporter and prints it.
inline int runWithTable(int argc, char** argv, CpuTimeTable& table) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks(&table);
    table.print();
    benchmark::Shutdown();
    return 0;
}

}  // namespace poremi::bench
