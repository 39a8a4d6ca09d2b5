// CoreDemo driven as a user drives it: pages chosen in the navigation bar,
// check boxes, links and embedded controls clicked, the view's snippet typed
// into, and themes switched.
#include "color_box.h"
#include "core_form.h"
#include "db_controls_page.h"
#include "db_templates_page.h"
#include "demo_database.h"
#include "direct_drawing_page.h"
#include "embedded_controls_page.h"
#include "image_lists.h"
#include "label_page.h"
#include "list_box_page.h"
#include "panel_page.h"
#include "navigation_bar.h"
#include "page_table.h"
#include "themes.h"
#include "view_page.h"
#include "demo_messages.h"
#include "demo_widgets.h"

#include "support/document_probes.h"
#include "support/image_checks.h"

#include <lark/controls/html_list_box.h>
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/db/data_source.h>
#include <lark/db/db_label.h>
#include <lark/db/db_view.h>
#include <lark/db/grid.h>
#include <lark/db/navigator.h>
#include <lark/db/sql_table.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/image_list.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSlider>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

using test::FindItem;
using test::PaintedRect;

// For each text run of a label holding the words Text: whether it is bold.
QList<bool> BoldnessOf(const TLarkHTMLLabel& label, const QString& text)
{
    const QRegularExpression words(u"\\b"_s + QRegularExpression::escape(text) + u"\\b"_s);
    QList<bool> bold;
    for (const auto& item : label.Render()->Data()->Items()) {
        if (item->ItemType() == hitChar && words.match(item->Text()).hasMatch())
            bold << item->FontStyle.Contains(fsBold);
    }
    return bold;
}

// The values the variables of the document last prepared got, in order.
QStringList VariableValues(const TLarkHTMLRender& render)
{
    QStringList values;
    for (const auto& item : render.Data()->Items()) {
        if (item->ItemType() == hitVar)
            values << item->Text();
    }
    return values;
}

int CountWhere(const QImage& image, const std::function<bool(QColor)>& wanted)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += wanted(image.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}

class CoreDemo : public testing::Test
{
protected:
    void SetUp() override
    {
        FSavedStyle = QApplication::style()->name();
        FSavedPalette = QApplication::palette();
        FPreviousSink = demo::SetMessageSink([this](QWidget*, const QString& text) { messages << text; });
        form = std::make_unique<TfrmLarkHTMLCore>();
        // Never the user's own data folder.
        ASSERT_TRUE(FTempDir.isValid());
        QString error;
        ASSERT_TRUE(demo::CreateSampleDatabase(SampleDatabase(), error)) << error.toStdString();
        form->SetDatabaseName(SampleDatabase());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override
    {
        form.reset();
        demo::SetMessageSink(FPreviousSink);
        QApplication::setStyle(FSavedStyle);
        QApplication::setPalette(FSavedPalette);
    }

    // Clicks a navigation button where it is drawn.
    void Navigate(const QString& caption)
    {
        const QRect button = form->Navigation()->ButtonRect(caption);
        ASSERT_FALSE(button.isEmpty()) << "no button " << caption.toStdString();
        QTest::mouseClick(form->Navigation(), Qt::LeftButton, Qt::NoModifier, button.center());
        QCoreApplication::processEvents();
        FlushDeletes();
    }

    // Embedded controls of an earlier parse go as the event loop would let them.
    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <typename Page>
    Page* Shown() const
    {
        return qobject_cast<Page*>(form->CurrentFrame());
    }

    // Clicks the first run of the link to href in a label.
    void ClickLabelLink(TLarkCustomHTMLLabel* label, const QString& href)
    {
        label->repaint();
        const TLarkHTMLData& data = *label->Render()->Data();
        const TLarkHTMLItem* link = FindItem(data, [&](const TLarkHTMLItem& item) {
            return item.IsLink() && item.LinkRef() == href && !item.Text().trimmed().isEmpty();
        });
        ASSERT_NE(link, nullptr) << "no link to " << href.toStdString();
        const QPoint at = label->GetTextRect().topLeft() + PaintedRect(data, link).center();
        QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, at);
        QCoreApplication::processEvents();
    }

    // Clicks the first run of the link to href in a view, where it is drawn.
    void ClickViewLink(TLarkHTMLView* view, const QString& href)
    {
        view->repaint();
        const TLarkHTMLData& data = *view->Render()->Data();
        const TLarkHTMLItem* link = FindItem(data, [&](const TLarkHTMLItem& item) {
            return item.IsLink() && item.LinkRef() == href && !item.Text().trimmed().isEmpty();
        });
        ASSERT_NE(link, nullptr) << "no link to " << href.toStdString();
        const QPoint at = view->TextRect().topLeft() + PaintedRect(data, link).center() - view->Position();
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
        QCoreApplication::processEvents();
    }

    static void Click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(4, widget->height() / 2));
        QCoreApplication::processEvents();
        FlushDeletes();
    }

    QString TempPath(const QString& name) const { return FTempDir.filePath(name); }
    QString SampleDatabase() const { return TempPath(u"sample.sqlite"_s); }

    std::unique_ptr<TfrmLarkHTMLCore> form;
    QStringList messages;

private:
    QTemporaryDir FTempDir;
    QString FSavedStyle;
    QPalette FSavedPalette;
    demo::TMessageSink FPreviousSink;
};

//---- The window and its navigation

TEST_F(CoreDemo, WindowIsLaidOutAsDesigned)
{
    EXPECT_EQ(form->windowTitle(), u"Lark HTML Controls Demo"_s);
    EXPECT_EQ(form->size(), QSize(703, 552));
    EXPECT_EQ(form->Navigation()->width(), 153);
    EXPECT_EQ(form->Navigation()->x(), 2);
    EXPECT_TRUE(form->StylesCombo()->isVisible());
    EXPECT_EQ(form->StylesCombo()->count(), demo::AvailableThemes().size());
    EXPECT_GE(form->StylesCombo()->count(), 12);
    EXPECT_EQ(form->CloseButton()->text(), u"Close"_s);
    // The label page is shown at start.
    EXPECT_NE(Shown<TFrameLabel>(), nullptr);
    EXPECT_EQ(form->Navigation()->SelectedButton(), u"TLarkHTMLLabel"_s);
}

TEST_F(CoreDemo, NavigationHoldsThreeCategoriesOfButtons)
{
    const demo::TCategoryButtons& bar = *form->Navigation();
    ASSERT_EQ(bar.CategoryCount(), 3);
    EXPECT_EQ(bar.CategoryCaption(0), u"Core Controls"_s);
    EXPECT_EQ(bar.CategoryCaption(1), u"DB Controls"_s);
    EXPECT_EQ(bar.CategoryCaption(2), u"Tips&Tricks"_s);
    EXPECT_EQ(bar.Buttons(0), QStringList({ u"TLarkHTMLLabel"_s, u"TLarkHTMLPanel"_s, u"TLarkHTMLListBox"_s,
                                             u"TLarkHTMLView"_s }));
    EXPECT_EQ(bar.Buttons(1), QStringList({ u"DB Controls (1)"_s, u"DB Controls (2)"_s }));
    EXPECT_EQ(bar.Buttons(2), QStringList({ u"Embedded Controls"_s, u"Direct drawing"_s }));
    // Every button is inside the bar, one under the other.
    int previousBottom = -1;
    for (const demo::TDemoPage& page : demo::DemoPages()) {
        const QRect button = bar.ButtonRect(QString::fromLatin1(page.Caption));
        SCOPED_TRACE(page.Caption);
        EXPECT_TRUE(bar.rect().contains(button));
        EXPECT_GT(button.top(), previousBottom);
        previousBottom = button.bottom();
    }
}

TEST_F(CoreDemo, CategoryCollapsesAndExpandsOnItsBox)
{
    demo::TCategoryButtons& bar = *form->Navigation();
    const QRect viewButton = bar.ButtonRect(u"TLarkHTMLView"_s);
    const QRect drawingButton = bar.ButtonRect(u"Direct drawing"_s);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.ToggleRect(0).center());
    EXPECT_TRUE(bar.Collapsed(0));
    EXPECT_TRUE(bar.ButtonRect(u"TLarkHTMLView"_s).isEmpty());
    // The categories below move up.
    EXPECT_LT(bar.ButtonRect(u"Direct drawing"_s).top(), drawingButton.top());
    // A click where a hidden button was selects nothing.
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, viewButton.center());
    QCoreApplication::processEvents();
    EXPECT_NE(form->CurrentCaption(), u"TLarkHTMLView"_s);

    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.ToggleRect(0).center());
    EXPECT_FALSE(bar.Collapsed(0));
    EXPECT_EQ(bar.ButtonRect(u"TLarkHTMLView"_s), viewButton);
}

TEST_F(CoreDemo, PagesAreMadeOnDemandAndFreedWhenLeft)
{
    const QPointer<QWidget> labelPage = form->CurrentFrame();
    Navigate(u"TLarkHTMLLabel"_s);
    EXPECT_EQ(form->CurrentFrame(), labelPage.data()) << "the page shown was made again";

    Navigate(u"TLarkHTMLView"_s);
    EXPECT_TRUE(labelPage.isNull());
    ASSERT_NE(Shown<TFrameView>(), nullptr);
    EXPECT_EQ(form->CurrentFrame()->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 1);

    struct Expected
    {
        const char* caption;
        std::function<bool(QWidget*)> isPage;
    };
    const Expected pages[] = {
        { "TLarkHTMLPanel", [](QWidget* w) { return qobject_cast<TFramePanel*>(w) != nullptr; } },
        { "TLarkHTMLListBox", [](QWidget* w) { return qobject_cast<TFrameListbox*>(w) != nullptr; } },
        { "DB Controls (1)", [](QWidget* w) { return qobject_cast<TFrameDBTemplates*>(w) != nullptr; } },
        { "DB Controls (2)", [](QWidget* w) { return qobject_cast<TFrameDBCtrls*>(w) != nullptr; } },
        { "Embedded Controls", [](QWidget* w) { return qobject_cast<TControlsPanel*>(w) != nullptr; } },
        { "Direct drawing", [](QWidget* w) { return qobject_cast<TFrameDirectDraw*>(w) != nullptr; } },
        { "TLarkHTMLLabel", [](QWidget* w) { return qobject_cast<TFrameLabel*>(w) != nullptr; } },
    };
    for (const Expected& page : pages) {
        SCOPED_TRACE(page.caption);
        Navigate(QString::fromLatin1(page.caption));
        EXPECT_TRUE(page.isPage(form->CurrentFrame()));
        EXPECT_EQ(form->CurrentFrame()->geometry(), form->CurrentFrame()->parentWidget()->rect());
    }
}

//---- The label page

TEST_F(CoreDemo, XTagsActiveMakesXTextBoldInAllThreeLabels)
{
    TFrameLabel* page = Shown<TFrameLabel>();
    ASSERT_NE(page, nullptr);
    struct XText
    {
        int label;
        const char* text;
    };
    const XText xTexts[] = { { 1, "Lark" }, { 2, "Transparent one" }, { 3, "Autosize = true" } };
    for (const XText& x : xTexts) {
        SCOPED_TRACE(x.text);
        const QList<bool> bold = BoldnessOf(*page->Label(x.label), QString::fromUtf8(x.text));
        ASSERT_FALSE(bold.isEmpty());
        EXPECT_FALSE(bold.contains(true));
    }
    Click(page->XTagCheckBox());
    ASSERT_TRUE(page->XTagCheckBox()->isChecked());
    for (const XText& x : xTexts) {
        SCOPED_TRACE(x.text);
        const QList<bool> bold = BoldnessOf(*page->Label(x.label), QString::fromUtf8(x.text));
        ASSERT_FALSE(bold.isEmpty());
        EXPECT_FALSE(bold.contains(false));
    }
    // The text after the closing tag is plain again.
    EXPECT_EQ(BoldnessOf(*page->Label(1), u"Skein"_s), QList<bool>({ false }));

    Click(page->XTagCheckBox());
    EXPECT_FALSE(BoldnessOf(*page->Label(2), u"Transparent one"_s).contains(true));
}

TEST_F(CoreDemo, TrackParamsListsLabelOnesTagsWithTheirAttributes)
{
    TFrameLabel* page = Shown<TFrameLabel>();
    ASSERT_NE(page, nullptr);
    Click(page->TrackParamsCheckBox());
    const QStringList lines = page->Memo()->toPlainText().split(u'\n');
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.constLast(), u"---"_s);

    // Blocks of: the tag, then its attribute lines, then "---".
    QStringList tags;
    QStringList block;
    for (const QString& line : lines) {
        if (line != u"---"_s) {
            block << line;
            continue;
        }
        ASSERT_GE(block.size(), 2) << "a tag without attributes: " << block.join(u'|').toStdString();
        tags << block.constFirst();
        EXPECT_FALSE(block.constFirst().contains(u'='));
        for (qsizetype i = 1; i < block.size(); ++i)
            EXPECT_TRUE(block.at(i).contains(u'=')) << block.at(i).toStdString();
        if (block.constFirst() == u"hr"_s) {
            EXPECT_EQ(block.mid(1), QStringList({ u"lightcolor=silver"_s, u"shadowcolor=silver"_s }));
        }
        block.clear();
    }
    EXPECT_EQ(tags, QStringList({ u"body"_s, u"font"_s, u"p"_s, u"hr"_s, u"p"_s, u"a"_s, u"control"_s }));

    // Unchecking keeps the list; checking again starts it afresh.
    Click(page->TrackParamsCheckBox());
    Click(page->TrackParamsCheckBox());
    EXPECT_EQ(page->Memo()->toPlainText().split(u'\n'), lines);
}

TEST_F(CoreDemo, LabelLinksShowTheirMessages)
{
    TFrameLabel* page = Shown<TFrameLabel>();
    ASSERT_NE(page, nullptr);
    struct Link
    {
        int label;
        const char* href;
        const char* message;
    };
    const Link links[] = {
        { 2, "2",
          "OnTagFound event allows to handle unsupported tags. For example, some text in this demo contains <x> tag "
          "which is replaced by <b> on the fly, if \"<x> tags active\" checkbox is checked" },
        { 1, "3", "Lark HTML engine allows to incorporate any control within html text" },
        { 2, "1", "Just some link." },
        { 3, "padding", "Just some link." },
    };
    for (const Link& link : links) {
        SCOPED_TRACE(link.href);
        messages.clear();
        ClickLabelLink(page->Label(link.label), QString::fromLatin1(link.href));
        EXPECT_EQ(messages, QStringList({ QString::fromUtf8(link.message) }));
    }
}

TEST_F(CoreDemo, EmbeddedButtonOfLabelOneReportsItsName)
{
    TFrameLabel* page = Shown<TFrameLabel>();
    ASSERT_NE(page, nullptr);
    auto* button = page->findChild<QPushButton*>(u"_button"_s);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->text(), u"btn"_s);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList({ u"You clicked \"_button\" control"_s }));
}

TEST_F(CoreDemo, LabelSettingsReachAllThreeLabels)
{
    TFrameLabel* page = Shown<TFrameLabel>();
    ASSERT_NE(page, nullptr);
    page->LineGapTrackBar()->setValue(7);
    page->LinkColorBox()->SetSelected(clRed);
    Q_EMIT page->LinkColorBox()->colorSelected(clRed);
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(page->Label(n)->Options()->LineGap(), 7);
        EXPECT_EQ(page->Label(n)->Options()->LinkColor(), clRed);
    }
    page->PaddingTrackBar()->setValue(11);
    EXPECT_EQ(page->Label(3)->Padding()->Left(), 11);
    EXPECT_EQ(page->Label(3)->Padding()->Bottom(), 11);
    EXPECT_EQ(page->Label(1)->Padding()->Left(), 3);

    // Auto size for all: labels 1 and 2 wrap at their designed widths and
    // then fit their text.
    ASSERT_TRUE(page->AutoSizeCheckBox()->isChecked());
    Click(page->AutoSizeCheckBox());
    Click(page->AutoSizeCheckBox());
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(page->Label(n)->AutoSize());
        EXPECT_EQ(page->Label(n)->size(), page->Label(n)->sizeHint());
    }
    EXPECT_LE(page->Label(1)->width(), 196 + 2 * 3);
    EXPECT_GT(page->Label(1)->width(), 196 / 2);
    EXPECT_LE(page->Label(2)->width(), 201 + 2 * 3);

    Click(page->WordWrapCheckBox());
    Click(page->IsHTMLCheckBox());
    for (int n = 1; n <= 3; ++n) {
        EXPECT_FALSE(page->Label(n)->WordWrap());
        EXPECT_FALSE(page->Label(n)->IsHTML());
    }
}

//---- The view page

TEST_F(CoreDemo, EditingTheMemoReRendersTheViewFromTheTop)
{
    Navigate(u"TLarkHTMLView"_s);
    TFrameView* page = Shown<TFrameView>();
    ASSERT_NE(page, nullptr);
    TLarkHTMLView* view = page->View();
    EXPECT_EQ(view->Caption(), TFrameView::Snippet().join(u"\r\n"_s));

    // Long enough to scroll, then scrolled down.
    page->Memo()->setFocus();
    page->Memo()->moveCursor(QTextCursor::End);
    QTest::keyClicks(page->Memo(), u"<br><br><br><br><br><br><br><br><br><br><br><br><br><br><br><br>end"_s);
    EXPECT_EQ(view->Caption(), page->Memo()->toPlainText().split(u'\n').join(u"\r\n"_s));
    ASSERT_TRUE(view->VertScrollBarVisible());
    view->SetPosition(QPoint(0, 60));
    ASSERT_EQ(view->Position().y(), 60);

    page->Memo()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(page->Memo(), u"<b>Typed</b> "_s);
    EXPECT_EQ(view->Position(), QPoint(0, 0));
    EXPECT_TRUE(view->Render()->AsText().startsWith(u"Typed"_s)) << view->Render()->AsText().toStdString();
    const TLarkHTMLItem* typed = FindItem(*view->Render()->Data(), [](const TLarkHTMLItem& item) {
        return item.Text().contains(u"Typed"_s);
    });
    ASSERT_NE(typed, nullptr);
    EXPECT_TRUE(typed->FontStyle.Contains(fsBold));
    // One keystroke is enough: the view follows every change.
    QTest::keyClick(page->Memo(), Qt::Key_Home);
    QTest::keyClick(page->Memo(), Qt::Key_X);
    EXPECT_TRUE(view->Render()->AsText().startsWith(u"xTyped"_s));
}

TEST_F(CoreDemo, ViewSettingsApplyLive)
{
    Navigate(u"TLarkHTMLView"_s);
    TFrameView* page = Shown<TFrameView>();
    ASSERT_NE(page, nullptr);
    Click(page->GradientCheckBox());
    EXPECT_EQ(page->View()->BackgroundType(), bgtHorzGradient);
    Click(page->GradientCheckBox());
    EXPECT_EQ(page->View()->BackgroundType(), bgtColorFill);
    Click(page->TransparentCheckBox());
    EXPECT_TRUE(page->View()->Transparent());
    page->LineGapTrackBar()->setValue(9);
    EXPECT_EQ(page->View()->Options()->LineGap(), 9);
    // Its embedded memo and edit exist.
    EXPECT_NE(page->View()->findChild<QPlainTextEdit*>(), nullptr);
    auto* edit = page->View()->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), u"edit control"_s);

    // Its link points at the memo.
    ClickViewLink(page->View(), u"3"_s);
    EXPECT_EQ(messages, QStringList({ u"Try changing code on the right panel"_s }));
}

//---- The panel page

TEST_F(CoreDemo, PanelsShowPicturesFromFilesAndTheImageList)
{
    // The program finds "file:" pictures in its working directory.
    const QString previous = QDir::currentPath();
    const auto restore = qScopeGuard([&previous] { QDir::setCurrent(previous); });
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral(COREDEMO_IMAGES_DIR)));
    Navigate(u"TLarkHTMLPanel"_s);
    TFramePanel* page = Shown<TFramePanel>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Panel(1)->geometry(), QRect(20, 16, 237, 249));
    EXPECT_EQ(page->Panel(2)->geometry(), QRect(280, 16, 209, 249));
    EXPECT_EQ(page->Panel(1)->ImageList(), form->Images()->ImageList());

    // Every picture was found and sized: the two files beside the program
    // and the first two images of the list.
    struct Picture
    {
        int panel;
        const char* source;
    };
    const Picture pictures[] = {
        { 1, "file:logo.png" }, { 1, "index:0" }, { 1, "index:1" }, { 2, "file:sample.png" } };
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.source);
        const TLarkHTMLData& data = *page->Panel(picture.panel)->Render()->Data();
        const TLarkHTMLItem* image = FindItem(data, [&](const TLarkHTMLItem& item) {
            return item.ItemType() == hitBitmap && item.Text() == QLatin1StringView(picture.source);
        });
        ASSERT_NE(image, nullptr);
        EXPECT_GE(image->FWidth, 16);
        EXPECT_GE(image->FHeight, 16);
    }

    // The second panel takes the display area's colour.
    const QImage shot = page->grab().toImage();
    const QPoint inside = page->Panel(2)->geometry().bottomLeft() + QPoint(20, -20);
    const QPoint outside = page->Panel(2)->geometry().bottomRight() + QPoint(20, -20);
    EXPECT_EQ(shot.pixelColor(inside), shot.pixelColor(outside));

    page->LineGapTrackBar()->setValue(7);
    EXPECT_EQ(page->Panel(1)->Options()->LineGap(), 7);
    EXPECT_EQ(page->Panel(2)->Options()->LineGap(), 7);
}

//---- The list box page

TEST_F(CoreDemo, TypingIntoVarValueChangesListItemThree)
{
    Navigate(u"TLarkHTMLListBox"_s);
    TFrameListbox* page = Shown<TFrameListbox>();
    ASSERT_NE(page, nullptr);
    TLarkHTMLListBox* list = page->ListBox(1);
    ASSERT_EQ(list->Count(), 13);
    EXPECT_EQ(page->ListBox(2)->Count(), 8);
    EXPECT_EQ(list->PlainItemText(3), u"Item 3:  "_s);
    EXPECT_EQ(VariableValues(*list->Render()), QStringList({ u"put some text here"_s }));

    const QRect row3 = list->visualRect(list->model()->index(3, 0));
    const QRect row1 = list->visualRect(list->model()->index(1, 0));
    const QImage before = list->viewport()->grab().toImage();
    page->VarValueEdit()->selectAll();
    QTest::keyClicks(page->VarValueEdit(), u"Wren"_s);
    QCoreApplication::processEvents();
    const QImage after = list->viewport()->grab().toImage();

    EXPECT_EQ(page->VarValueEdit()->text(), u"Wren"_s);
    list->PlainItemText(3);
    EXPECT_EQ(VariableValues(*list->Render()), QStringList({ u"Wren"_s }));
    EXPECT_NE(before.copy(row3), after.copy(row3)) << "row 3 was not drawn anew";
    EXPECT_EQ(before.copy(row1), after.copy(row1));
}

TEST_F(CoreDemo, ListBoxSettingsAndLinksReachBothLists)
{
    Navigate(u"TLarkHTMLListBox"_s);
    TFrameListbox* page = Shown<TFrameListbox>();
    ASSERT_NE(page, nullptr);
    page->LinkColorBox()->SetSelected(clFuchsia);
    Q_EMIT page->LinkColorBox()->colorSelected(clFuchsia);
    page->SelectedColorBox()->SetSelected(clLime);
    Q_EMIT page->SelectedColorBox()->colorSelected(clLime);
    for (int number : { 1, 2 }) {
        SCOPED_TRACE(number);
        EXPECT_EQ(page->ListBox(number)->Options()->LinkColor(), clFuchsia);
        EXPECT_EQ(page->ListBox(number)->SelectedColor(), clLime);
    }

    // A left click on a row's link reports its target; the row is not selected.
    TLarkHTMLListBox* list = page->ListBox(1);
    const QRect row = list->visualRect(list->model()->index(2, 0));
    bool clicked = false;
    for (int x = row.left() + 2; x < row.right() && !clicked; x += 3) {
        list->SetItemIndex(5);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, row.center().y()));
        clicked = !messages.isEmpty();
    }
    ASSERT_TRUE(clicked) << "no link in row 2";
    EXPECT_EQ(messages, QStringList({ u"You clicked link with href = Item2"_s }));
    EXPECT_EQ(list->ItemIndex(), 5);
}

//---- The DB pages

// Where a link of a data-aware view is drawn: the opener gets what it opens.
class RecordingUrlOpener
{
public:
    RecordingUrlOpener()
    {
        TLarkHTMLRender::SetUrlOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }
    ~RecordingUrlOpener() { TLarkHTMLRender::SetUrlOpener({}); }
    RecordingUrlOpener(const RecordingUrlOpener&) = delete;
    RecordingUrlOpener& operator=(const RecordingUrlOpener&) = delete;

    QList<QUrl> opened;
};

TEST_F(CoreDemo, SampleDatabaseHoldsBothTablesWithTheirFields)
{
    TSQLTable table;
    table.SetDatabaseName(SampleDatabase());
    struct Table
    {
        const char* name;
        QStringList fields;
    };
    const Table tables[] = {
        { "table1", { u"textfield1"_s, u"textfield2"_s } },
        { "table2", { u"caption"_s, u"description"_s } },
    };
    for (const Table& expected : tables) {
        SCOPED_TRACE(expected.name);
        table.Close();
        table.SetTableName(QString::fromLatin1(expected.name));
        ASSERT_NO_THROW(table.Open());
        EXPECT_EQ(table.FieldNames(), expected.fields);
        EXPECT_GE(table.RecordCount(), 4);
    }
    // Every description holds a link.
    for (table.First(); !table.Eof(); table.Next())
        EXPECT_TRUE(table.FieldByName(u"description"_s).AsString().contains(u"<a href="_s));
    table.Close();

    // An existing file is left as it is.
    const QByteArray bytes = [&] {
        QFile file(SampleDatabase());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QString error;
    EXPECT_TRUE(demo::CreateSampleDatabase(SampleDatabase(), error));
    QFile file(SampleDatabase());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

TEST_F(CoreDemo, SampleDatabaseThatCannotBeMadeLeavesNothing)
{
    // A folder where a file is: nothing can be made below it.
    const QString blocker = TempPath(u"blocker"_s);
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString target = blocker + u"/demo.sqlite"_s;
    QString error;
    EXPECT_FALSE(demo::CreateSampleDatabase(target, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_FALSE(QFile::exists(target + u".part"_s));
}

TEST_F(CoreDemo, DBPagesOpenTheirTableEachTimeTheyAreShown)
{
    Navigate(u"DB Controls (1)"_s);
    TFrameDBTemplates* templates = Shown<TFrameDBTemplates>();
    ASSERT_NE(templates, nullptr);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(form->Table()->TableName(), u"table1"_s);
    EXPECT_TRUE(form->Table()->Active());
    EXPECT_EQ(templates->DBLabel()->DataSource(), form->DataSource());
    EXPECT_EQ(templates->DBView()->DataSource(), form->DataSource());
    EXPECT_EQ(templates->Grid()->DataSource(), form->DataSource());
    EXPECT_EQ(templates->Navigator()->DataSource(), form->DataSource());
    EXPECT_EQ(templates->DBLabel()->Caption(), u"Skylark"_s);
    EXPECT_EQ(templates->Grid()->model()->rowCount(), form->Table()->RecordCount());
    templates->Navigator()->BtnClick(TDBNavigator::nbNext);
    EXPECT_EQ(templates->DBView()->Caption(), u"Woodlark"_s);
    // Not busy any more.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form->updatesEnabled());

    Navigate(u"DB Controls (2)"_s);
    TFrameDBCtrls* controls = Shown<TFrameDBCtrls>();
    ASSERT_NE(controls, nullptr);
    EXPECT_EQ(form->Table()->TableName(), u"table2"_s);
    EXPECT_EQ(form->Table()->RecNo(), 1);
    EXPECT_TRUE(controls->DBLabel()->Caption().contains(u"Data-aware controls"_s));
    EXPECT_TRUE(controls->DBView()->Caption().contains(u"Fields as HTML"_s));
    controls->Navigator()->BtnClick(TDBNavigator::nbLast);
    EXPECT_EQ(controls->DBLabel()->Caption(),
              form->Table()->FieldByName(u"caption"_s).AsString());

    // Back on the first page, the table is table1 again, from its start.
    Navigate(u"DB Controls (1)"_s);
    EXPECT_EQ(form->Table()->TableName(), u"table1"_s);
    EXPECT_EQ(Shown<TFrameDBTemplates>()->DBLabel()->Caption(), u"Skylark"_s);
}

TEST_F(CoreDemo, ClickHereToTryTurnsBothDataAwareControlsToTemplateMode)
{
    Navigate(u"DB Controls (1)"_s);
    TFrameDBTemplates* page = Shown<TFrameDBTemplates>();
    ASSERT_NE(page, nullptr);
    ASSERT_FALSE(page->DBLabel()->IsTemplate());
    ASSERT_FALSE(page->DBView()->IsTemplate());

    ClickLabelLink(page->Explanation(), u"trytemplates"_s);
    EXPECT_TRUE(page->LabelTemplateCheckBox()->isChecked());
    EXPECT_TRUE(page->ViewTemplateCheckBox()->isChecked());
    for (TLarkHTMLHostBase* control : std::initializer_list<TLarkHTMLHostBase*>{ page->DBLabel(), page->DBView() }) {
        EXPECT_EQ(control->Caption(), TFrameDBTemplates::SampleTemplate());
        EXPECT_EQ(VariableValues(*control->Render()),
                  QStringList({ u"Skylark"_s, u"sings while it climbs, up to a hundred metres high"_s }));
    }
    EXPECT_TRUE(page->DBLabel()->IsTemplate());
    EXPECT_TRUE(page->DBView()->IsTemplate());

    // The template stays; the values follow the record.
    page->Navigator()->BtnClick(TDBNavigator::nbNext);
    EXPECT_EQ(page->DBView()->Caption(), TFrameDBTemplates::SampleTemplate());
    const QStringList woodlark({ u"Woodlark"_s, u"heath and open woodland"_s });
    EXPECT_EQ(VariableValues(*page->DBLabel()->Render()), woodlark);
    EXPECT_EQ(VariableValues(*page->DBView()->Render()), woodlark);

    // Unchecking returns the label to its field.
    Click(page->LabelTemplateCheckBox());
    EXPECT_FALSE(page->DBLabel()->IsTemplate());
    EXPECT_EQ(page->DBLabel()->Caption(), u"Woodlark"_s);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(CoreDemo, VariableXxComesFromTheGetVariableEvent)
{
    Navigate(u"DB Controls (1)"_s);
    TFrameDBTemplates* page = Shown<TFrameDBTemplates>();
    ASSERT_NE(page, nullptr);
    page->Navigator()->BtnClick(TDBNavigator::nbLast);
    EXPECT_TRUE(page->DBLabel()->Caption().contains(u"<~~xx>"_s));
    EXPECT_EQ(VariableValues(*page->DBLabel()->Render()),
              QStringList({ u"This value is received from OnGetVariable event."_s }));
}

TEST_F(CoreDemo, DescriptionLinkReachesTheUrlOpener)
{
    RecordingUrlOpener opener;
    Navigate(u"DB Controls (2)"_s);
    TFrameDBCtrls* page = Shown<TFrameDBCtrls>();
    ASSERT_NE(page, nullptr);
    ClickViewLink(page->DBView(), u"https://www.sqlite.org/"_s);
    EXPECT_EQ(opener.opened, QList<QUrl>({ QUrl(u"https://www.sqlite.org/"_s) }));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();

    // The caption's link is only reported, with the label's name.
    page->Navigator()->BtnClick(TDBNavigator::nbNext);
    page->Navigator()->BtnClick(TDBNavigator::nbNext);
    ClickLabelLink(page->DBLabel(), u"formatting"_s);
    EXPECT_EQ(messages, QStringList({ u"You clicked link \"formatting\" in LarkHTMLDBLabel"_s }));
    EXPECT_EQ(opener.opened.size(), 1);
}

TEST_F(CoreDemo, DatabaseThatCannotBeOpenedReportsTheDriversError)
{
    const QString notADatabase = TempPath(u"notes.txt"_s);
    QFile notes(notADatabase);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write(QByteArray(4096, 'x'));
    notes.close();
    struct Case
    {
        const char* name;
        QString file;
    };
    const Case cases[] = {
        { "missing", TempPath(u"missing.sqlite"_s) },
        { "not a database", notADatabase },
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        messages.clear();
        Navigate(u"TLarkHTMLLabel"_s);
        form->SetDatabaseName(each.file);
        Navigate(u"DB Controls (1)"_s);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages.constFirst().contains(QFileInfo(each.file).fileName())) << messages.constFirst().toStdString();
        // The page stays, without records, and the window is usable again.
        TFrameDBTemplates* page = Shown<TFrameDBTemplates>();
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->DBLabel()->Caption().isEmpty());
        EXPECT_FALSE(form->Table()->Active());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(form->updatesEnabled());
    }
    EXPECT_FALSE(QFile::exists(TempPath(u"missing.sqlite"_s))) << "opening made the missing file";

    // With the file back, the page reads it.
    messages.clear();
    form->SetDatabaseName(SampleDatabase());
    Navigate(u"DB Controls (2)"_s);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(form->Table()->Active());
}

//---- The embedded controls page

TEST_F(CoreDemo, CustomerFormControlsKeepTheirNamesAndReportClicks)
{
    Navigate(u"Embedded Controls"_s);
    TControlsPanel* page = Shown<TControlsPanel>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Panel()->Options()->LineGap(), 1);
    auto* group = page->Panel()->findChild<QComboBox*>(u"cmbGroup"_s);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->count(), 4);
    EXPECT_EQ(group->currentText(), u"-"_s);
    for (const QString& name : { u"edtForeName"_s, u"edtName"_s, u"rbMale"_s, u"rbFemale"_s, u"btnClear"_s,
                                 u"cmbPriority"_s, u"dtDate"_s, u"checkbox1"_s })
        EXPECT_NE(page->Panel()->findChild<QWidget*>(name), nullptr) << name.toStdString();

    auto* edit = page->Panel()->findChild<QLineEdit*>(u"edtForeName"_s);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_TRUE(messages.isEmpty()) << "names are shown only on request";
    Click(page->ShowNameCheckBox());
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::mouseClick(page->Panel()->findChild<QPushButton*>(u"btnClear"_s), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList({ u"Clicked control: edtForeName"_s, u"Clicked control: btnClear"_s }));
}

TEST_F(CoreDemo, ControlCreatedEventNamesTheControls)
{
    Navigate(u"Embedded Controls"_s);
    TControlsPanel* page = Shown<TControlsPanel>();
    ASSERT_NE(page, nullptr);
    Click(page->NameControlsCheckBox());
    Click(page->ShowNameCheckBox());

    const QRegularExpression generated(u"^a(Edit|Button|CheckBox|RadioButton|ComboBox|DateTimePicker)\\d{1,3}$"_s);
    const QList<QWidget*> controls = page->Panel()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QStringList edits;
    int named = 0;
    for (QWidget* control : controls) {
        if (control->objectName().startsWith(u"qt_"_s) || control->objectName().isEmpty())
            continue;
        ++named;
        EXPECT_TRUE(generated.match(control->objectName()).hasMatch()) << control->objectName().toStdString();
        if (control->objectName().startsWith(u"aEdit"_s))
            edits << control->objectName();
    }
    EXPECT_EQ(named, 9);
    ASSERT_EQ(edits.size(), 2);
    // The group combo got another name, so nobody filled it.
    const QList<QComboBox*> combos = page->Panel()->findChildren<QComboBox*>();
    ASSERT_EQ(combos.size(), 2);
    for (QComboBox* combo : combos)
        EXPECT_EQ(combo->count(), 0);

    auto* edit = page->Panel()->findChild<QLineEdit*>(edits.constFirst());
    ASSERT_NE(edit, nullptr);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList({ u"Clicked control: "_s + edits.constFirst() }));

    // Unchecked, the next parse gives the tag's names back.
    Click(page->NameControlsCheckBox());
    EXPECT_NE(page->Panel()->findChild<QLineEdit*>(u"edtName"_s), nullptr);
    EXPECT_EQ(page->Panel()->findChild<QComboBox*>(u"cmbGroup"_s)->count(), 4);
}

//---- The direct drawing page

TEST_F(CoreDemo, DrawButtonPaintsTheMemoSnippetOnTheBox)
{
    Navigate(u"Direct drawing"_s);
    TFrameDirectDraw* page = Shown<TFrameDirectDraw>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->PaintBox()->geometry(), QRect(32, 32, 433, 289));
    const QImage before = page->PaintBox()->grab().toImage();
    EXPECT_EQ(CountWhere(before, [](QColor c) { return c != QColor(Qt::white); }), 0);

    QTest::mouseClick(page->DrawButton(), Qt::LeftButton);
    const QImage after = page->PaintBox()->grab().toImage();
    // The title is blue and in the top lines.
    const int blue = CountWhere(after.copy(0, 0, after.width(), 30),
                                       [](QColor c) { return c.blue() > 150 && c.red() < 100 && c.green() < 100; });
    EXPECT_GT(blue, 50) << test::SaveForReview(after, u"coredemo-direct-drawing"_s).toStdString();
    // It stays when the box repaints.
    page->PaintBox()->repaint();
    EXPECT_EQ(page->PaintBox()->grab().toImage(), after);
}

//---- Themes and images

TEST_F(CoreDemo, ChoosingAThemeRepaintsInItsColours)
{
    const QList<demo::TTheme> themes = demo::AvailableThemes();
    const qsizetype dark = themes.indexOf(demo::TTheme{ demo::DefaultTheme().Style, u"Midnight"_s });
    ASSERT_GE(dark, 0);
    QComboBox* combo = form->StylesCombo();
    combo->setCurrentIndex(int(dark));
    Q_EMIT combo->activated(int(dark));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), demo::MakePalette(u"Midnight"_s).color(QPalette::Window));
    EXPECT_EQ(demo::ActiveTheme(), themes.at(dark));

    // The display area is clAppWorkSpace, which follows the palette.
    TFrameLabel* page = Shown<TFrameLabel>();
    ASSERT_NE(page, nullptr);
    auto* area = page->findChild<QWidget*>(u"Panel3"_s);
    const QImage shot = area->grab().toImage();
    EXPECT_EQ(shot.pixelColor(area->width() - 3, area->height() - 3).rgb(),
              demo::MakePalette(u"Midnight"_s).color(QPalette::Mid).rgb());
    EXPECT_TRUE(demo::IsDarkPalette(u"Midnight"_s));
    EXPECT_FALSE(demo::IsDarkPalette(u"Classic"_s));
}

TEST_F(CoreDemo, ThemesAreFoundByNameOrPalette)
{
    demo::TTheme theme;
    ASSERT_TRUE(demo::FindTheme(u"slate"_s, theme));
    EXPECT_EQ(theme.Palette, u"Slate"_s);
    EXPECT_EQ(theme.Style, demo::DefaultTheme().Style);
    ASSERT_TRUE(demo::FindTheme(demo::AvailableThemes().constLast().Name(), theme));
    EXPECT_EQ(theme, demo::AvailableThemes().constLast());
    EXPECT_FALSE(demo::FindTheme(u"Nonesuch"_s, theme));

    // A style the platform lacks is an error, and the theme stays.
    const std::optional<demo::TTheme> before = demo::ActiveTheme();
    EXPECT_THROW(demo::ApplyTheme({ u"NoSuchStyle"_s, u"Classic"_s }), Exception);
    EXPECT_EQ(demo::ActiveTheme(), before);
    EXPECT_EQ(demo::PaletteNames().size(), 12);
    // Six light, six dark.
    int darkCount = 0;
    for (const QString& name : demo::PaletteNames())
        darkCount += demo::IsDarkPalette(name) ? 1 : 0;
    EXPECT_EQ(darkCount, 6);
}

TEST_F(CoreDemo, ImageListHoldsFiveDistinctPictures)
{
    TCustomImageList* list = form->Images()->ImageList();
    ASSERT_EQ(list->Count(), 5);
    QSet<QByteArray> seen;
    for (int i = 0; i < list->Count(); ++i) {
        const QImage image = list->GetImage(i).toImage();
        SCOPED_TRACE(i);
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_GT(CountWhere(image, [](QColor c) { return c.alpha() > 0; }), 40);
        seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), 5);
}

} // namespace
} // namespace lark
