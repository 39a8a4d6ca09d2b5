#include "ratio_summary.h"

#include "cases.h"
#include "corpus.h"

#include <algorithm>
#include <cstdio>

namespace lark::bench {

namespace {

// One line of the summary: numerator / denominator against an upper bound
// (0 when the ratio is only reported). Both row cases measure every row, so
// their ratio is also the per-row ratio.
struct RatioRow
{
    const char* what;
    const char* numerator;
    const char* denominator;
    double target;
};

constexpr RatioRow kRatios[] = {
    {"(a) label.html layout, Lark / Qt", names::kLabelLark, names::kLabelQt, 0},
    {"(b) page.html layout at 400, Lark / Qt", names::kPageLark, names::kPageQt, 0.2},
    {"(c) rows.txt per row, Lark / Qt", names::kRowsLark, names::kRowsQt, 0.1},
    {"(d) longrun.html layout at 400, Lark / Qt", names::kLongrunLark, names::kLongrunQt, 0.2},
    {"(d) longrun doubled, Lark / Qt", names::kLongrun2Lark, names::kLongrun2Qt, 0.2},
    {"(d) longrun doubled / single, Lark", names::kLongrun2Lark, names::kLongrunLark, 2.2},
    {"(d) longrun doubled / single, Qt", names::kLongrun2Qt, names::kLongrunQt, 0},
    {"paint first screen, Lark / Qt", names::kPaintFirstLark, names::kPaintFirstQt, 0.8},
    {"paint middle / first screen, Lark", names::kPaintMiddleLark, names::kPaintFirstLark, 1.5},
    {"paint middle / first screen, Qt", names::kPaintMiddleQt, names::kPaintFirstQt, 0},
    {"image file repaint, cached / uncached", names::kPaintImageCachedLark, names::kPaintImageUncachedLark, 0},
    {"label widget (set, size, paint), Lark / QLabel", names::kLabelWidgetLark, names::kLabelWidgetQt, 0.1},
    {"view paint middle / top, Lark", names::kViewPaintMiddleLark, names::kViewPaintTopLark, 1.5},
    {"view page down + paint / paint top, Lark", names::kViewScrollLark, names::kViewPaintTopLark, 0},
    {"browse 10,000 records + paint, DB label / mapper", names::kDBLabelLark, names::kDBLabelQt, 0.2},
    {"list 100k open, Lark / QTextDocument delegate", names::kListOpenLark, names::kListOpenQt, 0.1},
    {"list 100k open, Lark / QListWidget", names::kListOpenLark, names::kListOpenPlain, 0},
    {"list page down, Lark / QListWidget", names::kListPageLark, names::kListPagePlain, 1.0},
    {"list page down, Lark / QTextDocument delegate", names::kListPageLark, names::kListPageQt, 0},
    {"list multi-line re-measure, 100k / 50k rows", names::kListRemeasureFull, names::kListRemeasureHalf, 2.2},
};

// Counters of a case against those of another: (what, numerator, denominator,
// counter, upper bound or 0).
struct CounterRatioRow
{
    const char* what;
    const char* numerator;
    const char* denominator;
    const char* counter;
    double target;
};

constexpr CounterRatioRow kCounterRatios[] = {
    {"list 100k rows heap, Lark / QListWidget", names::kListMemoryLark, names::kListMemoryPlain, "bytes", 1.0},
};

bool IsMinimum(const benchmark::BenchmarkReporter::Run& run)
{
    return run.run_type == benchmark::BenchmarkReporter::Run::RT_Iteration || run.aggregate_name == "min";
}

void PrintTime(const char* label, double seconds, double perRowDivisor)
{
    if (seconds < 0)
        return;
    std::printf("  %-44s %10.1f us", label, seconds * 1e6);
    if (perRowDivisor > 1)
        std::printf("   (%.2f us per row)", seconds * 1e6 / perRowDivisor);
    std::printf("\n");
}

} // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || !IsMinimum(run))
            continue;
        // CPU time: on a shared machine the wall time of a single-threaded case
        // mostly measures the other processes.
        const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        const auto [it, inserted] = FSeconds.try_emplace(run.run_name.function_name, seconds);
        if (!inserted)
            it->second = std::min(it->second, seconds);
        for (const auto& [counter, value] : run.counters)
            FCounters[run.run_name.function_name + "/" + counter] = value.value;
    }
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    PrintSummary();
}

double RatioReporter::Seconds(const char* name) const
{
    const auto it = FSeconds.find(name);
    return it == FSeconds.end() ? -1.0 : it->second;
}

void RatioReporter::PrintSummary() const
{
    if (FSeconds.empty())
        return;
    const double rows = double(TheCorpus().rows.size());
    std::printf("\nFastest repetition of each case (CPU time per iteration):\n");
    for (const auto& [name, seconds] : FSeconds) {
        const bool perRow = name.rfind("Layout/rows/", 0) == 0;
        PrintTime(name.c_str(), seconds, perRow ? rows : 1);
    }

    std::printf("\nRatios measured in this run (below 1: Lark is faster):\n");
    for (const RatioRow& row : kRatios) {
        const double num = Seconds(row.numerator);
        const double den = Seconds(row.denominator);
        if (num < 0 || den <= 0)
            continue;
        const double ratio = num / den;
        std::printf("  %-44s %6.3f", row.what, ratio);
        if (row.target > 0)
            std::printf("   target <= %.2f: %s", row.target, ratio <= row.target ? "met" : "NOT MET");
        std::printf("\n");
    }
    for (const CounterRatioRow& row : kCounterRatios) {
        const auto num = FCounters.find(std::string(row.numerator) + "/" + row.counter);
        const auto den = FCounters.find(std::string(row.denominator) + "/" + row.counter);
        if (num == FCounters.end() || den == FCounters.end() || den->second <= 0)
            continue;
        const double ratio = num->second / den->second;
        std::printf("  %-44s %6.3f   (%.1f MB / %.1f MB)", row.what, ratio, num->second / 1e6, den->second / 1e6);
        if (row.target > 0)
            std::printf("   target <= %.2f: %s", row.target, ratio <= row.target ? "met" : "NOT MET");
        std::printf("\n");
    }
    std::fflush(stdout);
}

} // namespace lark::bench
