// Colour identifiers both ways, and system colours through palettes.
#include <lark/framework/color.h>

#include <QApplication>
#include <QPalette>
#include <QSet>
#include <QWidget>
#include <gtest/gtest.h>

using namespace lark;

namespace {

TEST(ColorIdentifiers, TableHasEveryIdentifierOnce)
{
    const auto table = ColorIdentifiers();
    ASSERT_EQ(table.size(), 52u);
    QSet<QString> names;
    QSet<TColor> values;
    for (const ColorIdent& entry : table) {
        names.insert(QString::fromLatin1(entry.name).toLower());
        values.insert(entry.value);
    }
    EXPECT_EQ(names.size(), 52);
    EXPECT_EQ(values.size(), 52);
}

TEST(ColorIdentifiers, EveryIdentifierRoundTripsInAnyCase)
{
    for (const ColorIdent& entry : ColorIdentifiers()) {
        const QString name = QString::fromLatin1(entry.name);
        SCOPED_TRACE(entry.name);
        for (const QString& spelling : { name, name.toLower(), name.toUpper() }) {
            TColor color = 0x12345678;
            ASSERT_TRUE(IdentToColor(spelling, color));
            EXPECT_EQ(color, entry.value);
        }
        QString ident;
        ASSERT_TRUE(ColorToIdent(entry.value, ident));
        EXPECT_EQ(ident, name);
    }
}

struct IdentCase
{
    const char* ident;
    TColor value;
};

// A sample of the table, spelled as documented: ordinary colours keep red in
// the low byte, system colours are 0xFF0000nn.
constexpr IdentCase kIdentCases[] = {
    { "clRed", 0x000000FF },         { "clBlue", 0x00FF0000 },
    { "clMoneyGreen", 0x00C0DCC0 },  { "clSkyBlue", 0x00F0CAA6 },
    { "clCream", 0x00F0FBFF },       { "clMedGray", 0x00A4A0A0 },
    { "clScrollBar", 0xFF000000 },   { "clBtnFace", 0xFF00000F },
    { "clHotLight", 0xFF00001A },    { "clMenuBar", 0xFF00001E },
    { "cl3DDkShadow", 0xFF000015 },  { "clInfoBk", 0xFF000018 },
    { "clNone", 0x1FFFFFFF },        { "clDefault", 0x20000000 },
};

TEST(ColorIdentifiers, ValuesMatchTheTable)
{
    for (const IdentCase& row : kIdentCases) {
        SCOPED_TRACE(row.ident);
        TColor color = 0;
        ASSERT_TRUE(IdentToColor(QString::fromLatin1(row.ident), color));
        EXPECT_EQ(color, row.value);
    }
    EXPECT_EQ(RGB(255, 0, 0), clRed);
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), 0x00302010u);
}

TEST(ColorIdentifiers, UnknownTextAndValuesFail)
{
    for (const char* text : { "", "Red", "cl", "clRedd", "clBtn Face", "clNone ", "#0000ff" }) {
        SCOPED_TRACE(text);
        TColor color = 0x12345678;
        EXPECT_FALSE(IdentToColor(QString::fromLatin1(text), color));
        EXPECT_EQ(color, 0x12345678u);
    }
    QString ident = "untouched";
    EXPECT_FALSE(ColorToIdent(0x00123456, ident));
    EXPECT_FALSE(ColorToIdent(0xFF000019, ident)); // index 25 has no identifier
    EXPECT_EQ(ident, "untouched");
}

struct SystemColorCase
{
    TColor color;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr SystemColorCase kSystemColorCases[] = {
    { clWindow, QPalette::Active, QPalette::Base },
    { clWindowText, QPalette::Active, QPalette::Text },
    { clBtnFace, QPalette::Active, QPalette::Button },
    { clBtnText, QPalette::Active, QPalette::ButtonText },
    { clHighlight, QPalette::Active, QPalette::Highlight },
    { clHighlightText, QPalette::Active, QPalette::HighlightedText },
    { clInfoBk, QPalette::Active, QPalette::ToolTipBase },
    { clInfoText, QPalette::Active, QPalette::ToolTipText },
    { clGrayText, QPalette::Disabled, QPalette::Text },
    { clBtnShadow, QPalette::Active, QPalette::Dark },
    { clHotLight, QPalette::Active, QPalette::Link },
};

TEST(SystemColors, ResolveThroughTheWidgetPaletteElseTheApplications)
{
    const QPalette app = QApplication::palette();
    QWidget widget;
    QPalette custom = widget.palette();
    // A colour no style uses, distinct per role, in every group.
    for (int i = 0; i < int(std::size(kSystemColorCases)); ++i)
        custom.setColor(kSystemColorCases[i].group, kSystemColorCases[i].role, QColor(7, 11 * i, 200));
    widget.setPalette(custom);

    for (int i = 0; i < int(std::size(kSystemColorCases)); ++i) {
        const SystemColorCase& row = kSystemColorCases[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(ColorToRGB(row.color, &widget), RGB(7, 11 * i, 200));
        EXPECT_EQ(ToQColor(row.color, &widget), QColor(7, 11 * i, 200));
        EXPECT_EQ(ColorToRGB(row.color), FromQColor(app.color(row.group, row.role)));
    }
}

TEST(SystemColors, IndexesWithoutARoleHaveFixedValues)
{
    QWidget widget;
    QPalette black(Qt::black);
    widget.setPalette(black);
    // Desktop background and the caption gradients have no palette role.
    EXPECT_EQ(ColorToRGB(clGradientActiveCaption, &widget), ColorToRGB(clGradientActiveCaption));
    EXPECT_EQ(ColorToRGB(clGradientActiveCaption), RGB(185, 209, 234));
    EXPECT_EQ(ColorToRGB(clInactiveBorder), RGB(244, 247, 252));
    // Indexes the platform does not know resolve to black.
    EXPECT_EQ(ColorToRGB(0xFF0000FF), clBlack);
}

TEST(SystemColors, OtherValuesPassUnchanged)
{
    for (TColor color : { clRed, clWhite, clBlack, clNone, clDefault, TColor(0x00123456) }) {
        SCOPED_TRACE(color);
        EXPECT_EQ(ColorToRGB(color), color);
    }
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(RGB(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(FromQColor(QColor(10, 20, 30, 40)), RGB(10, 20, 30));
}

} // namespace
