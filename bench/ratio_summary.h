#pragma once
// Ratios of the figures of one run, printed after the usual table: each
// engine figure against QTextDocument's and against the target it must meet.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace lark::bench {

// The console table, plus the fastest CPU time of every case for the summary.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    void PrintSummary() const;
    // CPU seconds per iteration of a case; negative when it did not run.
    double Seconds(const char* name) const;

    std::map<std::string, double> FSeconds;
    // User counters of the fastest repetition, by "case/counter".
    std::map<std::string, double> FCounters;
};

} // namespace lark::bench
