// Untrusted mode of the render object: what it refuses (file and resource
// images, control classes and properties the application did not allow, link
// targets other than web pages and mail) and where it cuts hostile input
// (size, nesting, attribute length); and that the same input with the mode
// off behaves as it always did.
#include "support/image_checks.h"
#include "support/test_host.h"

#include <lark/framework/limits.h>
#include <lark/framework/picture.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>
#include <lark/html/untrusted/untrusted.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lark;
using namespace lark::test;
using namespace Qt::StringLiterals;

namespace {

using limits::kMaxUntrustedAttributeChars;
using limits::kMaxUntrustedNesting;
using limits::kMaxUntrustedTextChars;

using test::Filled;

QString Repeated(const QString& piece, int times)
{
    return piece.repeated(times);
}

//---- Images ---------------------------------------------------------------

// A render object with every kind of image source ready: an image list, a
// PNG file, the test resource "LarkDot", and both application events.
class UntrustedImages : public testing::Test
{
protected:
    UntrustedImages()
    {
        List.Add(Filled(8, 6, Qt::red));
        Render.SetImageList(&List);
        Filled(5, 4, Qt::red).save(Dir.filePath(u"red.png"_s), "PNG");
        Supplied.SetImage(Filled(7, 3, Qt::red));
        Render.OnBitmapNeeded = [this](QObject*, const QString& src, TBitmap*& image) {
            ++Events;
            if (src == u"bitmap")
                image = &Supplied;
        };
        Render.OnImageNeededEx = [this](QObject*, const QString& src, TPicture* image) {
            ++Events;
            if (src == u"picture")
                image->SetImage(Filled(9, 2, Qt::red));
        };
    }
    QSize Resolve(const QString& source)
    {
        TPicture picture;
        Render.HandleImage(source, picture);
        return picture.Empty() ? QSize() : QSize(picture.Width(), picture.Height());
    }

    QTemporaryDir Dir;
    TCustomImageList List{8, 6};
    TBitmap Supplied;
    TLarkHTMLRender Render;
    int Events = 0;
};

TEST_F(UntrustedImages, FileAndResourceSourcesStayEmptyWhileListAndEventsWork)
{
    struct Case
    {
        QString source;
        QSize size;      // with the mode off
        bool untrusted;  // still resolved with the mode on
        int events;      // events raised for one resolution
    };
    const Case cases[] = {
        {u"index:0"_s, {8, 6}, true, 0},
        {u"INDEX:0"_s, {8, 6}, true, 0},
        {u"file:"_s + Dir.filePath(u"red.png"_s), {5, 4}, false, 0},
        {u"File:"_s + Dir.filePath(u"red.png"_s), {5, 4}, false, 0},
        {u"res:LarkDot"_s, {}, false, 0}, // size taken from the trusted resolution
        {u"RES:LarkDot"_s, {}, false, 0},
        {u"bitmap"_s, {7, 3}, true, 1},
        {u"picture"_s, {9, 2}, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        Render.SetUntrusted(false);
        Events = 0;
        const QSize trusted = Resolve(c.source);
        ASSERT_TRUE(trusted.isValid());
        if (c.size.isValid()) {
            EXPECT_EQ(trusted, c.size);
        }
        EXPECT_EQ(Events, c.events);

        Render.SetUntrusted(true);
        Events = 0;
        EXPECT_EQ(Resolve(c.source), c.untrusted ? trusted : QSize());
        // A refused source is not handed to the application either.
        EXPECT_EQ(Events, c.untrusted ? c.events : 0);
    }
}

// The refusal holds for the img tag and for every paint: the box of a file
// image stays empty on the host's pixels, the list image next to it shows.
TEST(UntrustedImagePaint, FileImageBoxStaysEmpty)
{
    QTemporaryDir dir;
    ASSERT_TRUE(Filled(12, 12, Qt::blue).save(dir.filePath(u"blue.png"_s), "PNG"));
    TCustomImageList list(12, 12);
    list.Add(Filled(12, 12, Qt::red));
    TestHost host;
    host.resize(120, 40);
    host.Render().SetImageList(&list);
    host.SetHTML(u"<img src=\"file:%1\" width=12 height=12><img src=index:0 transparent=solid>"_s.arg(
        dir.filePath(u"blue.png"_s)));
    const QRect boxes(0, 0, 60, 30);

    QImage shot = host.Grab();
    EXPECT_GT(CountPixels(shot, boxes, Qt::blue), 100) << SaveForReview(shot, u"untrusted-off"_s).toStdString();
    EXPECT_GT(CountPixels(shot, boxes, Qt::red), 100);

    host.SetUntrusted(true);
    shot = host.Grab();
    EXPECT_EQ(CountPixels(shot, boxes, Qt::blue), 0) << SaveForReview(shot, u"untrusted-on"_s).toStdString();
    EXPECT_GT(CountPixels(shot, boxes, Qt::red), 100);
    // The refused picture keeps its box: the list image still starts after it.
    const auto& items = host.Data().Items();
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(items[1]->FWidth, 12);
}

//---- Embedded controls ----------------------------------------------------

class UntrustedControls : public testing::Test
{
protected:
    UntrustedControls() { Host.resize(400, 100); }

    std::vector<TLarkHTMLControlItem*> Controls() { return Host.ControlItems(); }
    int ChildWidgets() const { return int(Host.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size()); }

    TestHost Host;
};

TEST_F(UntrustedControls, ClassNotAllowedCreatesNothing)
{
    const QString html = u"a<control vclclass=TButton caption=go>b"_s;
    Host.SetHTML(html);
    ASSERT_EQ(Controls().size(), 1u);
    EXPECT_EQ(ChildWidgets(), 1);

    Host.SetUntrusted(true);
    EXPECT_TRUE(Controls().empty());
    EXPECT_TRUE(Host.Data().ControlsArray().isEmpty());
    EXPECT_EQ(Host.Render().AsText(), u"ab"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ChildWidgets(), 0);

    // Allowing another class changes nothing for this one.
    Host.Render().ControlAllowList().AllowClass(u"TCheckBox"_s, {u"caption"_s});
    Host.Rebuild();
    EXPECT_TRUE(Controls().empty());
}

TEST_F(UntrustedControls, AllowedClassGetsOnlyAllowedProperties)
{
    const QString html =
        u"<control vclclass=tcheckbox caption=\"ok\" checked=\"true\" enabled=false width=80 height=20>"_s;
    Host.Render().ControlAllowList().AllowClass(u"TCheckBox"_s, {u"Caption"_s});

    Host.SetHTML(html);
    ASSERT_EQ(Controls().size(), 1u);
    auto* box = qobject_cast<QCheckBox*>(Controls()[0]->Control());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(box->isEnabled());

    Host.SetUntrusted(true);
    ASSERT_EQ(Controls().size(), 1u);
    box = qobject_cast<QCheckBox*>(Controls()[0]->Control());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), u"ok"_s);
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(box->isEnabled());
    // The tag's size is the box in the text, not a property.
    EXPECT_EQ(box->size(), QSize(80, 20));
    // Written back, the refused attributes are gone as if never written.
    EXPECT_EQ(Host.Data().GenerateHTML().toStdString(),
              u"<html><control vclclass=\"TCheckBox\" caption=\"ok\" width=\"80\" height=\"20\" >\r\n</html>"_s.toStdString());
}

TEST_F(UntrustedControls, WithoutAHostRefusedAttributesNoLongerDropTheTag)
{
    // A render object without a host creates no control; a property
    // attribute then abandons the tag, unless untrusted mode removed it.
    TLarkHTMLRender render;
    render.ControlAllowList().AllowClass(u"TButton"_s);
    for (const bool untrusted : {false, true}) {
        SCOPED_TRACE(untrusted);
        render.SetUntrusted(untrusted);
        render.PrepareText(u"<control vclclass=TButton caption=x>"_s, 300, true);
        int controls = 0;
        for (const auto& item : render.Data()->Items())
            controls += item->ItemType() == hitControl;
        EXPECT_EQ(controls, untrusted ? 1 : 0);
    }
}

TEST(ControlAllowList, NamesIgnoreCaseAndAccumulate)
{
    TLarkHTMLControlAllowList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_FALSE(list.IsClassAllowed(u"TButton"_s));
    list.AllowClass(u"TButton"_s, {u"Caption"_s});
    list.AllowClass(u"tbutton"_s, {u"HINT"_s, QString()});
    list.AllowClass(QString(), {u"caption"_s});
    EXPECT_TRUE(list.IsClassAllowed(u"TBUTTON"_s));
    EXPECT_TRUE(list.IsPropertyAllowed(u"TButton"_s, u"caption"_s));
    EXPECT_TRUE(list.IsPropertyAllowed(u"TButton"_s, u"Hint"_s));
    EXPECT_FALSE(list.IsPropertyAllowed(u"TButton"_s, u"Enabled"_s));
    EXPECT_FALSE(list.IsPropertyAllowed(u"TEdit"_s, u"caption"_s));
    EXPECT_EQ(list.AllowedClasses(), QStringList{u"tbutton"_s});
    EXPECT_EQ(list.AllowedProperties(u"TButton"_s), (QStringList{u"caption"_s, u"hint"_s}));

    list.DisallowClass(u"TBUTTON"_s);
    EXPECT_FALSE(list.IsClassAllowed(u"TButton"_s));
    EXPECT_FALSE(list.IsPropertyAllowed(u"TButton"_s, u"caption"_s));
    EXPECT_TRUE(list.AllowedProperties(u"TButton"_s).isEmpty());
}

//---- Link targets ---------------------------------------------------------

struct UrlCase
{
    const char* name;
    QString target;
    bool allowed;
};

class UntrustedUrl : public testing::TestWithParam<UrlCase>
{
protected:
    void SetUp() override
    {
        TLarkHTMLRender::SetUrlOpener([this](const QUrl& url) {
            Opened.push_back(url);
            return true;
        });
    }
    void TearDown() override { TLarkHTMLRender::SetUrlOpener({}); }

    std::vector<QUrl> Opened;
};

TEST_P(UntrustedUrl, OnlyWebAndMailTargetsPass)
{
    const UrlCase& c = GetParam();
    EXPECT_EQ(TLarkHTMLRender::IsUrlAllowedUntrusted(c.target), c.allowed);

    EXPECT_EQ(TLarkHTMLRender::RunURL(c.target, true), c.allowed);
    ASSERT_EQ(Opened.size(), c.allowed ? 1u : 0u);
    const std::vector<QUrl> openedUntrusted = Opened;

    // With the mode off the target opens exactly as RunURL always opened it.
    Opened.clear();
    const bool plain = TLarkHTMLRender::RunURL(c.target);
    const std::vector<QUrl> openedPlain = Opened;
    Opened.clear();
    EXPECT_EQ(TLarkHTMLRender::RunURL(c.target, false), plain);
    EXPECT_EQ(Opened, openedPlain);
    if (c.allowed) {
        EXPECT_EQ(openedUntrusted, openedPlain);
    }
}

const UrlCase kUrlCases[] = {
    {"Http", u"http://example.org/a?b=c"_s, true},
    {"Https", u"https://example.org"_s, true},
    {"SchemeInCapitals", u"HTTPS://EXAMPLE.ORG"_s, true},
    {"WwwBecomesHttp", u"www.example.org/page"_s, true},
    {"MailboxBecomesMailto", u"someone@example.org"_s, true},
    {"Mailto", u"mailto:someone@example.org?subject=Hello&body=attached%20below"_s, true},
    {"MailtoWithAttach", u"mailto:a@example.org?attach=/etc/passwd"_s, false},
    {"MailtoWithAttachmentInCapitals", u"MAILTO:a@example.org?subject=x&ATTACHMENT=%2Fetc%2Fpasswd"_s, false},
    {"MailtoWithEncodedAttach", u"mailto:a@example.org?%61ttach=/etc/passwd"_s, false},
    {"MailtoWithAttachAfterSemicolon", u"mailto:a@example.org?subject=x;attach=/etc/passwd"_s, false},
    {"MailtoWithAttachBehindEncodedQuestionMark", u"mailto:a@example.org%3Fattach=/etc/passwd"_s, false},
    {"ImpliedMailtoWithAttach", u"a@example.org?Attach=/etc/passwd"_s, false},
    {"Javascript", u"javascript:alert(1)"_s, false},
    {"JavascriptInMixedCase", u"JavaScript:alert(1)"_s, false},
    {"File", u"file:///etc/passwd"_s, false},
    {"Ftp", u"ftp://example.org/pub"_s, false},
    {"FtpImplied", u"ftp.example.org"_s, false},
    {"Data", u"data:text/html,<b>x</b>"_s, false},
    {"HttpWithoutHost", u"http:relative"_s, false},
    {"RelativePath", u"help/index.html"_s, false},
    {"Empty", QString(), false},
};

INSTANTIATE_TEST_SUITE_P(Rows, UntrustedUrl, testing::ValuesIn(kUrlCases),
                         [](const auto& info) { return std::string(info.param.name); });

//---- Caps -----------------------------------------------------------------

class UntrustedCaps : public testing::Test
{
protected:
    void Parse(const QString& html, bool untrusted)
    {
        Render.SetUntrusted(untrusted);
        Render.PrepareText(html, 0, false);
    }
    // The first run whose text holds text (an ignored tag does not end a run).
    const TLarkHTMLItem* Run(const QString& text)
    {
        for (const auto& item : Render.Data()->Items()) {
            if (item->ItemType() == hitChar && item->Text().contains(text))
                return item.get();
        }
        ADD_FAILURE() << "no run " << text.toStdString();
        return nullptr;
    }

    TLarkHTMLRender Render;
};

TEST_F(UntrustedCaps, TextBeyondTheSizeCapIsDropped)
{
    const QString html = Repeated(u"x"_s, kMaxUntrustedTextChars - 1) + u"<b>yz</b>"_s;
    Parse(html, false);
    EXPECT_EQ(Render.AsText().size(), kMaxUntrustedTextChars + 1);
    Parse(html, true);
    // The tag cut off by the cap is dropped like one cut off by the end.
    EXPECT_EQ(Render.AsText(), Repeated(u"x"_s, kMaxUntrustedTextChars - 1));

    // A surrogate pair across the cap is dropped whole.
    const QString pair = Repeated(u"x"_s, kMaxUntrustedTextChars - 1) + QString::fromUcs4(U"\U0001F600");
    Parse(pair, false);
    EXPECT_EQ(Render.AsText(), pair);
    Parse(pair, true);
    EXPECT_EQ(Render.AsText().size(), kMaxUntrustedTextChars - 1);
}

TEST_F(UntrustedCaps, FontsBeyondTheNestingCapAreIgnoredWithTheirClosingTags)
{
    // Red levels up to the cap, then blue levels beyond it.
    const int extra = 5;
    const QString html = Repeated(u"<font color=red>"_s, kMaxUntrustedNesting) +
                         Repeated(u"<font color=blue>"_s, extra) + u"x"_s + Repeated(u"</font>"_s, extra) +
                         u"y"_s + Repeated(u"</font>"_s, kMaxUntrustedNesting) + u"z"_s;
    struct Case
    {
        bool untrusted;
        TColor x, y;
    };
    for (const Case& c : {Case{false, clBlue, clRed}, Case{true, clRed, clRed}}) {
        SCOPED_TRACE(c.untrusted);
        Parse(html, c.untrusted);
        ASSERT_NE(Run(u"x"_s), nullptr);
        EXPECT_EQ(Run(u"x"_s)->FontColor, c.x);
        EXPECT_EQ(Run(u"y"_s)->FontColor, c.y);
        EXPECT_EQ(Run(u"z"_s)->FontColor, Render.Data()->DefaultColor());
    }
}

TEST_F(UntrustedCaps, ListsBeyondTheNestingCapAreIgnoredWithTheirClosingTags)
{
    const int depth = kMaxUntrustedNesting + 3;
    const QString html = Repeated(u"<ul>"_s, depth) + u"<li>x"_s + Repeated(u"</ul>"_s, depth) + u"y"_s;
    for (const bool untrusted : {false, true}) {
        SCOPED_TRACE(untrusted);
        Parse(html, untrusted);
        int level = -1;
        for (const auto& item : Render.Data()->Items()) {
            if (item->ItemType() == hitLI)
                level = static_cast<const TLarkHTMLBreakItem&>(*item).FListLevel;
        }
        EXPECT_EQ(level, untrusted ? kMaxUntrustedNesting : depth);
        // Every level opened is closed again: the text after the lists is
        // back at the margin either way.
        ASSERT_NE(Run(u"y"_s), nullptr);
        EXPECT_EQ(Run(u"y"_s)->FIndent, 0);
    }
}

TEST_F(UntrustedCaps, AttributeValuesBeyondTheCapAreCut)
{
    const QString longTail = Repeated(u"a"_s, kMaxUntrustedAttributeChars);
    QStringList sources;
    Render.OnImageNeededEx = [&](QObject*, const QString& src, TPicture*) { sources << src; };
    struct Case
    {
        const char* name;
        QString html;
        QString trusted; // the value the tag's handler gets with the mode off
        QString cut;     // and with it on
    };
    const QString fits = Repeated(u"b"_s, kMaxUntrustedAttributeChars);
    const Case cases[] = {
        {"Quoted", u"<a href=\"http://x/"_s + longTail + u"\">link</a>"_s, u"http://x/"_s + longTail,
         (u"http://x/"_s + longTail).left(kMaxUntrustedAttributeChars)},
        {"Unquoted", u"<img src=pic"_s + longTail + u">"_s, u"pic"_s + longTail,
         (u"pic"_s + longTail).left(kMaxUntrustedAttributeChars)},
        {"ExactlyTheCap", u"<img src=\""_s + fits + u"\">"_s, fits, fits},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool untrusted : {false, true}) {
            sources.clear();
            Parse(c.html, untrusted);
            QString value;
            for (const auto& item : Render.Data()->Items()) {
                if (item->IsLink())
                    value = item->LinkRef();
            }
            if (value.isEmpty() && !sources.isEmpty())
                value = sources.first();
            EXPECT_EQ(value, untrusted ? c.cut : c.trusted);
        }
    }
}

TEST(UntrustedMode, OffByDefault)
{
    TLarkHTMLRender render;
    EXPECT_FALSE(render.Untrusted());
    EXPECT_TRUE(render.ControlAllowList().IsEmpty());
    EXPECT_FALSE(TLarkHTMLRender::getInstance()->Untrusted());
}

} // namespace
