// The engine end to end: parser, wrap step, line metrics, paint, mouse and
// keyboard input, plain text and regenerated HTML, on a live host so that
// inputs and embedded controls run too. Besides "no crash" it holds the layout to its own rules:
//
//   - item 0 of a non-empty document is a paragraph start, and every item of
//     ControlsArray is in the item list;
//   - painting walks the lines downwards: line tops never decrease and each
//     line lies inside TextSize's height;
//   - every item a paint reaches lies inside TextSize's width, except where
//     the paint rules move x beyond the measured line on purpose: centred and
//     right-aligned lines align within the area, an image advances one pixel
//     more than its width, a list number is measured only when it is drawn,
//     and negative widths or indents from the markup move x backwards.
//
// Input: the bytes as UTF-8 markup.

#include "fuzz_support.h"

#include "support/test_host.h"

#include <lark/framework/canvas.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>
#include <lark/html/interaction/shift_state.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

using namespace lark;
using namespace Qt::StringLiterals;

namespace {

constexpr int kNotPainted = INT_MIN;

QString Where(const TLarkHTMLData& data, int index)
{
    const TLarkHTMLItem& item = *data.Items()[size_t(index)];
    return u"item %1 kind %2 left %3 top %4 width %5 height %6; text size %7x%8"_s.arg(index)
        .arg(int(item.FItemType))
        .arg(item.FLeft)
        .arg(item.FTop)
        .arg(item.FWidth)
        .arg(item.FHeight)
        .arg(data.TextSize().width())
        .arg(data.TextSize().height());
}

void CheckContainer(const TLarkHTMLData& data)
{
    const auto& items = data.Items();
    if (items.empty())
        return;
    LARK_FUZZ_CHECK(items.front()->FItemType == hitPara && items.front()->IsBreakItem(), Where(data, 0));
    for (const TLarkHTMLItem* focusable : data.ControlsArray())
        LARK_FUZZ_CHECK(data.IndexOfItem(focusable) >= 0, u"a focusable item outside the list"_s);
    LARK_FUZZ_CHECK(data.SelectedItem() == nullptr || data.IndexOfItem(data.SelectedItem()) >= 0, QString());
    LARK_FUZZ_CHECK(data.ActiveItem() == nullptr || data.IndexOfItem(data.ActiveItem()) >= 0, QString());
}

// Whether x can only grow along the line from its indent.
bool AdvancesOnly(const TLarkHTMLData& data, int first, int end)
{
    const auto& items = data.Items();
    if (items[size_t(first)]->FIndent < 0)
        return false;
    for (int k = first + 1; k < end; ++k) {
        const TLarkHTMLItem& item = *items[size_t(k)];
        if (item.FWidth < 0 || item.IsAbsoluteIndent())
            return false;
    }
    return true;
}

void CheckPaintedGeometry(const TLarkHTMLData& data, const QRect& area)
{
    const auto& items = data.Items();
    const QSize size = data.TextSize();
    int lastTop = INT_MIN;
    int i = 0;
    while (i < int(items.size())) {
        auto& line = static_cast<const TLarkHTMLBreakItem&>(*items[size_t(i)]);
        int end = i + 1;
        while (end < int(items.size()) && !items[size_t(end)]->IsBreakItem())
            ++end;
        if (line.FTop == kNotPainted)
            break; // the walk stopped before this line (below the area)
        LARK_FUZZ_CHECK(line.FTop >= lastTop, Where(data, i));
        lastTop = line.FTop;
        if (data.LineGap() >= 0)
            LARK_FUZZ_CHECK(line.FTop >= 0 && std::int64_t(line.FTop) + line.FHeight <= size.height(), Where(data, i));

        const bool numbered = line.FItemType == hitLI && line.FListItemN >= 1;
        const bool knownAlignment = line.Alignment() <= 2;
        if (!numbered && knownAlignment && AdvancesOnly(data, i, end)) {
            const int width = line.Alignment() == 0 ? size.width() : std::max(size.width(), area.width() + 1);
            int images = 0;
            for (int k = i + 1; k < end; ++k) {
                const TLarkHTMLItem& item = *items[size_t(k)];
                if (item.FLeft == kNotPainted)
                    break;
                images += item.FItemType == hitBitmap ? 1 : 0;
                LARK_FUZZ_CHECK(item.FTop == line.FTop, Where(data, k));
                LARK_FUZZ_CHECK(item.FLeft >= -1 && item.FLeft <= std::int64_t(width) + images, Where(data, k));
            }
        }
        i = end;
    }
}

void Paint(TLarkHTMLRender& render, QPoint source, const QRect& area)
{
    for (const auto& item : render.Data()->Items()) {
        item->FLeft = kNotPainted;
        item->FTop = kNotPainted;
    }
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(&painter);
    render.DrawText(canvas, source, area, clNone, area);
}

// Mouse and keyboard over what was painted: hover, clicks on items (check
// boxes toggle, radio groups follow), Tab through the focusable items and
// Space on the selection. The container's references stay inside its list.
void Interact(TLarkHTMLRender& render, const QRect& area)
{
    TLarkHTMLData& data = *render.Data();
    std::vector<QPoint> points;
    for (const auto& item : data.Items()) {
        if (item->FLeft != kNotPainted && points.size() < 24)
            points.emplace_back(item->FLeft - 1, item->FTop + 1);
    }
    for (const QPoint p : points) {
        (void)render.GetItemAt(p, QPoint(0, 0), area);
        QString href;
        (void)render.IsCursorOverLink(p, QPoint(0, 0), area, href);
        render.MouseMoveTransfer(TShiftState{}, p.x(), p.y(), area);
        render.ClickTransfer(p.x(), p.y(), area);
        CheckContainer(data);
    }
    for (int key : { int(Qt::Key_Tab), int(Qt::Key_Tab), int(Qt::Key_Space), int(Qt::Key_Backtab) }) {
        render.KeyDownTransfer(key, TShiftState{});
        CheckContainer(data);
    }
    render.SelectNextLink();
    render.SelectPrevLink();
    CheckContainer(data);
}

void RunOnce(const QString& text, int width, bool wrap)
{
    test::TestHost& host = fuzz::SharedHost();
    TLarkHTMLRender& render = host.Render();
    TLarkHTMLData& data = *render.Data();
    data.AssignSettings(&host);
    render.PrepareText(text, width, wrap);
    CheckContainer(data);

    const QSize size = data.TextSize();
    const QRect area(0, 0, std::clamp(width, 1, 400), std::clamp(size.height() + 1, 1, 3000));
    Paint(render, QPoint(0, 0), area);
    CheckContainer(data);
    CheckPaintedGeometry(data, area);
    if (width == 300 && wrap)
        Interact(render, area);

    // A paint scrolled into the document starts at a line found by search.
    if (size.height() > 2) {
        Paint(render, QPoint(0, size.height() / 2), QRect(0, 0, area.width(), 40));
        CheckContainer(data);
    }
    (void)render.AsText();
    (void)data.GenerateHTML();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lark::fuzz::InitializeEnvironment(argc, argv);
    // Links are never handed to the desktop.
    TLarkHTMLRender::SetUrlOpener([](const QUrl&) { return true; });
    TLarkHTMLRender& render = fuzz::SharedHost().Render();
    // Variables show their name back, so that substitution runs.
    render.OnVariableNeeded = [](QObject*, const QString& name, QString& value) { value = name; };
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = lark::fuzz::TextOf(data, size);
    for (int width : { 1, 300, 10000 })
        for (bool wrap : { true, false })
            RunOnce(text, width, wrap);
    // Untrusted content takes other paths (caps, ignored tags, refused
    // images and controls); once, at a typical width, with the same oracles.
    TLarkHTMLRender& render = fuzz::SharedHost().Render();
    render.SetUntrusted(true);
    RunOnce(text, 300, true);
    render.SetUntrusted(false);
    // Controls of the last document go now, not at an event loop that never runs.
    fuzz::SharedHost().Render().PrepareText(QString(), 300, true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
