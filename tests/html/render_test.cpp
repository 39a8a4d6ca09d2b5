// The render object: containers, the frame around a parse (failures empty
// the document), plain text, settings, the host hook, the raisers and the
// stand-alone drawing procedures.
#include "html/engine_fixture.h"
#include "support/image_checks.h"

#include <lark/framework/canvas.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/picture.h>
#include <lark/hook/hook_component.h>
#include <lark/html/render.h>
#include "lark/html/render_p.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace lark;
using lark::test::DumpItems;
using lark::test::EngineTest;

namespace {

TEST(Render, Defaults)
{
    TLarkHTMLRender render;
    EXPECT_FALSE(render.LinkSelect());
    EXPECT_TRUE(render.DoubleBuffered());
    EXPECT_FALSE(render.EditorPreview());
    EXPECT_EQ(detail::Internals(render).CurListItem, 0);
    EXPECT_EQ(render.Control(), nullptr);
    EXPECT_EQ(render.ImageList(), nullptr);
    ASSERT_NE(render.Data(), nullptr);
    EXPECT_EQ(render.Data()->Render(), &render);
}

TEST(Render, SetDataSwitchesContainersAndNilRestoresTheOwn)
{
    TLarkHTMLRender render;
    TLarkHTMLData* own = render.Data();
    TLarkHTMLData* other = render.CreateData();
    EXPECT_EQ(other->Render(), &render);

    render.SetData(other);
    EXPECT_EQ(render.Data(), other);
    render.SetData(nullptr);
    EXPECT_EQ(render.Data(), own);
    EXPECT_EQ(other->Render(), &render);
    render.DestroyData(other);
}

TEST(Render, PrepareToDataLeavesTheCurrentContainerCurrent)
{
    TLarkHTMLRender render;
    TLarkHTMLData* own = render.Data();
    TLarkHTMLData* other = render.CreateData();
    render.PrepareToData(QStringLiteral("abc"), 100, false, other);
    EXPECT_EQ(render.Data(), own);
    EXPECT_EQ(DumpItems(*other), "P T'abc'");
    EXPECT_EQ(own->ItemCount(), 0);

    // Also when the parse fails on the way.
    render.OnVariableNeeded = [](QObject*, const QString&, QString&) { throw std::runtime_error("no"); };
    render.PrepareToData(QStringLiteral("x<~~v>"), 100, false, other);
    EXPECT_EQ(render.Data(), own);
    EXPECT_EQ(other->ItemCount(), 0);
    render.DestroyData(other);
}

TEST(Render, DestroyingTheCurrentContainerLeavesNone)
{
    TLarkHTMLRender render;
    TLarkHTMLData* own = render.Data();
    render.DestroyData(own); // not the caller's: ignored
    EXPECT_EQ(render.Data(), own);

    TLarkHTMLData* other = render.CreateData();
    render.SetData(other);
    render.DestroyData(other);
    EXPECT_EQ(render.Data(), nullptr);
    render.PrepareText(QStringLiteral("ignored"), 100, false);
    EXPECT_EQ(render.AsText(), QString());
    render.SetData(nullptr);
    EXPECT_EQ(render.Data(), own);
}

TEST(Render, ContainerMayOutliveItsRenderObject)
{
    auto render = std::make_unique<TLarkHTMLRender>();
    TLarkHTMLData* data = render->CreateData();
    render->PrepareToData(QStringLiteral("<b>text</b>"), 100, true, data);
    render.reset();
    EXPECT_EQ(data->Render(), nullptr);
    EXPECT_EQ(DumpItems(*data), "P T'text'");
    delete data;
}

TEST_F(EngineTest, AsTextJoinsRunsAndBreaks)
{
    struct Case { const char* html; const char* text; };
    const Case cases[] = {
        {"a<br>b", "a\r\nb"},
        {"<p>x</p><p>y", "x\r\n\r\n\r\n\r\ny"},
        {"<ul><li>one<li>two</ul>", "- one- two\r\n"},
        {"<p>first", "first"},
        {"<b>bold</b> and <a href=x>link</a>", "bold and link"},
        {"a<hr>b<ind width=9>c<~~v>d", "a\r\n\r\nbc d"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        EXPECT_EQ(Render.AsText().toStdString(), c.text);
    }
}

TEST_F(EngineTest, AsTextKeepsTheBlankWhereALineWasWrapped)
{
    const QString text = QStringLiteral("one two three four five six seven");
    Parse(text, RunWidth(QStringLiteral("one two ")) + 2, true);
    ASSERT_GT(OfKind(hitSoftBreak).size(), 1u);
    EXPECT_EQ(Render.AsText(), text);
}

TEST(Render, SetParameterTakesOnlyEditorPreviewOne)
{
    struct Case { const char* name; const char* value; bool preview; };
    const Case cases[] = {
        {"editorpreview", "1", false},
        {"EditorPreview", "True", false},
        {"EditorPreview", " 1", false},
        {"Other", "1", false},
        {"EditorPreview", "1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=" + c.value);
        TLarkHTMLRender render;
        render.SetParameter(QString::fromUtf8(c.name), QString::fromUtf8(c.value));
        EXPECT_EQ(render.EditorPreview(), c.preview);
    }
}

TEST(Render, SetControlMovesTheHook)
{
    TLarkHTMLRender render;
    QWidget first;
    QWidget second;

    render.SetControl(nullptr);
    EXPECT_FALSE(render.Hook()->Active());

    render.SetControl(&first);
    render.SetControl(&second);
    EXPECT_EQ(render.Control(), &second);
    EXPECT_TRUE(render.Hook()->Active());
    EXPECT_TRUE(render.Hook()->Installed());

    render.SetControl(nullptr);
    EXPECT_EQ(render.Control(), nullptr);
    EXPECT_FALSE(render.Hook()->Active());
}

TEST(Render, HostDestroyedBeforeTheRenderObject)
{
    auto host = std::make_unique<QWidget>();
    TLarkHTMLRender render;
    render.SetControl(host.get());
    host.reset();
    EXPECT_EQ(render.Control(), nullptr);
}

TEST(Render, ChangeRaisesOnChangeWithTheRenderObject)
{
    TLarkHTMLRender render;
    render.Change(); // unassigned: skipped
    QObject* sender = nullptr;
    render.OnChange = [&](QObject* s) { sender = s; };
    render.Change();
    EXPECT_EQ(sender, &render);
}

// What a failing event handler does to the parse.
TEST_F(EngineTest, FrameworkFailuresEmptyTheDocument)
{
    struct Case { const char* name; std::function<void()> fail; };
    const Case cases[] = {
        {"lark::Exception", [] { throw EConvertError(QStringLiteral("bad")); }},
        {"std::exception", [] { throw std::runtime_error("bad"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Render.OnTagFound = [&](QObject*, QString& tag, TLarkHTMLItem*&, TStringList*&, bool, bool) {
            if (tag == QStringLiteral("fail"))
                c.fail();
        };
        Parse(QStringLiteral("<a href=x>link</a> text <fail> more"));
        EXPECT_EQ(Data().ItemCount(), 0);
        EXPECT_TRUE(Data().ControlsArray().isEmpty());
    }
}

TEST_F(EngineTest, OtherExceptionsPassThrough)
{
    TLarkHTMLData* own = Render.Data();
    TLarkHTMLData* other = Render.CreateData();
    Render.OnTagFound = [](QObject*, QString& tag, TLarkHTMLItem*&, TStringList*&, bool, bool) {
        if (tag == QStringLiteral("fail"))
            throw 42;
    };
    EXPECT_THROW(Render.PrepareToData(QStringLiteral("<a href=x>link <fail>"), 100, false, other), int);
    EXPECT_EQ(Render.Data(), own);
    // Nothing the container refers to was freed under it.
    for (TLarkHTMLItem* item : other->ControlsArray())
        EXPECT_GE(other->IndexOfItem(item), 0);
    Render.DestroyData(other);
}

TEST(Render, SharedInstanceIsCreatedOnce)
{
    TLarkHTMLRender* shared = TLarkHTMLRender::getInstance();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(TLarkHTMLRender::getInstance(), shared);
    EXPECT_EQ(shared->Control(), nullptr);
}

TEST(Render, DrawHTMLTextCalcOnlyPaintsNothingAndMeasuresTheSame)
{
    QImage image(200, 100, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const QRect rect(0, 0, 200, 100);
    const QString html = QStringLiteral("<b>Lark</b> draws <font color=red>HTML</font> anywhere, wrapped if need be.");
    int calcHeight = 0;
    {
        TCanvas canvas(&image);
        calcHeight = DrawHTMLText(canvas, html, rect, true);
    }
    EXPECT_TRUE(test::RegionIs(image, rect, Qt::white));
    int drawHeight = 0;
    {
        TCanvas canvas(&image);
        drawHeight = DrawHTMLText(canvas, html, rect, false);
    }
    EXPECT_GT(calcHeight, 0);
    EXPECT_EQ(drawHeight, calcHeight);
    EXPECT_FALSE(test::RegionIs(image, rect, Qt::white));
    EXPECT_GT(test::CountPixels(image, rect, Qt::red, 60), 0);
}

TEST(Render, DrawHTMLTextExUsesLineGapAndLinkColor)
{
    QImage image(300, 60, QImage::Format_ARGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    const QRect rect(0, 0, 300, 60);
    const int plain = DrawHTMLTextEx(canvas, QStringLiteral("a<br>b"), rect, 0, clBlue, true, true);
    const int gapped = DrawHTMLTextEx(canvas, QStringLiteral("a<br>b"), rect, 3, clBlue, true, true);
    // Two lines, each 3 pixels higher, and the gap once more per line in the total.
    EXPECT_EQ(gapped - plain, 12);
    EXPECT_EQ(TLarkHTMLRender::getInstance()->Data()->LinkColor(), clBlue);
    DrawHTMLTextEx(canvas, QStringLiteral("x"), rect, 0, clRed, true, true);
    EXPECT_EQ(TLarkHTMLRender::getInstance()->Data()->LinkColor(), clRed);
}

TEST(Render, ImageRequestsAskForABitmapFirst)
{
    TLarkHTMLRender render;
    QStringList calls;
    TBitmap supplied;
    supplied.SetSize(4, 3);
    bool supply = true;
    render.OnBitmapNeeded = [&](QObject* sender, const QString& src, TBitmap*& image) {
        EXPECT_EQ(sender, &render);
        EXPECT_EQ(image, nullptr);
        calls << QStringLiteral("bitmap:") + src;
        if (supply)
            image = &supplied;
    };
    render.OnImageNeededEx = [&](QObject*, const QString& src, TPicture* picture) {
        calls << QStringLiteral("image:") + src;
        picture->Bitmap().SetSize(7, 5);
        throw std::runtime_error("ignored");
    };

    TPicture picture;
    render.DoImageNeeded(QStringLiteral("a"), picture);
    EXPECT_EQ(calls, QStringList{QStringLiteral("bitmap:a")});
    EXPECT_EQ(picture.Width(), 4);

    supply = false;
    calls.clear();
    TPicture second;
    EXPECT_NO_THROW(render.DoImageNeeded(QStringLiteral("b"), second));
    EXPECT_EQ(calls, (QStringList{QStringLiteral("bitmap:b"), QStringLiteral("image:b")}));
    EXPECT_EQ(second.Width(), 7);

    render.OnBitmapNeeded = [](QObject*, const QString&, TBitmap*&) { throw std::runtime_error("swallowed"); };
    TBitmap* result = &supplied;
    EXPECT_NO_THROW(render.DoBitmapNeeded(QStringLiteral("c"), result));
    EXPECT_EQ(result, nullptr);
}

TEST(Render, SetDCWithNothingChangesNothing)
{
    TLarkHTMLRender render;
    render.PrepareText(QStringLiteral("measure me"), 1000, false);
    const QSize before = render.Data()->TextSize();
    render.SetDC(nullptr);
    render.PrepareText(QStringLiteral("measure me"), 1000, false);
    EXPECT_EQ(render.Data()->TextSize(), before);

    QImage printer(10, 10, QImage::Format_ARGB32);
    printer.setDotsPerMeterX(11811); // 300 dpi
    printer.setDotsPerMeterY(11811);
    render.SetDC(&printer);
    render.PrepareText(QStringLiteral("measure me"), 1000, false);
    EXPECT_GT(render.Data()->TextSize().width(), 0);
}

} // namespace
