// CoreDemo driven as a user drives it: pages chosen in the navigation bar,
// check boxes, links and embedded controls clicked, the view's snippet typed
// into, and themes switched.
#include "color_box.h"
#include "core_form.h"
#include "direct_drawing_page.h"
#include "embedded_controls_page.h"
#include "image_lists.h"
#include "label_page.h"
#include "navigation_bar.h"
#include "page_table.h"
#include "placeholder_page.h"
#include "themes.h"
#include "view_page.h"
#include "demo_messages.h"
#include "demo_widgets.h"

#include "support/image_checks.h"

#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/image_list.h>
#include <lark/html/data.h>
#include <lark/html/items.h>
#include <lark/html/options.h>
#include <lark/html/padding.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

// The rectangle an item was painted in, in document coordinates: a painted
// item records the end of its run as Left and its line's top as Top, and
// stands on the bottom of its line.
QRect PaintedRect(const TLarkHTMLData& data, const TLarkHTMLItem* item)
{
    int lineHeight = 0;
    for (const auto& each : data.Items()) {
        if (each->IsBreakItem())
            lineHeight = each->FHeight;
        if (each.get() == item)
            break;
    }
    const int bottom = item->Top() + lineHeight;
    return QRect(item->Left() - item->FWidth, bottom - item->FHeight, item->FWidth, item->FHeight);
}

const TLarkHTMLItem* FindItem(const TLarkHTMLData& data, const std::function<bool(const TLarkHTMLItem&)>& wanted)
{
    for (const auto& item : data.Items()) {
        if (wanted(*item))
            return item.get();
    }
    return nullptr;
}

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
    void ClickLabelLink(TLarkHTMLLabel* label, const QString& href)
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

    static void Click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(4, widget->height() / 2));
        QCoreApplication::processEvents();
        FlushDeletes();
    }

    std::unique_ptr<TfrmLarkHTMLCore> form;
    QStringList messages;

private:
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

TEST_F(CoreDemo, PagesNotInThisBuildSaySo)
{
    for (const demo::TDemoPage& page : demo::DemoPages()) {
        if (page.Create)
            continue;
        const QString caption = QString::fromLatin1(page.Caption);
        SCOPED_TRACE(page.Caption);
        Navigate(caption);
        ASSERT_NE(Shown<demo::TPlaceholderPage>(), nullptr);
        auto* text = form->CurrentFrame()->findChild<QLabel*>(u"PlaceholderText"_s);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text(), demo::TPlaceholderPage::Message(caption));
        EXPECT_TRUE(text->text().contains(caption));
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
    TLarkHTMLView* view = page->View();
    view->repaint();
    const TLarkHTMLData& data = *view->Render()->Data();
    const TLarkHTMLItem* link = FindItem(data, [](const TLarkHTMLItem& item) {
        return item.IsLink() && item.LinkRef() == u"3"_s && !item.Text().trimmed().isEmpty();
    });
    ASSERT_NE(link, nullptr);
    const QPoint at = view->TextRect().topLeft() + PaintedRect(data, link).center() - view->Position();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(messages, QStringList({ u"Try changing code on the right panel"_s }));
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
