// Text selection and copy in the label, the panel and the view, on real
// widgets (offscreen platform): drags across runs and lines, word selection,
// select all, the clipboard's text and HTML, the highlight's pixels, and
// links and check boxes that still answer plain clicks.
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>
#include <lark/html/layout/text_layout.h>

#include "support/image_checks.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

enum class Host { Label, Panel, View };

const QString kDocument = u"plain <b>bold</b> <font color=\"#008000\">green</font><br>"
                          u"second &lt;line&gt; <a href=\"target\">link here</a> <input type=checkbox name=c>"_s;

class TextSelectionTest : public testing::TestWithParam<Host>
{
protected:
    TextSelectionTest()
    {
        Parent.resize(420, 240);
        QWidget* widget = nullptr;
        switch (GetParam()) {
        case Host::Label: {
            auto* label = new TLarkHTMLLabel(&Parent);
            label->Font().SetName(u"DejaVu Sans"_s);
            label->Font().SetColor(clBlack);
            label->SetColor(clWhite);
            label->OnLinkClick = [this](QObject*, const QString& href) { Links << href; };
            widget = label;
            Base = label;
            break;
        }
        case Host::Panel: {
            auto* panel = new TLarkHTMLPanel(&Parent);
            panel->Font().SetName(u"DejaVu Sans"_s);
            panel->Font().SetColor(clBlack);
            panel->SetColor(clWhite);
            panel->SetAlignment(taLeftJustify);
            panel->OnLinkClick = [this](QObject*, const QString& href) { Links << href; };
            widget = panel;
            Base = panel;
            break;
        }
        case Host::View: {
            auto* view = new TLarkHTMLView(&Parent);
            view->Font().SetName(u"DejaVu Sans"_s);
            view->Font().SetColor(clBlack);
            view->SetColor(clWhite);
            view->OnLinkClick = [this](QObject*, const QString& href) { Links << href; };
            widget = view;
            Base = view;
            break;
        }
        }
        Widget = widget;
        Widget->setGeometry(5, 5, 400, 200);
        Parent.show();
        Base->SetTextSelection(true);
        Base->SetCaption(kDocument);
        Grab();
    }

    QImage Grab() { return test::GrabRGB32(*Widget); }
    const TLarkHTMLTextLayout& Layout() { return *Base->TextLayout(); }
    // The client point at the middle of the character at offset n.
    QPoint CharPoint(int n) { return Base->DocumentToClient(Layout().CharRect(n)).center(); }
    int OffsetOf(const QString& s) { return int(Layout().Text().indexOf(s)); }

    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = {})
    {
        QMouseEvent event(type, pos, Widget->mapToGlobal(pos), Qt::LeftButton, buttons, mods);
        QApplication::sendEvent(Widget, &event);
    }
    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        Mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        Mouse(QEvent::MouseMove, to, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    void Click(QPoint pos)
    {
        Mouse(QEvent::MouseButtonPress, pos, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, pos, Qt::NoButton);
    }
    void Key(int key, Qt::KeyboardModifiers mods)
    {
        QKeyEvent event(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(Widget, &event);
    }
    TLarkHTMLInputItem* CheckBox() { return Base->Render()->FindInputItemByName(u"c"_s, nullptr); }

    QWidget Parent;
    QWidget* Widget = nullptr;      // owned by Parent
    TLarkHTMLHostBase* Base = nullptr;
    QStringList Links;
};

TEST_P(TextSelectionTest, IsOffByDefaultAndADragThenSelectsNothing)
{
    Base->SetTextSelection(false);
    EXPECT_EQ(Widget->property("TextSelection"), QVariant(false));
    Drag(CharPoint(0), CharPoint(OffsetOf(u"green"_s)));
    EXPECT_TRUE(Base->SelectedRange().IsEmpty());
    ASSERT_TRUE(Widget->metaObject()->property(Widget->metaObject()->indexOfProperty("TextSelection")).reset(Widget));
}

TEST_P(TextSelectionTest, DragSelectsAcrossStyledRunsAndLineBreaks)
{
    struct Case
    {
        QString From; // the selection starts before the first character of this
        QString To;   // ... and ends before this one
        QString Expected;
    };
    const Case cases[] = {
        {u"ain"_s, u"ld"_s, u"ain bo"_s},                       // plain into bold
        {u"old"_s, u"een"_s, u"old gr"_s},                      // bold across into a coloured run
        {u"reen"_s, u"cond"_s, u"reen\r\nse"_s},                // across the line break
        {u"cond"_s, u"ld"_s, u"ld green\r\nse"_s},              // upwards: the same text, ordered
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Expected.toStdString());
        const int from = OffsetOf(c.From);
        const int to = OffsetOf(c.To);
        // Just left of the character's middle gives the boundary before it.
        const QRect fromCell = Base->DocumentToClient(Layout().CharRect(from));
        const QRect toCell = Base->DocumentToClient(Layout().CharRect(to));
        Drag(QPoint(fromCell.left() + 1, fromCell.center().y()), QPoint(toCell.left() + 1, toCell.center().y()));
        EXPECT_EQ(Base->SelectedText(), c.Expected);
    }
}

TEST_P(TextSelectionTest, DoubleClickSelectsAWordAndSelectAllTakesEverything)
{
    const QPoint onBold = CharPoint(OffsetOf(u"old"_s));
    Mouse(QEvent::MouseButtonPress, onBold, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, onBold, Qt::NoButton);
    Mouse(QEvent::MouseButtonDblClick, onBold, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, onBold, Qt::NoButton);
    EXPECT_EQ(Base->SelectedText(), u"bold"_s);

    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Base->SelectedText(), Base->Render()->AsText());
}

TEST_P(TextSelectionTest, CopyPutsPlainTextAndHtmlOnTheClipboard)
{
    QApplication::clipboard()->clear();
    Base->SetSelectedRange({OffsetOf(u"bold"_s), OffsetOf(u"link"_s) + 4});
    Key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->text(), u"bold green\r\nsecond <line> link"_s);
    const QString html = mime->html();
    EXPECT_TRUE(html.startsWith(u"<b>bold</b> <font color=\"#008000\">green</font><br>"_s)) << html.toStdString();
    EXPECT_TRUE(html.contains(u"second &lt;line&gt; <a href=\"target\">link</a>"_s)) << html.toStdString();
    EXPECT_FALSE(html.contains(u"here"_s));
}

TEST_P(TextSelectionTest, ContextMenuOffersCopyWhileSomethingIsSelected)
{
    QContextMenuEvent none(QContextMenuEvent::Mouse, CharPoint(0), Widget->mapToGlobal(CharPoint(0)));
    QApplication::sendEvent(Widget, &none);
    EXPECT_EQ(Widget->findChild<QMenu*>(u"TextSelectionMenu"_s), nullptr);

    QApplication::clipboard()->clear();
    Base->SetSelectedRange({0, 5});
    QContextMenuEvent event(QContextMenuEvent::Mouse, CharPoint(0), Widget->mapToGlobal(CharPoint(0)));
    QApplication::sendEvent(Widget, &event);
    auto* menu = Widget->findChild<QMenu*>(u"TextSelectionMenu"_s);
    ASSERT_NE(menu, nullptr);
    ASSERT_FALSE(menu->actions().isEmpty());
    QAction* copy = menu->actions().first();
    EXPECT_EQ(copy->text(), u"Copy"_s);
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), u"plain"_s);
    menu->close();
}

TEST_P(TextSelectionTest, PlainClicksStillFollowLinksAndToggleCheckBoxes)
{
    const QPoint onLink = CharPoint(OffsetOf(u"link"_s) + 1);
    Click(onLink);
    EXPECT_EQ(Links, QStringList{u"target"_s});

    // A drag that starts on the link selects and follows nothing.
    Drag(onLink, CharPoint(OffsetOf(u"second"_s)));
    EXPECT_EQ(Links.size(), 1);
    EXPECT_FALSE(Base->SelectedText().isEmpty());

    TLarkHTMLInputItem* box = CheckBox();
    ASSERT_NE(box, nullptr);
    const QRect boxRect = Base->DocumentToClient(Layout().ItemRect(Base->Render()->Data()->IndexOfItem(box)));
    Click(boxRect.center());
    EXPECT_TRUE(CheckBox()->Checked());
    // A drag ending on it leaves it as it is.
    Drag(CharPoint(OffsetOf(u"second"_s)), boxRect.center());
    EXPECT_TRUE(CheckBox()->Checked());
}

TEST_P(TextSelectionTest, SelectionIsDrawnInTheHighlightColoursAndDroppedByANewCaption)
{
    const QColor highlight = Widget->palette().color(QPalette::Highlight);
    const QColor highlightedText = Widget->palette().color(QPalette::HighlightedText);
    const auto count = [](const QImage& image, const QColor& c) {
        return test::CountPixels(image, image.rect(), c);
    };
    EXPECT_EQ(count(Grab(), highlight), 0);

    Base->SetSelectedRange({OffsetOf(u"bold"_s), OffsetOf(u"green"_s) + 5});
    const QImage shot = Grab();
    const QRect bold = Base->DocumentToClient(Layout().CharRect(OffsetOf(u"bold"_s)));
    const QRect plain = Base->DocumentToClient(Layout().CharRect(0));
    EXPECT_GT(count(shot.copy(bold), highlight), bold.width() * bold.height() / 3);
    EXPECT_GT(count(shot.copy(bold), highlightedText), 0);
    EXPECT_EQ(count(shot.copy(plain), highlight), 0);

    Base->SetCaption(u"another text"_s);
    EXPECT_TRUE(Base->SelectedRange().IsEmpty());
    EXPECT_EQ(count(Grab(), highlight), 0);
}

std::string HostName(const testing::TestParamInfo<Host>& info)
{
    static const char* const names[] = {"Label", "Panel", "View"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Hosts, TextSelectionTest, testing::Values(Host::Label, Host::Panel, Host::View), HostName);

TEST(TextSelectionView, SurvivesScrolling)
{
    TLarkHTMLView view;
    view.resize(200, 80);
    view.SetColor(clWhite);
    view.show();
    view.SetTextSelection(true);
    QString text;
    for (int i = 0; i < 30; ++i)
        text += u"line %1<br>"_s.arg(i);
    view.SetCaption(text);
    view.grab();
    const int start = int(view.TextLayout()->Text().indexOf(u"line 5"_s));
    view.SetSelectedRange({start, start + 6});
    const QRect docCell = view.TextLayout()->CharRect(start);
    view.SetPosition(QPoint(0, docCell.top() - 10));
    const QImage shot = test::GrabRGB32(view);
    EXPECT_EQ(view.SelectedText(), u"line 5"_s);
    const QRect cell = view.DocumentToClient(docCell);
    EXPECT_EQ(cell.top(), 10 + view.ClientRect().top());
    EXPECT_GT(test::CountPixels(shot, cell, view.palette().color(QPalette::Highlight)), cell.height());
}

} // namespace
} // namespace lark
