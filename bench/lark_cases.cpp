// The engine's side: PrepareText (parse, wrap, line metrics) and DrawText.
#include "cases.h"
#include "corpus.h"

#include <lark/framework/canvas.h>
#include <lark/html/render.h>

#include <benchmark/benchmark.h>

#include <QImage>

namespace lark::bench {

namespace {

enum class Wrap { No, Yes };


// Parse and lay out one text per iteration with a long-lived render object,
// as a host does on every change.
void PrepareOnce(benchmark::State& state, const QString* text, int width, Wrap wrap)
{
    TLarkHTMLRender render;
    for (auto _ : state) {
        render.PrepareText(*text, width, wrap == Wrap::Yes);
        benchmark::DoNotOptimize(render.Data()->TextSize());
    }
    state.SetBytesProcessed(state.iterations() * text->size() * qsizetype(sizeof(QChar)));
}

// The height a list box gives a single-line row: that of the first text run
// with a height, else of the last item, else the text height.
int RowHeight(const TLarkHTMLData& data)
{
    for (const auto& item : data.Items()) {
        if (item->ItemType() == hitChar && item->FHeight != 0)
            return item->FHeight;
    }
    if (!data.Items().empty())
        return data.Items().back()->FHeight;
    return data.TextSize().height();
}

// Every row parsed without wrapping by one shared render object, as a list
// box measuring its rows does.
void PrepareRows(benchmark::State& state)
{
    const QStringList& rows = TheCorpus().rows;
    TLarkHTMLRender render;
    for (auto _ : state) {
        int total = 0;
        for (const QString& row : rows) {
            render.PrepareText(row, 0, false);
            total += RowHeight(*render.Data());
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * rows.size());
}

// One screen of the wrapped page, from the top or from the middle, into an
// image as a view's paint event would.
void PaintScreen(benchmark::State& state, bool middle)
{
    TLarkHTMLRender render;
    render.PrepareText(TheCorpus().page, kPageWidth, true);
    const int top = middle ? render.Data()->TextSize().height() / 2 : 0;
    QImage image(kPageWidth, kScreenHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const QRect area(0, 0, kPageWidth, kScreenHeight);
    for (auto _ : state) {
        TCanvas canvas(&image);
        render.DrawText(canvas, QPoint(0, top), area, clNone, area);
    }
}

} // namespace

void RegisterLarkCases()
{
    const Corpus& c = TheCorpus();
    ConfigureCase(benchmark::RegisterBenchmark(names::kLabelLark, PrepareOnce, &c.label, kPageWidth, Wrap::Yes));
    ConfigureCase(benchmark::RegisterBenchmark(names::kPageLark, PrepareOnce, &c.page, kPageWidth, Wrap::Yes));
    ConfigureCase(benchmark::RegisterBenchmark(names::kRowsLark, PrepareRows));
    ConfigureCase(
        benchmark::RegisterBenchmark(names::kLongrunLark, PrepareOnce, &c.longrun, kPageWidth, Wrap::Yes));
    ConfigureCase(
        benchmark::RegisterBenchmark(names::kLongrun2Lark, PrepareOnce, &c.longrun2, kPageWidth, Wrap::Yes));
    ConfigureCase(benchmark::RegisterBenchmark(names::kPaintFirstLark, PaintScreen, false));
    ConfigureCase(benchmark::RegisterBenchmark(names::kPaintMiddleLark, PaintScreen, true));
}

} // namespace lark::bench
