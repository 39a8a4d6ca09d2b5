#pragma once
// Names of the benchmarks, shared by the registrations and the ratio summary.
// A name reads operation/input/engine, e.g. "Layout/page/Lark".

#include <benchmark/benchmark.h>

#include <QFont>

namespace lark::bench {

// Wrap width of the page cases and width of the painted screen.
constexpr int kPageWidth = 400;
constexpr int kScreenHeight = 600;

// Every case runs this many times; the summary uses the fastest, which is
// the most stable figure on a shared machine.
constexpr int kRepetitions = 16;
constexpr double kMinTimePerRepetition = 0.1; // seconds

namespace names {
inline constexpr const char* kLabelLark = "Layout/label/Lark";
inline constexpr const char* kLabelQt = "Layout/label/QTextDocument";
inline constexpr const char* kPageLark = "Layout/page/Lark";
inline constexpr const char* kPageQt = "Layout/page/QTextDocument";
inline constexpr const char* kRowsLark = "Layout/rows/Lark";
inline constexpr const char* kRowsQt = "Layout/rows/QTextDocument";
inline constexpr const char* kLongrunLark = "Layout/longrun/Lark";
inline constexpr const char* kLongrunQt = "Layout/longrun/QTextDocument";
inline constexpr const char* kLongrun2Lark = "Layout/longrun2x/Lark";
inline constexpr const char* kLongrun2Qt = "Layout/longrun2x/QTextDocument";
inline constexpr const char* kPaintFirstLark = "Paint/page-first-screen/Lark";
inline constexpr const char* kPaintFirstQt = "Paint/page-first-screen/QTextDocument";
inline constexpr const char* kPaintMiddleLark = "Paint/page-middle-screen/Lark";
inline constexpr const char* kPaintMiddleQt = "Paint/page-middle-screen/QTextDocument";
inline constexpr const char* kPaintImageCachedLark = "Paint/image-file/Lark";
inline constexpr const char* kPaintImageUncachedLark = "Paint/image-file-decoded-each-paint/Lark";
inline constexpr const char* kLabelWidgetLark = "Widget/label/TLarkHTMLLabel";
inline constexpr const char* kLabelWidgetQt = "Widget/label/QLabel";
inline constexpr const char* kViewScrollLark = "Widget/view-page-down/TLarkHTMLView";
inline constexpr const char* kViewPaintTopLark = "Widget/view-paint-top/TLarkHTMLView";
inline constexpr const char* kViewPaintMiddleLark = "Widget/view-paint-middle/TLarkHTMLView";
inline constexpr const char* kDBLabelLark = "Browse/10000-records-pass/TLarkHTMLDBLabel-template";
inline constexpr const char* kDBLabelQt = "Browse/10000-records-pass/QDataWidgetMapper-QLabel";
inline constexpr const char* kListOpenQt = "ListBox/open-100k/QTextDocumentDelegate";
inline constexpr const char* kListOpenPlain = "ListBox/open-100k/QListWidget";
inline constexpr const char* kListOpenLark = "ListBox/open-100k/TLarkHTMLListBox";
inline constexpr const char* kListPageQt = "ListBox/page-down/QTextDocumentDelegate";
inline constexpr const char* kListPagePlain = "ListBox/page-down/QListWidget";
inline constexpr const char* kListPageLark = "ListBox/page-down/TLarkHTMLListBox";
inline constexpr const char* kListMemoryPlain = "ListBox/memory-100k/QListWidget";
inline constexpr const char* kListMemoryLark = "ListBox/memory-100k/TLarkHTMLListBox";
inline constexpr const char* kListRemeasureHalf = "ListBox/remeasure-multiline-50k/TLarkHTMLListBox";
inline constexpr const char* kListRemeasureFull = "ListBox/remeasure-multiline-100k/TLarkHTMLListBox";
} // namespace names

// Repetitions, minimum time and the "min" statistic the summary reads.
void ConfigureCase(benchmark::internal::Benchmark* b);

// The document font both engines use: the engine's default face and height.
QFont DocumentFont();

void RegisterLarkCases();
void RegisterQtCases();
// image_cases.cpp: repainting an image file with and without the image cache.
void RegisterImageCases();
// label_cases.cpp: the label widget against a word-wrapped QLabel.
void RegisterLabelCases();
// view_cases.cpp: the view scrolling and painting page.html.
void RegisterViewCases();
// db_cases.cpp: browsing an SQLite table with the data-aware label.
void RegisterDBCases();
// listbox_cases.cpp: the HTML list box with 100,000 rows against a
// QTextDocument delegate and a plain QListWidget.
void RegisterListBoxCases();
// Closes the lists those cases keep open; before the application ends.
void CloseListBoxCases();

} // namespace lark::bench
