// Text selection and accessibility of the HTML hosts (label, view, panel,
// with TextSelection on) under a script of drags, double clicks, keys,
// scrolling and new captions. After every action:
//
//   - the selected range lies inside the shown document's plain text, and
//     SelectedText is that part of it;
//   - no top-level window is left behind (no menu is opened: no context
//     menu events are sent).
//
// Then the host's accessibility tree is walked through Qt's generic
// interfaces: every child's role, state, texts and rectangle; the text
// interface at offsets of the script and every boundary (results must be
// pieces of the whole text with offsets inside it); the action names. No
// action is triggered: one may follow a link.
//
// Input: markup, a 0xFF byte, then the script. Its first byte picks the host.

#include "fuzz_support.h"

#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/html/render.h>
#include <lark/html/layout/text_layout.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cstddef>
#include <cstdint>
#include <iterator>

using namespace lark;
using namespace Qt::StringLiterals;

namespace {

constexpr QAccessible::TextBoundaryType kBoundaries[] = {
    QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
    QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary,
};

constexpr QAccessible::Text kTexts[] = { QAccessible::Name, QAccessible::Description, QAccessible::Value,
                                         QAccessible::Help, QAccessible::Accelerator };

// Captions the script switches to: the input's own and some edge cases.
QString AnyCaption(fuzz::ByteReader& in, const QString& text)
{
    switch (in.Below(4)) {
    case 0: return {};
    case 1: return text.left(in.Byte());
    case 2: return text + text;
    default: return text;
    }
}

class TTextRun
{
public:
    TTextRun(const QString& text, fuzz::ByteReader& script)
        : FIn(script), FText(text)
    {
        switch (FIn.Below(3)) {
        case 0: {
            auto* label = new TLarkHTMLLabel(&fuzz::ActiveWindow());
            FWidget = label;
            FHost = label;
            break;
        }
        case 1: {
            auto* view = new TLarkHTMLView(&fuzz::ActiveWindow());
            FWidget = view;
            FHost = view;
            break;
        }
        default: {
            auto* panel = new TLarkHTMLPanel(&fuzz::ActiveWindow());
            FWidget = panel;
            FHost = panel;
            break;
        }
        }
        FWidget->setGeometry(4, 4, 120 + FIn.Byte(), 40 + FIn.Below(200));
        FHost->OnLinkClick = [](QObject*, const QString&) {};
        FHost->SetTextSelection(true);
        FHost->SetCaption(text);
        FWidget->show();
    }

    ~TTextRun() { delete FWidget; }

    void Run()
    {
        Paint();
        while (!FIn.AtEnd()) {
            Step(FIn.Byte());
            CheckSelection();
        }
        Paint();
        CheckSelection();
        WalkAccessibility();
    }

private:
    QPoint AnyPoint() { return { FIn.Coordinate(FWidget->width()), FIn.Coordinate(FWidget->height()) }; }

    void Step(std::uint8_t action)
    {
        switch (action % 12) {
        case 0:
        case 1: { // a drag
            const QPoint from = AnyPoint();
            const QPoint to = AnyPoint();
            Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Modifiers());
            Mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            break;
        }
        case 2: { // a double click
            const QPoint p = AnyPoint();
            Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            Mouse(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            break;
        }
        case 3: // a click: a link or a check box answers
            Mouse(QEvent::MouseButtonPress, AnyPoint(), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            Mouse(QEvent::MouseButtonRelease, AnyPoint(), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            break;
        case 4:
            Key(Qt::Key_A, Qt::ControlModifier, u"\x01"_s);
            break;
        case 5:
            Key(Qt::Key_C, Qt::ControlModifier, u"\x03"_s);
            (void)QGuiApplication::clipboard()->text();
            break;
        case 6: { // the wheel, and keys that scroll
            const int delta = (FIn.Byte() - 128) * 8;
            const QPoint p = AnyPoint();
            QWheelEvent wheel(p, FWidget->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(FWidget, &wheel);
            Key(FIn.Flag() ? Qt::Key_PageDown : Qt::Key_End, Qt::NoModifier, {});
            break;
        }
        case 7:
            FHost->SetCaption(AnyCaption(FIn, FText));
            break;
        case 8:
            FWidget->resize(FIn.Byte() + 1, FIn.Byte() + 1);
            break;
        case 9: { // a range set by the program, any offsets
            const int length = FHost->TextLayout() ? FHost->TextLayout()->Length() : 0;
            FHost->SetSelectedRange({ FIn.Below(length + 3) - 1, FIn.Below(length + 3) - 1 });
            break;
        }
        case 10:
            FHost->SetTextSelection(FIn.Flag());
            break;
        default:
            Paint();
            break;
        }
    }

    Qt::KeyboardModifiers Modifiers() { return FIn.Flag() ? Qt::ShiftModifier : Qt::NoModifier; }

    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods)
    {
        QMouseEvent event(type, p, FWidget->mapToGlobal(p), button, buttons, mods);
        QApplication::sendEvent(FWidget, &event);
    }

    void Key(int key, Qt::KeyboardModifiers mods, const QString& text)
    {
        QKeyEvent shortcut(QEvent::ShortcutOverride, key, mods, text);
        QApplication::sendEvent(FWidget, &shortcut);
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(FWidget, &press);
    }

    void Paint()
    {
        QImage image(FWidget->size(), QImage::Format_RGB32);
        FWidget->render(&image);
    }

    void CheckSelection()
    {
        const TLarkHTMLTextRange range = FHost->SelectedRange().Normalized();
        const TLarkHTMLTextLayout* layout = FHost->TextLayout();
        if (!layout) {
            LARK_FUZZ_CHECK(range.IsEmpty() || !FHost->TextSelection(), FText);
            return;
        }
        const QString where = u"range %1..%2 of %3 | "_s.arg(range.Start).arg(range.End).arg(layout->Length()) + FText;
        LARK_FUZZ_CHECK(range.Start >= 0 && range.End <= layout->Length(), where);
        if (!range.IsEmpty())
            LARK_FUZZ_CHECK(FHost->SelectedText() == layout->RangeText(range), where);
        (void)FHost->SelectedHTML();
    }

    //---- accessibility

    void WalkAccessibility()
    {
        QAccessible::setActive(true);
        if (QAccessibleInterface* root = QAccessible::queryAccessibleInterface(FWidget))
            Walk(root, 0);
        QAccessible::setActive(false);
    }

    void Walk(QAccessibleInterface* node, int depth)
    {
        LARK_FUZZ_CHECK(node->isValid(), FText);
        (void)node->role();
        (void)node->state();
        (void)node->rect();
        for (QAccessible::Text t : kTexts)
            (void)node->text(t);
        if (QAccessibleTextInterface* text = node->textInterface())
            WalkText(*text);
        if (QAccessibleActionInterface* actions = node->actionInterface())
            for (const QString& name : actions->actionNames())
                (void)actions->localizedActionDescription(name);
        const QRect r = node->rect();
        (void)node->childAt(r.left() + FIn.Coordinate(r.width()), r.top() + FIn.Coordinate(r.height()));
        if (depth > 16)
            return;
        const int children = node->childCount();
        LARK_FUZZ_CHECK(children >= 0, FText);
        for (int i = 0; i < children && i < 200; ++i) {
            QAccessibleInterface* child = node->child(i);
            if (!child)
                continue;
            LARK_FUZZ_CHECK(node->indexOfChild(child) == i, FText);
            Walk(child, depth + 1);
        }
    }

    void WalkText(QAccessibleTextInterface& text)
    {
        const int count = text.characterCount();
        LARK_FUZZ_CHECK(count >= 0, FText);
        const QString all = text.text(0, count);
        LARK_FUZZ_CHECK(all.size() == count, u"%1 vs %2 | "_s.arg(all.size()).arg(count) + FText);
        std::vector<int> offsets = { 0, count, count / 2, -1, count + 1 };
        for (int i = 0; i < 4; ++i)
            offsets.push_back(FIn.Below(count + 3) - 1);
        for (int offset : offsets) {
            for (QAccessible::TextBoundaryType boundary : kBoundaries) {
                CheckPiece(all, offset, [&](int* s, int* e) { return text.textAtOffset(offset, boundary, s, e); });
                CheckPiece(all, offset, [&](int* s, int* e) { return text.textBeforeOffset(offset, boundary, s, e); });
                CheckPiece(all, offset, [&](int* s, int* e) { return text.textAfterOffset(offset, boundary, s, e); });
            }
            (void)text.characterRect(offset);
            int start = 0;
            int end = 0;
            (void)text.attributes(offset, &start, &end);
        }
        const QRect r = text.characterRect(0);
        const int at = text.offsetAtPoint(r.center() + QPoint(FIn.Byte() - 128, FIn.Byte() - 128));
        LARK_FUZZ_CHECK(at >= -1 && at <= count, u"offsetAtPoint %1 | "_s.arg(at) + FText);
        (void)text.cursorPosition();
        for (int i = 0; i < text.selectionCount(); ++i) {
            int start = -1;
            int end = -1;
            text.selection(i, &start, &end);
            LARK_FUZZ_CHECK(start >= 0 && start <= end && end <= count, FText);
        }
    }

    // A piece of text at a boundary is the whole text's between its offsets.
    template <class TQuery>
    void CheckPiece(const QString& all, int offset, TQuery query)
    {
        int start = -1;
        int end = -1;
        const QString piece = query(&start, &end);
        if (piece.isEmpty())
            return;
        const QString where = u"offset %1 gave %2..%3 | "_s.arg(offset).arg(start).arg(end) + FText;
        LARK_FUZZ_CHECK(start >= 0 && start <= end && end <= all.size(), where);
        LARK_FUZZ_CHECK(piece == all.mid(start, end - start), where);
    }

    fuzz::ByteReader& FIn;
    const QString& FText;
    QWidget* FWidget = nullptr;
    TLarkHTMLHostBase* FHost = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::InitializeWidgetTarget(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::RunScripted<TTextRun>(data, size);
    return 0;
}
