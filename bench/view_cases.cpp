// The view as a widget: page.html in a word-wrapped TLarkHTMLView one screen
// in size, scrolled a page at a time, and painted at its top and at its
// middle. Scrolling must not parse: a case that sees a parse stops with an
// error instead of reporting a time.
#include "cases.h"
#include "corpus.h"

#include <lark/controls/view.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <benchmark/benchmark.h>

#include <QImage>

namespace lark::bench {

namespace {

// A view showing the page, counting the tags its parses meet.
struct PageView
{
    PageView()
    {
        view.SetBorderStyle(bsNone);
        view.SetWordWrap(true);
        view.resize(kPageWidth, kScreenHeight);
        view.OnTagFound = [this](QObject*, QString&, TLarkHTMLItem*&, TStringList*&, bool, bool) { ++tagsParsed; };
        view.SetCaption(TheCorpus().page);
        // Showing delivers the pending resize, which lays a wrapped view out
        // once more; from then on only the content may make it parse.
        view.show();
    }

    int DocumentHeight() const { return view.Render()->Data()->TextSize().height(); }

    TLarkHTMLView view;
    long tagsParsed = 0;
};

QImage Screen()
{
    QImage image(kPageWidth, kScreenHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// A page down and the paint it causes, back to the top after the last page.
void ScrollByPages(benchmark::State& state)
{
    PageView page;
    QImage image = Screen();
    const long parsed = page.tagsParsed;
    for (auto _ : state) {
        const QPoint before = page.view.Position();
        page.view.VScroll(scPageDown);
        if (page.view.Position() == before)
            page.view.VScroll(scTop);
        page.view.render(&image);
    }
    if (page.tagsParsed != parsed)
        state.SkipWithError("scrolling parsed the document again");
}

void PaintAt(benchmark::State& state, bool middle)
{
    PageView page;
    QImage image = Screen();
    page.view.SetPosition(QPoint(0, middle ? page.DocumentHeight() / 2 : 0));
    const long parsed = page.tagsParsed;
    for (auto _ : state)
        page.view.render(&image);
    if (page.tagsParsed != parsed)
        state.SkipWithError("painting parsed the document");
}

} // namespace

void RegisterViewCases()
{
    ConfigureCase(benchmark::RegisterBenchmark(names::kViewScrollLark, ScrollByPages));
    ConfigureCase(benchmark::RegisterBenchmark(names::kViewPaintTopLark, PaintAt, false));
    ConfigureCase(benchmark::RegisterBenchmark(names::kViewPaintMiddleLark, PaintAt, true));
}

} // namespace lark::bench
