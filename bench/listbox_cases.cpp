// The HTML list box with 100,000 rows of rows.txt against the two ways Qt
// developers show such rows today, in a 400 x 600 list:
//   - a QListView over a QStringListModel whose QStyledItemDelegate lays
//     every row out with QTextDocument in sizeHint and paint;
//   - a plain QListWidget of the same rows with the tags stripped.
// Opening is creating the list, giving it the rows, showing it and painting
// the first screen; a page down is scrolling one page and painting it. The
// memory cases report the heap the rows take once shown (counter "bytes").
// Re-measuring wrapped rows after a resize is timed for 50,000 and 100,000
// rows, so that the ratio shows whether it grows linearly.
#include "cases.h"
#include "corpus.h"

#include <lark/controls/html_list_box.h>
#include <lark/framework/string_list.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <malloc.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace lark::bench {

namespace {

constexpr int kRows = 100000;

// rows.txt repeated up to kRows rows, each a string of its own (no
// implicit sharing between repeats, as real rows would be).
QStringList HTMLRows()
{
    const QStringList& source = TheCorpus().rows;
    QStringList rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const QString& row = source[i % source.size()];
        rows.append(QString(row.constData(), row.size()));
    }
    return rows;
}

QStringList PlainRows(const QStringList& html)
{
    QStringList rows;
    rows.reserve(html.size());
    for (const QString& row : html)
        rows.append(QTextDocumentFragment::fromHtml(row).toPlainText());
    return rows;
}

const QStringList& TheHTMLRows()
{
    static const QStringList rows = HTMLRows();
    return rows;
}

const QStringList& ThePlainRows()
{
    static const QStringList rows = PlainRows(TheHTMLRows());
    return rows;
}

// Copies whose characters are not shared with the lists above.
QStringList DeepCopy(const QStringList& rows)
{
    QStringList copy;
    copy.reserve(rows.size());
    for (const QString& row : rows)
        copy.append(QString(row.constData(), row.size()));
    return copy;
}

// The usual rich-text delegate: every row is laid out by a QTextDocument of
// its own, for its size hint and again for painting.
class RichTextDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        QTextDocument document;
        document.setDefaultFont(cell.font);
        document.setHtml(cell.text);
        cell.text.clear();
        cell.widget->style()->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
        painter->save();
        painter->translate(cell.rect.topLeft());
        document.drawContents(painter, QRectF(0, 0, cell.rect.width(), cell.rect.height()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        QTextDocument document;
        document.setDefaultFont(cell.font);
        document.setHtml(cell.text);
        return QSize(int(document.idealWidth()), int(document.size().height()));
    }
};

// One open list of each kind.
struct RichTextList
{
    explicit RichTextList(const QStringList& rows)
        : model(rows)
    {
        view.setFont(DocumentFont());
        view.setItemDelegate(&delegate);
        view.setModel(&model);
    }
    QStringListModel model;
    RichTextDelegate delegate;
    QListView view;
};

struct PlainList
{
    explicit PlainList(const QStringList& rows)
    {
        view.setFont(DocumentFont());
        view.addItems(rows);
    }
    QListWidget view;
};

struct LarkList
{
    explicit LarkList(const QStringList& rows, bool multiLine = false)
    {
        view.SetMultiLine(multiLine);
        view.Items().Assign(TStringList(rows));
    }
    TLarkHTMLListBox view;
};

QImage& Screen()
{
    static QImage image(kPageWidth, kScreenHeight, QImage::Format_ARGB32_Premultiplied);
    return image;
}

// Shows a list one screen in size and paints it.
void ShowAndPaint(QAbstractItemView& view)
{
    view.resize(kPageWidth, kScreenHeight);
    view.show();
    view.render(&Screen());
}

template <typename List> void Open(benchmark::State& state, const QStringList& rows)
{
    for (auto _ : state) {
        auto list = std::make_unique<List>(rows);
        ShowAndPaint(list->view);
        benchmark::DoNotOptimize(Screen().constBits());
        // Closing the list is not opening it.
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}

// The lists the page-down cases scroll, opened once and closed before the
// application goes (widgets must not outlive it).
std::vector<std::function<void()>>& Closers()
{
    static std::vector<std::function<void()>> closers;
    return closers;
}

template <typename List> List& OpenList(const QStringList& rows)
{
    static std::unique_ptr<List> list;
    if (!list) {
        list = std::make_unique<List>(rows);
        ShowAndPaint(list->view);
        Closers().push_back([] { list.reset(); });
    }
    return *list;
}

template <typename List> void PageDown(benchmark::State& state, const QStringList& rows)
{
    List& list = OpenList<List>(rows);
    QScrollBar* bar = list.view.verticalScrollBar();
    for (auto _ : state) {
        if (bar->value() >= bar->maximum())
            bar->setValue(0);
        else
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        list.view.render(&Screen());
    }
}

// Heap bytes the rows take from handing them over to the first paint.
template <typename List> void Memory(benchmark::State& state, const QStringList& rows)
{
    double bytes = 0;
    for (auto _ : state) {
        // The rows' characters count: each list holds its own.
        const size_t before = mallinfo2().uordblks;
        QStringList copy = DeepCopy(rows);
        auto list = std::make_unique<List>(copy);
        copy.clear();
        ShowAndPaint(list->view);
        bytes = double(mallinfo2().uordblks) - double(before);
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.counters["bytes"] = bytes;
}

// Wrapped rows measured again after the width changed.
void Remeasure(benchmark::State& state, int rows)
{
    LarkList list(TheHTMLRows().mid(0, rows), true);
    list.view.SetItemAutoHeight(true);
    ShowAndPaint(list.view);
    int width = kPageWidth;
    for (auto _ : state) {
        width = width == kPageWidth ? kPageWidth - 40 : kPageWidth;
        list.view.resize(width, kScreenHeight);
        list.view.render(&Screen());
    }
}

// A few long runs: each is a second or more for the slow recipes.
void ConfigureSlowCase(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

void Register(const char* name, void (*fn)(benchmark::State&, const QStringList&), const QStringList& (*rows)(),
              bool slow)
{
    auto* b = benchmark::RegisterBenchmark(name, [fn, rows](benchmark::State& state) { fn(state, rows()); });
    if (slow)
        ConfigureSlowCase(b);
    else
        ConfigureCase(b);
}

} // namespace

void CloseListBoxCases()
{
    for (const auto& close : Closers())
        close();
    Closers().clear();
}

void RegisterListBoxCases()
{
    Register(names::kListOpenQt, Open<RichTextList>, TheHTMLRows, true);
    Register(names::kListOpenPlain, Open<PlainList>, ThePlainRows, true);
    Register(names::kListOpenLark, Open<LarkList>, TheHTMLRows, true);
    Register(names::kListPageQt, PageDown<RichTextList>, TheHTMLRows, false);
    Register(names::kListPagePlain, PageDown<PlainList>, ThePlainRows, false);
    Register(names::kListPageLark, PageDown<LarkList>, TheHTMLRows, false);
    Register(names::kListMemoryPlain, Memory<PlainList>, ThePlainRows, true);
    Register(names::kListMemoryLark, Memory<LarkList>, TheHTMLRows, true);
    ConfigureSlowCase(benchmark::RegisterBenchmark(names::kListRemeasureHalf, Remeasure, kRows / 2));
    ConfigureSlowCase(benchmark::RegisterBenchmark(names::kListRemeasureFull, Remeasure, kRows));
}

} // namespace lark::bench
