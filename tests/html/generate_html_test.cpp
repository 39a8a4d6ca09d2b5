// The document written back as simplified HTML: text as it is, hard breaks,
// variables with their values, inputs and controls with their state; no
// formatting and no soft breaks.
#include "html/engine_fixture.h"

#include <lark/html/model/data.h>

#include <gtest/gtest.h>

using namespace lark;
using namespace lark::test;
using namespace Qt::StringLiterals;

namespace {

class GenerateHTMLTest : public EngineTest
{
};

TEST_F(GenerateHTMLTest, WritesTextBreaksInputsAndVariables)
{
    Render.OnVariableNeeded = [](QObject*, const QString& name, QString& value) {
        if (name == u"abc")
            value = u"42"_s;
    };
    struct Case
    {
        const char* html;
        const char* expected;
    };
    const Case cases[] = {
        {"", "<html></html>"},
        {"a<br>b", "<html>a<br>\r\nb</html>"},
        {"<b>x</b>", "<html>x</html>"},
        {"x &lt; y &amp; z", "<html>x < y & z</html>"},
        {"<font color=red size=4><i>a</i></font><ul><li>b</ul>", "<html>ab<br>\r\n</html>"},
        {"<p align=center>a</p><img src=x.bmp><ind width=9>b", "<html>ab</html>"},
        {"x<hr>y", "<html>x<br>\r\n<br>\r\ny</html>"},
        {"<~~abc>", "<html><~~42> </html>"},
        {"<~~ name=other>", "<html><~~~~> </html>"},
        {"<a href=u>link</a>", "<html>link</html>"},
        {"a<input type=checkbox name=N checked=1>b",
         "<html>a<input type=\"checkbox\" name=\"n\" checked=\"True\" >\r\nb</html>"},
        {"<input type=radio value=v>", "<html><input type=\"radio\" value=\"v\" >\r\n</html>"},
        // The render object has no host: the item gets no control and writes
        // nothing but its line end.
        {"a<control vclclass=TButton width=60>b", "<html>a\r\nb</html>"},
        // ...and a property meant for that missing control drops the tag.
        {"a<control vclclass=TButton caption=x>b", "<html>ab</html>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        EXPECT_EQ(Data().GenerateHTML(), QString::fromUtf8(c.expected));
    }
}

TEST_F(GenerateHTMLTest, WrappedLinesJoinAgain)
{
    const QString text = u"one two three four five six"_s;
    Parse(text, RunWidth(u"one two "_s) + 1, true);
    ASSERT_GE(OfKind(hitSoftBreak).size(), 2u);
    EXPECT_EQ(Data().GenerateHTML(), u"<html>"_s + text + u"</html>"_s);
}

TEST_F(GenerateHTMLTest, ControlItemWithoutControlWritesNothing)
{
    Parse(u"<control vclclass=TEdit height=30>"_s);
    const std::vector<TLarkHTMLItem*> controls = OfKind(hitControl);
    ASSERT_EQ(controls.size(), 1u);
    const auto* item = dynamic_cast<TLarkHTMLControlItem*>(controls[0]);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Control(), nullptr);
    // Without a control the sizes are the defaults whatever the tag says.
    EXPECT_EQ(item->FWidth, 50);
    EXPECT_EQ(item->FHeight, 13);
    QString html = u"x"_s;
    item->GetItemHTML(html);
    EXPECT_TRUE(html.isEmpty());
}

} // namespace
