// The label as a widget: label.html given as the caption of an auto-sized
// TLarkHTMLLabel and painted, against a word-wrapped QLabel given the same
// text (setText, sizeHint, render), both painting into the same image.
//
// Each iteration first empties the text, since both widgets skip a text
// equal to the one they show; emptying costs next to nothing in either.
#include "cases.h"
#include "corpus.h"

#include <lark/controls/label.h>

#include <benchmark/benchmark.h>

#include <QImage>
#include <QLabel>

namespace lark::bench {

namespace {

constexpr int kLabelHeight = 100;

QImage Target()
{
    QImage image(kPageWidth, kLabelHeight * 3, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

void LarkLabel(benchmark::State& state)
{
    const QString& text = TheCorpus().label;
    QImage image = Target();
    TLarkHTMLLabel label;
    label.SetAutoSize(true);
    for (auto _ : state) {
        label.SetCaption(QString());
        label.resize(kPageWidth, kLabelHeight);
        label.SetCaption(text);
        label.render(&image);
    }
    benchmark::DoNotOptimize(label.size());
}

void QtLabel(benchmark::State& state)
{
    const QString& text = TheCorpus().label;
    QImage image = Target();
    QLabel label;
    label.setFont(DocumentFont());
    label.setWordWrap(true);
    for (auto _ : state) {
        label.clear();
        label.setText(text);
        label.resize(label.sizeHint());
        label.render(&image);
    }
    benchmark::DoNotOptimize(label.size());
}

} // namespace

void RegisterLabelCases()
{
    ConfigureCase(benchmark::RegisterBenchmark(names::kLabelWidgetLark, LarkLabel));
    ConfigureCase(benchmark::RegisterBenchmark(names::kLabelWidgetQt, QtLabel));
}

} // namespace lark::bench
