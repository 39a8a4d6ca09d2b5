// Check box and radio button items: what the input tag makes of its
// attributes, radio groups, and the item written back as HTML.
#include "html/engine_fixture.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>

#include <gtest/gtest.h>

using namespace lark;
using namespace Qt::StringLiterals;
using namespace lark::test;

namespace {

class InputItemTest : public EngineTest
{
protected:
    std::vector<TLarkHTMLInputItem*> Inputs()
    {
        std::vector<TLarkHTMLInputItem*> inputs;
        for (TLarkHTMLItem* item : OfKind(hitInput))
            inputs.push_back(dynamic_cast<TLarkHTMLInputItem*>(item));
        return inputs;
    }
    QString ItemHTML(const TLarkHTMLItem& item)
    {
        QString html = QStringLiteral("unchanged");
        item.GetItemHTML(html);
        return html;
    }
};

TEST_F(InputItemTest, CheckedAttributeIsABooleanOrFailsTheParse)
{
    struct Case
    {
        const char* html;
        bool parses;
        bool checked;
    };
    const Case cases[] = {
        {"a<input type=checkbox checked=1>b", true, true},
        {"a<input type=checkbox checked=true>b", true, true},
        {"a<input type=checkbox checked=\"TRUE\">b", true, true},
        {"a<input type=checkbox checked=0>b", true, false},
        {"a<input type=checkbox checked=false>b", true, false},
        {"a<input type=checkbox checked=''>b", true, false},
        {"a<input type=checkbox>b", true, false},
        {"a<input type=checkbox checked=yes>b", false, false},
        {"a<input type=radio checked=on>b", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        if (!c.parses) {
            EXPECT_EQ(Data().ItemCount(), 0);
            EXPECT_TRUE(Data().ControlsArray().isEmpty());
            continue;
        }
        EXPECT_EQ(DumpItems(Data()), "P T'a' IN T'b'");
        ASSERT_EQ(Inputs().size(), 1u);
        EXPECT_EQ(Inputs()[0]->Checked(), c.checked);
    }
}

TEST_F(InputItemTest, TypeNameAndSize)
{
    struct Case
    {
        const char* html;
        const char* dump;
        TLarkHTMLInputType type;
        const char* name;
        int width;
        int height;
    };
    const Case cases[] = {
        {"<input type=checkbox name=A checked=true>", "P IN", itCheckBox, "a", 17, 17},
        {"<input type=\"Radio\" name='Size' value=2>", "P IN", itRadioButton, "size", 17, 17},
        {"<input type=CHECKBOX width=30 height=20>", "P IN", itCheckBox, "", 30, 20},
        // A bad width ends the step, so the height is not read either.
        {"<input type=checkbox width=abc height=30>", "P IN", itCheckBox, "", 17, 17},
        {"<input type=radio width=25 height=x>", "P IN", itRadioButton, "", 25, 17},
        {"<input type=checkbox width=$20>", "P IN", itCheckBox, "", 32, 17},
        {"x<input type=text name=a>y", "P T'xy'", itCheckBox, nullptr, 0, 0},
        {"x<input type=button>y", "P T'xy'", itCheckBox, nullptr, 0, 0},
        {"x<input>y", "P T'xy'", itCheckBox, nullptr, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        EXPECT_EQ(DumpItems(Data()), c.dump);
        if (!c.name) {
            EXPECT_TRUE(Data().ControlsArray().isEmpty());
            continue;
        }
        ASSERT_EQ(Inputs().size(), 1u);
        const TLarkHTMLInputItem& input = *Inputs()[0];
        EXPECT_EQ(input.InputType(), c.type);
        EXPECT_EQ(input.Name(), QString::fromUtf8(c.name));
        EXPECT_EQ(input.FWidth, c.width);
        EXPECT_EQ(input.FHeight, c.height);
        EXPECT_EQ(Data().ControlsArray(), QList<TLarkHTMLItem*>{Inputs()[0]});
        ASSERT_NE(input.ControlPainter(), nullptr);
    }
}

TEST_F(InputItemTest, InputKeepsTheFormatOfItsPlace)
{
    Parse(u"<a href=x><b>t<input type=checkbox>u</b></a>"_s);
    ASSERT_EQ(Inputs().size(), 1u);
    EXPECT_TRUE(Inputs()[0]->IsLink());
    EXPECT_EQ(Inputs()[0]->LinkRef(), u"x"_s);
    // The link run comes before the input among the focusable items.
    const QList<TLarkHTMLItem*>& controls = Data().ControlsArray();
    ASSERT_EQ(controls.size(), 2);
    EXPECT_EQ(controls[0]->Text(), u"t"_s);
    EXPECT_EQ(controls[1], Inputs()[0]);
}

TEST_F(InputItemTest, RadioGroupsNumberNamesInOrderOfFirstUse)
{
    Parse(u"<input type=radio name=g><input type=radio name=G><input type=radio name=g>"
          "<input type=radio name=h><input type=radio><input type=checkbox name=h>"_s);
    std::vector<int> groups;
    for (const TLarkHTMLInputItem* input : Inputs())
        groups.push_back(input->FTag);
    EXPECT_EQ(groups, (std::vector<int>{1, 1, 1, 2, 0, 0}));
    EXPECT_EQ(Data().RadioList().Count(), 2);
    EXPECT_EQ(Data().RadioList().Strings(1), u"h"_s);

    // A new parse starts the groups afresh.
    Parse(u"<input type=radio name=h>"_s);
    EXPECT_EQ(Inputs()[0]->FTag, 1);
}

TEST_F(InputItemTest, WritesItselfBackAsHTML)
{
    struct Case
    {
        const char* html;
        const char* expected;
    };
    const Case cases[] = {
        {"<input type=radio name=size value=2 checked=1>",
         "<input type=\"radio\" name=\"size\" checked=\"True\" value=\"2\" >"},
        {"<input type=radio name=g value=x>", "<input type=\"radio\" name=\"g\" value=\"x\" >"},
        {"<input type=checkbox>", "<input type=\"checkbox\" >"},
        {"<input type=checkbox checked=true value='a b'>", "<input type=\"checkbox\" checked=\"True\" value=\"a b\" >"},
        {"<input type=checkbox value='say \"hi\"'>", "<input type=\"checkbox\" value='say \"hi\"' >"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        Parse(QString::fromUtf8(c.html));
        ASSERT_EQ(Inputs().size(), 1u);
        const QString written = ItemHTML(*Inputs()[0]);
        EXPECT_EQ(written, QString::fromUtf8(c.expected));

        // Reading the written form back gives the same input.
        const TLarkHTMLInputItem& before = *Inputs()[0];
        const QString name = before.Name();
        const QString value = before.Value();
        const bool checked = before.Checked();
        const TLarkHTMLInputType type = before.InputType();
        Parse(written);
        ASSERT_EQ(Inputs().size(), 1u);
        EXPECT_EQ(Inputs()[0]->Name(), name);
        EXPECT_EQ(Inputs()[0]->Value(), value);
        EXPECT_EQ(Inputs()[0]->Checked(), checked);
        EXPECT_EQ(Inputs()[0]->InputType(), type);
    }
}

TEST_F(InputItemTest, CheckedStateWrittenBetweenNameAndValue)
{
    Parse(u"<input type=radio name=g value=x>"_s);
    ASSERT_EQ(Inputs().size(), 1u);
    Inputs()[0]->FChecked = true;
    EXPECT_EQ(ItemHTML(*Inputs()[0]), u"<input type=\"radio\" name=\"g\" checked=\"True\" value=\"x\" >"_s);
}

TEST_F(InputItemTest, OtherItemsLeaveTheTextAlone)
{
    Parse(u"abc"_s);
    EXPECT_EQ(ItemHTML(Run(u"abc"_s)), u"unchanged"_s);
}

} // namespace
