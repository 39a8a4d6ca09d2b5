// The tour's pages as the program loads them: in step with their fragments,
// every link leading somewhere, every page opening with its title, and the
// two generated tables complete.
#include "features_form.h"
#include "page_fragments.h"

#include <lark/framework/font.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>
#include <lark/html/parse/values.h>
#include <lark/storage/storage.h>
#include <lark/storage/text_form.h>

#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

// Wide enough that no page wraps, so every run stays whole.
constexpr int kUnwrappedWidth = 4000;
// Links that lead nowhere on purpose, to show the not-found page.
const QSet<QString> kMissingOnPurpose{ u"i"_s, u"NoSuchPage"_s };

class TourPages : public testing::Test
{
protected:
    const TLarkHTMLStorageItems& Pages() const { return *form.Pages()->Items(); }

    QString PageText(const QString& name) const
    {
        const int index = form.Pages()->GetNamedIndex(name);
        return index < 0 ? QString() : Pages()[index]->Lines().Text();
    }

    // The page parsed as the view parses it, without wrapping.
    const TLarkHTMLData& Parse(const QString& name)
    {
        render.PrepareText(PageText(name), kUnwrappedWidth, false);
        return *render.Data();
    }

    TfrmLarkHTMLFeatures form;
    TLarkHTMLRender render;
};

TEST_F(TourPages, AreTheTourPagesInOrder)
{
    const QStringList expected{ u"Intro"_s,   u"Whatsnew"_s,   u"Formatting"_s, u"Tags"_s,      u"Specialsymbols"_s,
                                u"Tipsandtricks"_s, u"~~"_s,   u"a"_s,          u"b"_s,         u"body"_s,
                                u"cite"_s,    u"br"_s,         u"control"_s,    u"em"_s,        u"font"_s,
                                u"hr"_s,      u"img"_s,        u"ind"_s,        u"input"_s,     u"var"_s,
                                u"notfound"_s, u"colornames"_s, u"imgsamples"_s };
    QStringList names;
    for (int i = 0; i < Pages().Count(); ++i)
        names << Pages()[i]->Name();
    EXPECT_EQ(names, expected);
}

TEST_F(TourPages, MatchTheirFragments)
{
    TLarkHTMLStorageItems fragments(nullptr);
    tour::ReadPageFragments(QStringLiteral(FEATURESTOUR_SOURCE_DIR "/pages"), fragments);
    EXPECT_EQ(StorageItemsToTextForm(Pages()), StorageItemsToTextForm(fragments))
        << "pages.txt is out of date: build the target featurestour-pages-update";
}

TEST_F(TourPages, LinksNameExistingPages)
{
    QSet<QString> missingSeen;
    for (int i = 0; i < Pages().Count(); ++i) {
        const QString page = Pages()[i]->Name();
        for (const auto& item : Parse(page).Items()) {
            if (!item->IsLink() || form.Pages()->GetNamedIndex(item->LinkRef()) >= 0)
                continue;
            EXPECT_TRUE(kMissingOnPurpose.contains(item->LinkRef()))
                << page.toStdString() << " links to the missing page " << item->LinkRef().toStdString();
            missingSeen.insert(item->LinkRef());
        }
    }
    EXPECT_EQ(missingSeen, kMissingOnPurpose);
}

TEST_F(TourPages, OpenWithABoldTitleAndASilverRule)
{
    const int bodyHeight = std::abs(render.Data()->DefaultHeight());
    for (int i = 0; i < Pages().Count(); ++i) {
        const QString page = Pages()[i]->Name();
        if (page == u"notfound"_s)
            continue;
        SCOPED_TRACE(page.toStdString());
        const auto& items = Parse(page).Items();
        auto it = items.begin();
        while (it != items.end() && ((*it)->ItemType() == hitPara || (*it)->ItemType() == hitBody))
            ++it;
        QString title;
        for (; it != items.end() && (*it)->ItemType() == hitChar; ++it) {
            EXPECT_TRUE((*it)->FontStyle.Contains(fsBold));
            EXPECT_GT(std::abs((*it)->FontHeight), bodyHeight);
            title += (*it)->Text();
        }
        EXPECT_FALSE(title.trimmed().isEmpty());
        ASSERT_TRUE(it != items.end() && (*it)->ItemType() == hitBreak);
        ++it;
        ASSERT_TRUE(it != items.end() && (*it)->ItemType() == hitHR);
        EXPECT_EQ((*it)->FBgColor1, clSilver);
        EXPECT_EQ((*it)->FBgColor2, clSilver);
        EXPECT_EQ((*it)->FHeight2, 1);
    }
}

TEST_F(TourPages, NotFoundPageApologisesInLargerText)
{
    const TLarkHTMLData& data = Parse(u"notfound"_s);
    EXPECT_EQ(render.AsText(), u"Sorry, the referenced storage item is not found."_s);
    for (const auto& item : data.Items()) {
        if (item->ItemType() == hitChar) {
            EXPECT_GT(std::abs(item->FontHeight), std::abs(data.DefaultHeight()));
        }
    }
}

// Each colour: an absolute indent, a swatch of six blanks on the colour,
// then the name; four to a row at 0, 130, 260 and 390, so that a row fits
// the view (the tour's window shows pages about 515 pixels wide).
TEST_F(TourPages, ColourNamesShowEveryNameOnItsSwatch)
{
    const auto& items = Parse(u"colornames"_s).Items();
    const QList<int> columns{ 0, 130, 260, 390 };
    QStringList names;
    for (size_t i = 1; i + 1 < items.size(); ++i) {
        const TLarkHTMLItem& swatch = *items[i];
        if (swatch.ItemType() != hitChar || swatch.Text() != QString(6, u' '))
            continue;
        const QString name = items[i + 1]->Text().trimmed();
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(swatch.FontBgColor, ParseColor(name, clNone));
        const TLarkHTMLItem& indent = *items[i - 1];
        ASSERT_TRUE(indent.IsAbsoluteIndent());
        EXPECT_EQ(indent.FWidth, columns.at(names.size() % columns.size()));
        names << name;
    }
    EXPECT_EQ(names.size(), 147);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
}

// Each reference: its escaped name, then a blank and the character itself.
TEST_F(TourPages, SpecialSymbolsShowEveryNamedReference)
{
    const auto& items = Parse(u"Specialsymbols"_s).Items();
    int shown = 0;
    for (size_t i = 1; i + 1 < items.size(); ++i) {
        const QString source = items[i]->Text();
        // The table's cells start at absolute indents; the prose above has none.
        if (!items[i - 1]->IsAbsoluteIndent() || !source.startsWith(u'&') || !source.endsWith(u';'))
            continue;
        SCOPED_TRACE(source.toStdString());
        const QString rendered = items[i + 1]->Text();
        // "&nbsp;" is a blank, so its cell holds two.
        EXPECT_EQ(rendered.size(), 2);
        EXPECT_TRUE(rendered.startsWith(u' '));
        ++shown;
    }
    EXPECT_EQ(shown, 102);
}

} // namespace
} // namespace lark
