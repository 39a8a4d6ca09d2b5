// Font styles, the height convention against QFontMetrics, and TFont's
// change notification.
#include <lark/framework/font.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <climits>

using namespace lark;

namespace {

TEST(FontStyles, BitsAndSetOperations)
{
    EXPECT_EQ(TFontStyles{ fsBold }.ToInt(), 1);
    EXPECT_EQ(TFontStyles{ fsItalic }.ToInt(), 2);
    EXPECT_EQ(TFontStyles{ fsUnderline }.ToInt(), 4);
    EXPECT_EQ(TFontStyles{ fsStrikeOut }.ToInt(), 8);
    EXPECT_TRUE(TFontStyles{}.IsEmpty());

    TFontStyles styles{ fsBold, fsUnderline };
    EXPECT_TRUE(styles.Contains(fsBold));
    EXPECT_FALSE(styles.Contains(fsItalic));
    styles.Include(fsItalic).Exclude(fsBold);
    EXPECT_EQ(styles, (TFontStyles{ fsItalic, fsUnderline }));

    const TFontStyles a{ fsBold, fsItalic };
    const TFontStyles b{ fsItalic, fsStrikeOut };
    EXPECT_EQ((a | b).ToInt(), 11);
    EXPECT_EQ((a & b), TFontStyles{ fsItalic });
    EXPECT_EQ((a - b), TFontStyles{ fsBold });
    EXPECT_EQ(TFontStyles::FromInt(0xF3).ToInt(), 3); // only the four style bits
    static_assert(TFontStyles{ fsUnderline }.ToInt() == 4);
}

const char* const kFaces[] = { "MS Sans Serif", "DejaVu Sans", "Liberation Serif", "Tahoma" };

TEST(FontHeight, NegativeIsTheCharacterHeight)
{
    for (const char* face : kFaces) {
        for (int height : { 8, 11, 13, 16, 24, 40 }) {
            SCOPED_TRACE(testing::Message() << face << " " << height);
            const QFont font = MakeQFont(QString::fromLatin1(face), -height, {});
            EXPECT_EQ(font.pixelSize(), height);
            EXPECT_EQ(QFontInfo(font).pixelSize(), height);
        }
    }
}

TEST(FontHeight, PositiveIsTheCellHeight)
{
    for (const char* face : kFaces) {
        for (int height : { 8, 11, 13, 16, 19, 24, 33, 40 }) {
            SCOPED_TRACE(testing::Message() << face << " " << height);
            const QFontMetrics metrics(MakeQFont(QString::fromLatin1(face), height, { fsBold }));
            EXPECT_NEAR(metrics.ascent() + metrics.descent(), height, 1);
        }
    }
}

TEST(FontHeight, ZeroIsTheApplicationDefault)
{
    const QFont font = MakeQFont("DejaVu Sans", 0, {});
    EXPECT_EQ(font.pixelSize(), QFontInfo(QGuiApplication::font()).pixelSize());
}

TEST(FontHeight, HugeHeightsAreClamped)
{
    EXPECT_EQ(MakeQFont("DejaVu Sans", INT_MIN, {}).pixelSize(), kMaxFontPixelSize);
    EXPECT_EQ(MakeQFont("DejaVu Sans", -100000, {}).pixelSize(), kMaxFontPixelSize);
    EXPECT_LE(MakeQFont("DejaVu Sans", INT_MAX, {}).pixelSize(), kMaxFontPixelSize);
}

TEST(FontHeight, StylesReachTheQFont)
{
    const QFont font = MakeQFont("DejaVu Sans", -12, { fsBold, fsItalic, fsUnderline, fsStrikeOut });
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    const QFont plain = MakeQFont("DejaVu Sans", -12, {});
    EXPECT_FALSE(plain.bold() || plain.italic() || plain.underline() || plain.strikeOut());
    EXPECT_EQ(plain.styleStrategy() & QFont::PreferNoShaping, QFont::PreferNoShaping);
}

TEST(Font, Defaults)
{
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_TRUE(font.Style().IsEmpty());
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Charset(), 1);
    EXPECT_EQ(font.ToQFont().pixelSize(), 11);
}

TEST(Font, NotifiesOncePerEffectiveChange)
{
    TFont font;
    int events = 0;
    int emitted = 0;
    QObject* sender = nullptr;
    font.OnChange = [&](QObject* s) {
        ++events;
        sender = s;
    };
    QObject::connect(&font, &TFont::changed, [&] { ++emitted; });

    font.SetName("DejaVu Sans");
    font.SetName("DejaVu Sans");
    font.SetHeight(-20);
    font.SetHeight(-20);
    font.SetStyle({ fsBold });
    font.SetStyle({ fsBold });
    font.SetColor(clRed);
    font.SetColor(clRed);
    font.SetCharset(0);
    font.SetCharset(0);
    EXPECT_EQ(events, 5);
    EXPECT_EQ(emitted, 5);
    EXPECT_EQ(sender, &font);
    // The QFont follows every change.
    EXPECT_EQ(font.ToQFont().pixelSize(), 20);
    EXPECT_TRUE(font.ToQFont().bold());

    TFont copy;
    copy.OnChange = [&](QObject*) { ++events; };
    copy.Assign(font);
    EXPECT_EQ(events, 6);
    copy.Assign(font);
    EXPECT_EQ(events, 6);
    EXPECT_EQ(copy.Name(), "DejaVu Sans");
    EXPECT_EQ(copy.Height(), -20);
    EXPECT_EQ(copy.Style(), TFontStyles{ fsBold });
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_EQ(copy.Charset(), 0);
}

struct SizeCase
{
    int pixelsPerInch;
    int points;
    int height;     // what SetSize(points) gives
    int readBack;   // Size() after that
};

constexpr SizeCase kSizeCases[] = {
    { 96, 8, -11, 8 },    // 10.67 pixels round to 11; 8.25 points to 8
    { 96, 9, -12, 9 },
    { 96, 12, -16, 12 },
    { 120, 8, -13, 8 },   // 13.33 -> 13; 7.8 -> 8
    { 72, 10, -10, 10 },
};

TEST(Font, SizeConvertsThroughPixelsPerInch)
{
    for (const SizeCase& row : kSizeCases) {
        SCOPED_TRACE(testing::Message() << row.pixelsPerInch << " dpi, " << row.points << " pt");
        TFont font;
        font.SetPixelsPerInch(row.pixelsPerInch);
        font.SetSize(row.points);
        EXPECT_EQ(font.Height(), row.height);
        EXPECT_EQ(font.Size(), row.readBack);
    }
    TFont font;
    font.SetPixelsPerInch(96);
    font.SetHeight(16); // a positive (cell) height reads as a negative size
    EXPECT_EQ(font.Size(), -12);
    EXPECT_EQ(TFont().PixelsPerInch(), ScreenPixelsPerInch());
}

} // namespace
