// Hostile input: each shape goes through a render object on a live host, a
// view and an auto-sized label (all painted), finishes, and leaves the sound
// result: text kept, sizes from markup cut to the limits, surfaces bounded,
// no parse repeated for nothing.
#include "support/image_checks.h"
#include "support/test_host.h"

#include <lark/controls/label.h>
#include <lark/controls/view.h>
#include <lark/framework/canvas.h>
#include <lark/framework/color.h>
#include <lark/framework/limits.h>
#include <lark/framework/picture.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>

using namespace lark;
using lark::test::TestHost;

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;
constexpr int kCount = 20000;

// The colour of the i-th nested font, as written and as the engine stores it.
int FontRgb(int i)
{
    return int((unsigned(i) * 2654435761u) % 0xFFFFFFu);
}

QString NestedFonts()
{
    QString s;
    for (int i = 0; i < kCount; ++i)
        s += QStringLiteral("<font color=#%1>f").arg(FontRgb(i), 6, 16, QLatin1Char('0'));
    return s;
}

QString LongValue()
{
    return QString(100 * 1024, QLatin1Char('v'));
}

QString LongAttributes()
{
    return QStringLiteral("<a href=\"%1\">link</a> <font face=\"%1\">face</font><p align=%1>para"
                          "<img src=\"%1\"><~~ name=%1><input type=checkbox name=%1 value=%1>"
                          "<x %1>unknown</x>end")
        .arg(LongValue());
}

QString HugeImages()
{
    return QStringLiteral("a<img src=pic width=2147483647 height=2147483647>"
                          "<img src=pic width=-2147483648 height=-5>"
                          "<img src=pic width=65536 height=70000>b");
}

QString NulUnit()
{
    return QStringLiteral("a") + QChar(0) + QStringLiteral("<b") + QChar(0) + QStringLiteral(" x=") + QChar(0)
           + QStringLiteral(">b&#0;&#65536;") + QChar(0) + QStringLiteral("</b>");
}

QString NulText()
{
    return QStringLiteral("a") + QChar(0) + QStringLiteral("b") + QChar(0);
}

QString SurrogateText()
{
    return QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00) + QChar(0xD800) + QChar(0xDFFF);
}

QList<TLarkHTMLItem*> ItemsOfKind(const TLarkHTMLData& data, TLarkHTMLItemType kind)
{
    QList<TLarkHTMLItem*> found;
    for (const auto& item : data.Items()) {
        if (item->ItemType() == kind)
            found << item.get();
    }
    return found;
}

// The checks a case makes on the document a host laid out.
using DocumentCheck = std::function<void(const TLarkHTMLData& data, const QString& plain)>;

struct HostileCase
{
    const char* name;
    std::function<QString()> build;
    DocumentCheck check;
};

void ExpectText(const QString& plain, const QString& expected)
{
    ASSERT_EQ(plain.size(), expected.size());
    EXPECT_TRUE(plain == expected);
}

const HostileCase kCases[] = {
    {"NestedFonts", NestedFonts,
     [](const TLarkHTMLData& data, const QString& plain) {
         ExpectText(plain, QString(kCount, QLatin1Char('f')));
         // Every font pushed its colour: the innermost run has the last one
         // and counts every coloured font around it.
         const TLarkHTMLItem* last = data.LastItem();
         ASSERT_NE(last, nullptr);
         const int rgb = FontRgb(kCount - 1);
         EXPECT_EQ(last->FontColor, TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16)));
         EXPECT_EQ(last->FFntCnt, kCount);
     }},
    {"UnclosedLists", [] { return QStringLiteral("<ul><li>x").repeated(kCount); },
     [](const TLarkHTMLData& data, const QString& plain) {
         ExpectText(plain, QStringLiteral("- x").repeated(kCount));
         const auto items = ItemsOfKind(data, hitLI);
         ASSERT_EQ(items.size(), kCount);
         EXPECT_EQ(static_cast<TLarkHTMLBreakItem*>(items.last())->FListLevel, kCount);
     }},
    {"LongAttributeValues", LongAttributes,
     [](const TLarkHTMLData& data, const QString& plain) {
         // Values are kept whole and never leak into the text.
         ExpectText(plain, QStringLiteral("link face\r\n\r\npara unknownend"));
         const TLarkHTMLItem* link = data.Item(2);
         ASSERT_TRUE(link->IsLink());
         EXPECT_EQ(link->LinkRef(), LongValue());
         EXPECT_EQ(link->Text(), QStringLiteral("link"));
         ASSERT_EQ(ItemsOfKind(data, hitBitmap).size(), 1);
         EXPECT_EQ(ItemsOfKind(data, hitBitmap).first()->Text(), LongValue());
     }},
    {"HugeAndNegativeImages", HugeImages,
     [](const TLarkHTMLData& data, const QString& plain) {
         ExpectText(plain, QStringLiteral("ab"));
         const auto images = ItemsOfKind(data, hitBitmap);
         ASSERT_EQ(images.size(), 3);
         const QList<QSize> expected = {{limits::kMaxBoxSide, limits::kMaxBoxSide}, {0, 0},
                                        {limits::kMaxBoxSide, limits::kMaxBoxSide}};
         for (int i = 0; i < 3; ++i) {
             SCOPED_TRACE(i);
             // After the metrics pass the height includes the line gap (0).
             EXPECT_EQ(QSize(images[i]->FWidth, images[i]->FHeight), expected[i]);
         }
         EXPECT_LE(data.TextSize().height(), 2 * limits::kMaxBoxSide);
     }},
    {"HugeAndNegativeInputs",
     [] {
         return QStringLiteral("<input type=checkbox width=2147483647 height=2147483647>"
                               "<input type=radio width=-5 height=-2147483648>");
     },
     [](const TLarkHTMLData& data, const QString& plain) {
         ExpectText(plain, QString());
         const auto inputs = ItemsOfKind(data, hitInput);
         ASSERT_EQ(inputs.size(), 2);
         EXPECT_EQ(QSize(inputs[0]->FWidth, inputs[0]->FHeight), QSize(limits::kMaxBoxSide, limits::kMaxBoxSide));
         EXPECT_EQ(QSize(inputs[1]->FWidth, inputs[1]->FHeight), QSize(0, 0));
         EXPECT_LE(data.TextSize().height(), 2 * limits::kMaxBoxSide);
     }},
    {"HugeRule", [] { return QStringLiteral("above<hr width=-3 height=99999999>below"); },
     [](const TLarkHTMLData& data, const QString& plain) {
         EXPECT_TRUE(plain.startsWith(QStringLiteral("above")));
         EXPECT_TRUE(plain.endsWith(QStringLiteral("below")));
         const auto rules = ItemsOfKind(data, hitHR);
         ASSERT_EQ(rules.size(), 1);
         EXPECT_EQ(rules[0]->FWidth, -3);
         EXPECT_EQ(rules[0]->FHeight2, limits::kMaxRuleHeight);
     }},
    {"Ampersands",
     [] { return QStringLiteral("start ") + QString(kCount, QLatin1Char('&')) + QStringLiteral(" end"); },
     [](const TLarkHTMLData&, const QString& plain) {
         ExpectText(plain, QStringLiteral("start ") + QString(kCount, QLatin1Char('&')) + QStringLiteral(" end"));
     }},
    {"LessThans", [] { return QStringLiteral("start ") + QString(kCount, QLatin1Char('<')); },
     [](const TLarkHTMLData&, const QString& plain) {
         // The first "<" opens a tag the end of the text cuts off.
         ExpectText(plain, QStringLiteral("start "));
     }},
    {"NulCharacters", [] { return NulUnit().repeated(kCount / 10); },
     [](const TLarkHTMLData&, const QString& plain) {
         // A NUL is text like any other; "&#0;" and "&#65536;" are nothing.
         ExpectText(plain, NulText().repeated(kCount / 10));
     }},
    {"LoneSurrogates",
     [] { return QStringLiteral("a&#55296;b&#56320;&#55296;<b>&#57343;</b>").repeated(kCount / 10); },
     [](const TLarkHTMLData&, const QString& plain) { ExpectText(plain, SurrogateText().repeated(kCount / 10)); }},
};

void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.name;
}

class HostileInput : public testing::TestWithParam<HostileCase>
{
};

// A picture for every source, so that huge boxes really stretch one.
void ServeRedPictures(TLarkHTMLRender& render)
{
    render.OnImageNeededEx = [](QObject*, const QString&, TPicture* image) {
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        image->SetImage(red);
    };
}

TEST_P(HostileInput, RenderObjectOnAHostKeepsTheSoundResult)
{
    const HostileCase& c = GetParam();
    TestHost host;
    ServeRedPictures(host.Render());
    host.resize(kWidth, kHeight);
    host.SetHTML(c.build());
    c.check(host.Data(), host.Render().AsText());
    EXPECT_FALSE(host.Grab().isNull());
    // The bottom of the document paints too.
    host.SetScrollPos(QPoint(0, std::max(0, host.Data().TextSize().height() - kHeight)));
    EXPECT_FALSE(host.Grab().isNull());
    EXPECT_TRUE(host.Data().GenerateHTML().startsWith(QStringLiteral("<html>")));
}

TEST_P(HostileInput, ViewAndAutoSizedLabelShowIt)
{
    const HostileCase& c = GetParam();
    const QString html = c.build();

    TLarkHTMLView view;
    ServeRedPictures(*view.Render());
    view.resize(kWidth, kHeight);
    view.SetWordWrap(true);
    view.SetCaption(html);
    c.check(*view.Render()->Data(), view.Render()->AsText());
    EXPECT_EQ(view.grab().size(), QSize(kWidth, kHeight));
    view.VScroll(scBottom);
    EXPECT_EQ(view.grab().size(), QSize(kWidth, kHeight));

    TLarkHTMLLabel label;
    ServeRedPictures(*label.Render());
    label.resize(kWidth, 20);
    label.SetAutoSize(true);
    label.SetCaption(html);
    c.check(*label.Render()->Data(), label.PlainText());
    EXPECT_LE(label.width(), limits::kMaxAutoSizeExtent + 2);
    EXPECT_LE(label.height(), limits::kMaxAutoSizeExtent + 2);
    EXPECT_FALSE(label.grab().isNull());
}

INSTANTIATE_TEST_SUITE_P(Shapes, HostileInput, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<HostileCase>& test) { return test.param.name; });

// Pixels: a vast image box is stretched over what the area shows of it, and
// a rule's band stops at its cap instead of filling everything below.
TEST(HostilePaint, HugeImageBoxFillsTheVisibleArea)
{
    TestHost host;
    ServeRedPictures(host.Render());
    host.resize(kWidth, kHeight);
    host.SetHTML(QStringLiteral("<img src=pic width=2147483647 height=2147483647>"));
    const QImage shot = host.Grab();
    EXPECT_TRUE(test::RegionIs(shot, QRect(10, 10, kWidth - 20, kHeight - 20), Qt::red))
        << test::SaveForReview(shot, QStringLiteral("hostile-huge-image")).toStdString();
}

// The colour the host shows for document row y, at the middle of its width.
QColor ColourAtRow(TestHost& host, int y)
{
    const int shownAt = kHeight / 2;
    host.SetScrollPos(QPoint(0, y - (shownAt - host.TextRect().top())));
    const QImage shot = host.Grab();
    return shot.pixelColor(kWidth / 2, shownAt);
}

TEST(HostilePaint, RuleBandsStopAtTheCap)
{
    TestHost host;
    host.resize(kWidth, kHeight);
    host.SetHTML(QStringLiteral("<hr height=99999999 lightcolor=#0000ff shadowcolor=#00ff00>"));
    host.Grab(); // records the line positions
    // Paragraph, break, rule, break: the rule hangs from the middle of the
    // second line, a light band of the cap's height above a shadow band.
    const TLarkHTMLItem& line = *host.Data().Item(1);
    ASSERT_EQ(host.Data().Item(2)->ItemType(), hitHR);
    const int ruleTop = line.Top() + line.FHeight / 2;
    const int h = limits::kMaxRuleHeight;
    const struct
    {
        int y;
        QColor colour;
    } rows[] = {
        {ruleTop + h / 2, QColor(0, 0, 255)},
        {ruleTop + h + h / 2, QColor(0, 255, 0)},
        {ruleTop + 2 * h + kHeight, QColor(Qt::white)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.y);
        EXPECT_EQ(ColourAtRow(host, row.y), row.colour);
    }
}

// A document far taller and wider than any window leaves the label at the
// caps, and what it shows is still painted.
TEST(HostileLabel, AutoSizeStopsAtTheCaps)
{
    TLarkHTMLLabel label;
    label.resize(kWidth, 20);
    label.SetAutoSize(true);
    label.SetCaption(QStringLiteral("<ul><li>x").repeated(kCount));
    const QSize text = label.Render()->Data()->TextSize();
    ASSERT_GT(text.width(), limits::kMaxAutoSizeExtent);
    ASSERT_GT(text.height(), limits::kMaxAutoSizeExtent);
    const QMargins padding(1, 1, 1, 1);
    EXPECT_EQ(label.width(), limits::kMaxAutoSizeExtent + padding.left() + padding.right());
    EXPECT_LE(qint64(label.width() - 2) * (label.height() - 2), limits::kMaxAutoSizePixels);
    EXPECT_EQ(label.height() - 2, int(limits::kMaxAutoSizePixels / limits::kMaxAutoSizeExtent));
}

} // namespace

// Grabbing a hidden view delivers its pending resize again each time; with
// the size unchanged a long document is not parsed again for it.
TEST(HostileView, GrabsOfAnUnchangedViewDoNotParseAgain)
{
    TLarkHTMLView view;
    view.resize(kWidth, kHeight);
    view.SetWordWrap(true);
    int tags = 0;
    view.OnTagFound = [&tags](QObject*, QString&, TLarkHTMLItem*&, TStringList*&, bool, bool) { ++tags; };
    view.SetCaption(QStringLiteral("<b>x</b> ").repeated(100));
    view.grab();
    const int parsed = tags;
    ASSERT_GT(parsed, 0);
    view.grab();
    view.grab();
    EXPECT_EQ(tags, parsed);
    // A real resize still lays the document out again.
    view.resize(kWidth / 2, kHeight);
    view.grab();
    EXPECT_GT(tags, parsed);
}

// Deep list indents do not make every list line reach far below itself: a
// paint of the bottom walks about the lines it shows, not the document.
TEST(HostilePaint, BottomOfDeepListsWalksOnlyWhatItShows)
{
    TLarkHTMLRender render;
    render.PrepareText(QStringLiteral("<ul><li>x").repeated(2000), kWidth, true);
    TLarkHTMLData& data = *render.Data();
    ASSERT_GT(data.TextSize().height(), 20 * kHeight);
    constexpr int kUntouched = -12345;
    for (const auto& item : data.Items())
        item->FTop = kUntouched;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    const QRect area(0, 0, kWidth, kHeight);
    render.DrawText(canvas, QPoint(0, data.TextSize().height() - kHeight), area, clNone, area);
    const auto walked = std::count_if(data.Items().begin(), data.Items().end(),
                                      [](const auto& item) { return item->FTop != kUntouched; });
    EXPECT_GT(walked, 0);
    EXPECT_LT(walked, 200);
}
