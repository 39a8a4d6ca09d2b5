// The baseline: the same inputs through QTextDocument (setHtml, setTextWidth,
// size, drawContents) with the same face and pixel size.
#include "cases.h"
#include "corpus.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTextDocument>

namespace lark::bench {

namespace {


// QTextDocument adds a 4-pixel frame margin by default; the engine has none.
void SetUpDocument(QTextDocument& doc)
{
    doc.setDefaultFont(DocumentFont());
    doc.setDocumentMargin(0);
}

void LayoutOnce(benchmark::State& state, const QString* text, int width)
{
    QTextDocument doc;
    SetUpDocument(doc);
    for (auto _ : state) {
        doc.setHtml(*text);
        doc.setTextWidth(width);
        benchmark::DoNotOptimize(doc.size());
    }
    state.SetBytesProcessed(state.iterations() * text->size() * qsizetype(sizeof(QChar)));
}

// A new document per row, as a delegate measuring rich-text rows does.
void LayoutRows(benchmark::State& state)
{
    const QStringList& rows = TheCorpus().rows;
    const QFont font = DocumentFont();
    for (auto _ : state) {
        qreal total = 0;
        for (const QString& row : rows) {
            QTextDocument doc;
            doc.setDefaultFont(font);
            doc.setDocumentMargin(0);
            doc.setHtml(row);
            total += doc.size().height();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * rows.size());
}

void PaintScreen(benchmark::State& state, bool middle)
{
    QTextDocument doc;
    SetUpDocument(doc);
    doc.setHtml(TheCorpus().page);
    doc.setTextWidth(kPageWidth);
    const qreal top = middle ? doc.size().height() / 2 : 0;
    QImage image(kPageWidth, kScreenHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const QRectF clip(0, top, kPageWidth, kScreenHeight);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.translate(0, -top);
        doc.drawContents(&painter, clip);
    }
}

} // namespace

void RegisterQtCases()
{
    const Corpus& c = TheCorpus();
    ConfigureCase(benchmark::RegisterBenchmark(names::kLabelQt, LayoutOnce, &c.label, kPageWidth));
    ConfigureCase(benchmark::RegisterBenchmark(names::kPageQt, LayoutOnce, &c.page, kPageWidth));
    ConfigureCase(benchmark::RegisterBenchmark(names::kRowsQt, LayoutRows));
    ConfigureCase(benchmark::RegisterBenchmark(names::kLongrunQt, LayoutOnce, &c.longrun, kPageWidth));
    ConfigureCase(benchmark::RegisterBenchmark(names::kLongrun2Qt, LayoutOnce, &c.longrun2, kPageWidth));
    ConfigureCase(benchmark::RegisterBenchmark(names::kPaintFirstQt, PaintScreen, false));
    ConfigureCase(benchmark::RegisterBenchmark(names::kPaintMiddleQt, PaintScreen, true));
}

} // namespace lark::bench
