// lark_bench: see cases.h for what runs. Extra arguments go to Google
// Benchmark (--benchmark_filter=Layout/page, ...).
#include "cases.h"
#include "corpus.h"
#include "ratio_summary.h"

#include <lark/framework/font.h>
#include <lark/framework/framework.h>

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace lark::bench {

QFont DocumentFont()
{
    // The engine's default face and height; QTextDocument shapes text as it
    // does for any application, so its default style strategy is kept.
    QFont font = MakeQFont(QStringLiteral("MS Sans Serif"), -11, TFontStyles());
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

void ConfigureCase(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions)
        ->MinTime(kMinTimePerRepetition)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

} // namespace lark::bench

namespace {

// Repetitions run in shuffled order unless asked otherwise, so that a slow
// phase of a shared machine spreads over all cases instead of hitting one.
std::vector<char*> WithDefaultFlags(int argc, char** argv)
{
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> args(argv, argv + argc);
    bool chosen = false;
    for (int i = 1; i < argc; ++i)
        chosen = chosen || std::strncmp(argv[i], "--benchmark_enable_random_interleaving", 38) == 0;
    if (!chosen)
        args.push_back(interleave);
    args.push_back(nullptr);
    return args;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> args = WithDefaultFlags(argc, argv);
    int count = int(args.size()) - 1;
    benchmark::Initialize(&count, args.data());

    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(count, args.data());
    lark::InitializeFramework();
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;

    lark::bench::Corpus corpus;
    QString error;
    if (!lark::bench::LoadCorpus(corpus, error)) {
        std::fprintf(stderr,
                     "lark_bench: %s\nThe benchmark inputs (label.html, page.html, rows.txt, longrun.html) are "
                     "read from %s; set LARK_BENCH_CORPUS to another folder holding them.\n",
                     qPrintable(error), LARK_BENCH_CORPUS_DIR);
        return 2;
    }
    lark::bench::SetCorpus(std::move(corpus));
    lark::bench::RegisterLarkCases();
    lark::bench::RegisterQtCases();
    lark::bench::RegisterLabelCases();
    lark::bench::RegisterViewCases();
    lark::bench::RegisterImageCases();
    lark::bench::RegisterDBCases();
    lark::bench::RegisterListBoxCases();

    lark::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    lark::bench::CloseListBoxCases();
    benchmark::Shutdown();
    return 0;
}
