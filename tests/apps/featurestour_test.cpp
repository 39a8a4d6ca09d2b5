// The feature tour driven as a user drives it: links clicked in the table of
// contents and in the pages, Back and Forward pressed, and the pages with a
// gradient, embedded widgets and check boxes looked at and clicked.
#include "features_form.h"

#include "support/document_probes.h"
#include "support/image_checks.h"

#include <lark/controls/label.h>
#include <lark/controls/view.h>
#include <lark/framework/color.h>
#include <lark/framework/picture.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>
#include <lark/storage/storage.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

using test::FindItem;
using test::PaintedRect;

template <typename Widget>
Widget* ChildWithText(const QWidget* parent, const QString& text)
{
    for (Widget* widget : parent->findChildren<Widget*>()) {
        if (widget->text() == text)
            return widget;
    }
    return nullptr;
}

// Runs the current test step with a temporary working directory.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const QString& path)
        : FSaved(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(FSaved); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    QString FSaved;
};

class FeaturesTour : public testing::Test
{
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    TLarkHTMLView* View() const { return form.View(); }
    int Shown() const { return View()->StorageItemIndex(); }
    QString ShownName() const { return form.Pages()->Items()->Items(Shown())->Name(); }
    int PageIndex(const QString& name) const { return form.Pages()->GetNamedIndex(name); }

    // Clicks the first run of the link to href in the table of contents.
    void ClickContents(const QString& href)
    {
        TLarkHTMLLabel* contents = form.Contents();
        contents->repaint();
        const TLarkHTMLData& data = *contents->Render()->Data();
        const TLarkHTMLItem* link = FindLink(data, href);
        ASSERT_NE(link, nullptr) << "no contents link to " << href.toStdString();
        Click(contents, contents->GetTextRect().topLeft() + PaintedRect(data, link).center());
    }

    // Clicks the first run of the link to href on the page shown.
    void ClickPageLink(const QString& href)
    {
        View()->repaint();
        const TLarkHTMLData& data = *View()->Render()->Data();
        const TLarkHTMLItem* link = FindLink(data, href);
        ASSERT_NE(link, nullptr) << "no link to " << href.toStdString() << " on " << ShownName().toStdString();
        Click(View(), DocumentToView(PaintedRect(data, link).center()));
    }

    QPoint DocumentToView(QPoint point) const { return View()->TextRect().topLeft() + point - View()->Position(); }

    static const TLarkHTMLItem* FindLink(const TLarkHTMLData& data, const QString& href)
    {
        return FindItem(data, [&](const TLarkHTMLItem& item) {
            return item.IsLink() && item.LinkRef() == href && !item.Text().trimmed().isEmpty();
        });
    }

    static void Click(QWidget* widget, QPoint point)
    {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, point);
        QCoreApplication::processEvents();
    }

    void Back() { QTest::mouseClick(form.BackButton(), Qt::LeftButton); }
    void Forward() { QTest::mouseClick(form.ForwardButton(), Qt::LeftButton); }

    // Shows a page as the table of contents does, painted.
    void ShowPage(const QString& name)
    {
        const int index = PageIndex(name);
        ASSERT_GE(index, 0) << "no page " << name.toStdString();
        View()->SetStorageItemIndex(index);
        QCoreApplication::processEvents();
        View()->repaint();
    }

    TfrmLarkHTMLFeatures form;
};

TEST_F(FeaturesTour, StartShowsIntroWithNothingToWalk)
{
    EXPECT_EQ(ShownName(), u"Intro"_s);
    Back();
    EXPECT_EQ(Shown(), 0);
    Forward();
    EXPECT_EQ(Shown(), 0);
    EXPECT_EQ(form.BreadCrumbs(), QList<int>({ 0 }));
    EXPECT_EQ(form.BCIndex(), 0);
}

TEST_F(FeaturesTour, PagesCanBeSelectedAndCopied)
{
    auto* view = form.findChild<TLarkHTMLView*>(u"LarkHTMLView1"_s);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->TextSelection());
    view->grab();
    view->SelectAll();
    EXPECT_EQ(view->SelectedText(), view->Render()->AsText());
}

TEST_F(FeaturesTour, BackAndForwardRetraceAFollowedLink)
{
    ClickPageLink(u"Whatsnew"_s);
    ASSERT_EQ(ShownName(), u"Whatsnew"_s);
    Back();
    EXPECT_EQ(ShownName(), u"Intro"_s);
    Forward();
    EXPECT_EQ(ShownName(), u"Whatsnew"_s);
    // Walking the history records nothing.
    EXPECT_EQ(form.BreadCrumbs(), QList<int>({ 0, PageIndex(u"Whatsnew"_s) }));
}

TEST_F(FeaturesTour, LinkToAMissingPageShowsFormatting)
{
    ClickContents(u"3"_s);
    ASSERT_EQ(ShownName(), u"Tags"_s);
    // The tag i has no page of its own.
    ASSERT_EQ(PageIndex(u"i"_s), -1);
    ClickPageLink(u"i"_s);
    EXPECT_EQ(ShownName(), u"Formatting"_s);
    EXPECT_EQ(form.BreadCrumbs(), QList<int>({ 0, 3, PageIndex(u"Formatting"_s) }));
    EXPECT_EQ(form.BCIndex(), 2);
}

TEST_F(FeaturesTour, NewPageAfterGoingBackIsAddedAtTheEnd)
{
    // Intro, then A, B, C.
    for (const QString& page : { u"1"_s, u"2"_s, u"3"_s })
        ClickContents(page);
    Back();
    Back();
    EXPECT_EQ(Shown(), 1);
    ClickContents(u"4"_s); // D
    EXPECT_EQ(form.BreadCrumbs(), QList<int>({ 0, 1, 2, 3, 4 }));
    Forward();
    EXPECT_EQ(Shown(), 4);
    Back();
    EXPECT_EQ(Shown(), 3);
}

TEST_F(FeaturesTour, ChoosingTheShownPageAddsNothing)
{
    ClickContents(u"0"_s);
    EXPECT_EQ(form.BreadCrumbs(), QList<int>({ 0 }));
}

TEST_F(FeaturesTour, ContentsLinksShowTheirPages)
{
    struct Entry
    {
        const char* caption;
        const char* page;
    };
    // Last to first, so that every click changes the page.
    constexpr Entry kContents[] = { { "Tips & tricks", "Tipsandtricks" }, { "Special symbols", "Specialsymbols" },
                                    { "Supported tags", "Tags" },        { "Formatting", "Formatting" },
                                    { "What's new?", "Whatsnew" },       { "Intro", "Intro" } };
    const TLarkHTMLData& data = *form.Contents()->Render()->Data();
    for (const Entry& entry : kContents) {
        SCOPED_TRACE(entry.caption);
        const QString page = QString::fromUtf8(entry.page);
        const QString href = QString::number(PageIndex(page));
        // The link's runs (it may wrap) read as the caption.
        QString caption;
        for (const auto& item : data.Items()) {
            if (item->IsLink() && item->LinkRef() == href)
                caption += item->Text();
        }
        EXPECT_EQ(caption.trimmed(), QString::fromUtf8(entry.caption));
        ClickContents(href);
        EXPECT_EQ(ShownName(), page);
    }
}

TEST_F(FeaturesTour, BodyPageShowsAVerticalGradient)
{
    ShowPage(u"body"_s);
    const QImage image = View()->grab().toImage();
    const QRect text = View()->TextRect();
    // Below the page's last line only the background shows.
    const int y = text.top() + View()->Render()->Data()->TextSize().height() + 8;
    ASSERT_LT(y + 20, text.bottom());

    // Vertical bands: the colour changes from left to right only.
    int previousBlue = -1;
    for (int x = text.left() + 2; x < text.right() - 2; x += 16) {
        SCOPED_TRACE(x);
        const QColor colour = image.pixelColor(x, y);
        EXPECT_EQ(colour, image.pixelColor(x, y + 20));
        EXPECT_GE(colour.blue(), previousBlue);
        previousBlue = colour.blue();
    }
    const QColor start = ToQColor(clInfoBk, View());
    EXPECT_LE(std::abs(image.pixelColor(text.left() + 2, y).blue() - start.blue()), 4);
    EXPECT_GE(image.pixelColor(text.right() - 3, y).blue(), 250);
    EXPECT_GT(previousBlue, start.blue() + 16) << test::SaveForReview(image, u"featurestour-body"_s).toStdString();
}

// In the window as it opens, every row of the colour table is one line and
// each name ends before the next column starts (or the view's edge).
TEST_F(FeaturesTour, ColourNamesStandBesideTheirSwatches)
{
    ShowPage(u"colornames"_s);
    const TLarkHTMLData& data = *View()->Render()->Data();
    const auto& items = data.Items();
    bool inTable = false;
    int entries = 0;
    for (size_t i = 0; i + 1 < items.size(); ++i) {
        const TLarkHTMLItem& item = *items[i];
        if (item.IsAbsoluteIndent() && i + 2 < items.size() && items[i + 1]->FontBgColor != clNone) {
            inTable = true;
            // The indent moves to its column; swatch and name follow it.
            const TLarkHTMLItem& swatch = *items[i + 1];
            const TLarkHTMLItem& name = *items[i + 2];
            SCOPED_TRACE(name.Text().toStdString());
            const int nextColumn = item.FWidth == 390 ? View()->TextRect().width() : item.FWidth + 130;
            EXPECT_LE(item.FWidth + swatch.FWidth + name.FWidth, nextColumn);
            ++entries;
        }
        EXPECT_FALSE(inTable && item.ItemType() == hitSoftBreak) << "a row wraps";
    }
    EXPECT_EQ(entries, 147);
}

TEST_F(FeaturesTour, ControlPageShowsThreeWorkingWidgets)
{
    ShowPage(u"control"_s);
    auto* button = ChildWithText<QPushButton>(View(), u"Button"_s);
    auto* checkBox = ChildWithText<QCheckBox>(View(), u"Check"_s);
    auto* radio = ChildWithText<QRadioButton>(View(), u"Radio"_s);
    ASSERT_TRUE(button && checkBox && radio);

    const QList<QWidget*> widgets{ button, checkBox, radio };
    for (QWidget* widget : widgets) {
        SCOPED_TRACE(widget->metaObject()->className());
        EXPECT_TRUE(widget->isVisible());
        EXPECT_TRUE(View()->rect().contains(widget->geometry()));
    }
    // Each stands under its own source line, in page order.
    EXPECT_LT(button->y(), checkBox->y());
    EXPECT_LT(checkBox->y(), radio->y());

    QSignalSpy pressed(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(pressed.count(), 1);
    QTest::mouseClick(checkBox, Qt::LeftButton);
    EXPECT_TRUE(checkBox->isChecked());
    QTest::mouseClick(radio, Qt::LeftButton);
    EXPECT_TRUE(radio->isChecked());
}

TEST_F(FeaturesTour, InputPageTogglesItsCheckBoxOnClick)
{
    ShowPage(u"input"_s);
    const TLarkHTMLData& data = *View()->Render()->Data();
    const auto* italic = static_cast<const TLarkHTMLInputItem*>(FindItem(data, [](const TLarkHTMLItem& item) {
        return item.ItemType() == hitInput && static_cast<const TLarkHTMLInputItem&>(item).Name() == u"italic"_s;
    }));
    ASSERT_NE(italic, nullptr);
    ASSERT_FALSE(italic->Checked());

    const QRect box(DocumentToView(PaintedRect(data, italic).topLeft()), PaintedRect(data, italic).size());
    const QImage unchecked = View()->grab().toImage().copy(box);
    Click(View(), box.center());
    EXPECT_TRUE(italic->Checked());
    const QImage checked = View()->grab().toImage().copy(box);
    EXPECT_NE(checked, unchecked) << "the tick is not drawn";
    Click(View(), box.center());
    EXPECT_FALSE(italic->Checked());
}

TEST_F(FeaturesTour, ImageHandlerLoadsImagePng)
{
    const QString source = QStringLiteral(FEATURESTOUR_SOURCE_DIR "/images/image.png");
    const QImage expected(source);
    ASSERT_FALSE(expected.isNull()) << source.toStdString();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const WorkingDirectory inFolder(folder.path());

    // Without the file the handler fails; the engine then leaves the box empty.
    TPicture picture;
    EXPECT_THROW(View()->OnGetImage(View(), u"1"_s, &picture), std::exception);
    EXPECT_TRUE(picture.Empty());

    ASSERT_TRUE(QFile::copy(source, folder.filePath(u"image.png"_s)));
    for (const QString& name : { u"1"_s, u"anything"_s }) {
        SCOPED_TRACE(name.toStdString());
        TPicture loaded;
        View()->OnGetImage(View(), name, &loaded);
        EXPECT_EQ(loaded.Image().size(), expected.size());
    }
}

TEST_F(FeaturesTour, WindowIsLaidOutAsDesigned)
{
    EXPECT_EQ(form.windowTitle(), u"Lark HTML features"_s);
    EXPECT_EQ(form.size(), QSize(648, 564));
    EXPECT_EQ(form.Contents()->width(), 108);
    // The view fills the rest beside the contents and the splitter.
    EXPECT_GT(View()->x(), form.Contents()->geometry().right());
    EXPECT_EQ(View()->geometry().right(), form.width() - 1);
    EXPECT_EQ(View()->StorageItemNotFoundIndex(), PageIndex(u"Formatting"_s));
    EXPECT_TRUE(View()->WordWrap());
}

} // namespace
} // namespace lark
