// The document model: item defaults and copy rules, the container's list
// operations and references, settings from a host, and input items.
#include "html/engine_fixture.h"

#include <lark/framework/convert.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/font.h>
#include <lark/html/model/data.h>
#include "lark/html/model/font_settings_p.h"
#include <lark/html/host/host_control.h>
#include <lark/html/model/items.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>
#include <lark/html/render.h>

#include <QWidget>

#include <gtest/gtest.h>

using namespace lark;

namespace {

class SettingsHost : public QWidget, public ILarkHTMLControl
{
public:
    TFont* GetFont() override { return &font; }
    TLarkHTMLOptions* GetOptions() override { return &options; }
    QString GetHTML() const override { return {}; }
    void SetHTML(const QString&) override {}
    TPadding* GetPadding() override { return &padding; }
    QPoint GetOffset() const override { return {}; }
    void LockUpdating() override {}
    void UnlockUpdating() override {}
    void SetParameter(const QString&, const QString&) override {}

    TFont font;
    TLarkHTMLOptions options{this};
    TLarkPadding padding{this};
};

// A container with a render object, filled by hand.
class ModelTest : public testing::Test
{
protected:
    TLarkHTMLItem* Add(TLarkHTMLItemType kind)
    {
        std::unique_ptr<TLarkHTMLItem> item;
        if (kind == hitSoftBreak || kind == hitBreak || kind == hitPara || kind == hitLI)
            item = std::make_unique<TLarkHTMLBreakItem>(&data, kind);
        else
            item = std::make_unique<TLarkHTMLItem>(&data);
        item->FItemType = kind;
        TLarkHTMLItem* raw = item.get();
        data.AppendItem(std::move(item));
        return raw;
    }
    TLarkHTMLInputItem* AddInput(TLarkHTMLInputType type, const QString& name)
    {
        auto input = std::make_unique<TLarkHTMLInputItem>(&data);
        input->SetName(name);
        input->SetInputType(type);
        TLarkHTMLInputItem* raw = input.get();
        data.AppendItem(std::move(input));
        return raw;
    }

    TLarkHTMLRender render;
    TLarkHTMLData& data = *render.Data();
};

TEST(Item, NewItemDefaults)
{
    TLarkHTMLItem item(nullptr);
    EXPECT_EQ(item.ItemType(), hitChar);
    EXPECT_EQ(item.FTWidth, kNotMeasured);
    EXPECT_EQ(item.FBgColor1, clNone);
    EXPECT_EQ(item.FBgColor2, clNone);
    EXPECT_EQ(item.FBorderColor, clNone);
    EXPECT_TRUE(item.Text().isEmpty());
    EXPECT_EQ(item.FBoolState, 0u);
}

TEST(Item, AssignCopiesFormatNotContent)
{
    TLarkHTMLItem source(nullptr);
    source.SetIsSub(true);
    source.SetIsLink(true);
    source.SetLinkRef(QStringLiteral("target"));
    source.FontStyle = {fsBold};
    source.FontHeight = -14;
    source.FontColor = clRed;
    source.FontBgColor = clYellow;
    source.FFontRef = QStringLiteral("Tahoma");
    source.FIndent = 12;
    source.FFntCnt = 2;
    source.SetText(QStringLiteral("text"));
    source.FWidth = 40;
    source.FTag = 3;
    source.SetTransparent(true);
    source.FBgColor1 = clRed;

    TLarkHTMLItem copy(nullptr);
    copy.Assign(&source);
    EXPECT_TRUE(copy.IsSub());
    EXPECT_TRUE(copy.IsLink());
    EXPECT_EQ(copy.LinkRef(), QStringLiteral("target"));
    EXPECT_EQ(copy.FontStyle, TFontStyles{fsBold});
    EXPECT_EQ(copy.FontHeight, -14);
    EXPECT_EQ(copy.FontColor, clRed);
    EXPECT_EQ(copy.FontBgColor, clYellow);
    EXPECT_EQ(copy.FFontRef, QStringLiteral("Tahoma"));
    EXPECT_EQ(copy.FIndent, 12);
    EXPECT_EQ(copy.FFntCnt, 2);
    EXPECT_TRUE(copy.Text().isEmpty());
    EXPECT_EQ(copy.FWidth, 0);
    EXPECT_EQ(copy.FTag, 0);
    EXPECT_FALSE(copy.Transparent());
    EXPECT_EQ(copy.FBgColor1, clNone);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.IsLink());
}

TEST(Item, SubAndSuperscriptMeasureTwoPixelsSmaller)
{
    struct Case { int height; bool sub; bool super; int effective; };
    const Case cases[] = {{-11, true, false, -9}, {20, false, true, 18}, {-11, false, false, -11}, {0, true, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        TLarkHTMLItem item(nullptr);
        item.FontHeight = c.height;
        item.SetIsSub(c.sub);
        item.SetIsSuper(c.super);
        EXPECT_EQ(item.EffectiveFontHeight(), c.effective);
    }
}

TEST(BreakItem, AssignClearsAlignmentAssignBreakPropsKeepsIt)
{
    TLarkHTMLBreakItem source(nullptr, hitLI);
    source.FParams = 2;
    source.FListLevel = 3;
    source.FListItemN = 7;

    TLarkHTMLBreakItem assigned(nullptr, hitSoftBreak);
    assigned.Assign(&source);
    EXPECT_EQ(assigned.FParams, 0u);
    EXPECT_EQ(assigned.FListLevel, 3);
    EXPECT_EQ(assigned.FListItemN, 7);
    EXPECT_EQ(assigned.ItemType(), hitSoftBreak);

    TLarkHTMLBreakItem carried(nullptr, hitSoftBreak);
    carried.AssignBreakProps(&source);
    EXPECT_EQ(carried.FParams, 2u);
    EXPECT_EQ(carried.FListItemN, 7);
    carried.AssignBreakProps(nullptr);
    EXPECT_EQ(carried.FParams, 2u);
}

TEST(FontSettings, ApplyAndSaveAreInverse)
{
    const TFontSettings settings{QStringLiteral("Tahoma"), -15, clRed, clAqua};
    TLarkHTMLItem item(nullptr);
    ApplyFontSettings(item, settings);
    EXPECT_EQ(item.FFontRef, QStringLiteral("Tahoma"));
    EXPECT_EQ(item.FontHeight, -15);
    EXPECT_EQ(item.FontColor, clRed);
    EXPECT_EQ(item.FontBgColor, clAqua);
    TFontSettings saved;
    SaveFontSettings(item, saved);
    EXPECT_EQ(saved.FontName, settings.FontName);
    EXPECT_EQ(saved.Height, settings.Height);
    EXPECT_EQ(saved.Color, settings.Color);
    EXPECT_EQ(saved.BgColor, settings.BgColor);
}

TEST(Data, Defaults)
{
    TLarkHTMLData data;
    EXPECT_EQ(data.LinkColor(), clBlue);
    EXPECT_EQ(data.DefaultColor(), clWindowText);
    EXPECT_EQ(data.LinkStyle(), TFontStyles{fsUnderline});
    EXPECT_TRUE(data.DefaultStyle().IsEmpty());
    EXPECT_EQ(data.DefaultHeight(), -11);
    EXPECT_EQ(data.DefaultFont(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(data.DefaultBgColor(), clNone);
    // Selected text is readable from the start, not black on black.
    EXPECT_EQ(data.HighlightColor(), clHighlightText);
    EXPECT_EQ(data.HighlightBgColor(), clHighlight);
    EXPECT_EQ(data.Render(), nullptr);
    EXPECT_EQ(data.ItemCount(), 0);
}

TEST_F(ModelTest, LineCountCountsBreaksFromTwoItemsOn)
{
    Add(hitPara);
    EXPECT_EQ(data.LineCount(), 0);
    Add(hitChar);
    EXPECT_EQ(data.LineCount(), 1);
    Add(hitBreak);
    Add(hitChar);
    EXPECT_EQ(data.LineCount(), 2);
}

TEST_F(ModelTest, GetItemOutsideTheListThrows)
{
    Add(hitPara);
    EXPECT_EQ(data.GetItem(0)->ItemType(), hitPara);
    for (int index : {-1, 1}) {
        try {
            data.GetItem(index);
            ADD_FAILURE() << "no exception for " << index;
        } catch (const EListError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("List index out of bounds (%1)").arg(index));
        }
    }
}

TEST_F(ModelTest, ClearArraysDropsEveryReference)
{
    Add(hitPara);
    TLarkHTMLItem* link = Add(hitChar);
    TLarkHTMLInputItem* input = AddInput(itRadioButton, QStringLiteral("g"));
    data.ControlsArrayRef() << link << input;
    data.SetSelectedItem(link);
    data.SetActiveItem(input);

    data.ClearArrays();
    EXPECT_EQ(data.ItemCount(), 0);
    EXPECT_EQ(data.ActiveItem(), nullptr);
    EXPECT_EQ(data.SelectedItem(), nullptr);
    EXPECT_TRUE(data.ControlsArray().isEmpty());
    EXPECT_EQ(data.RadioList().Count(), 0);
}

TEST_F(ModelTest, DeleteAndTakeDropReferences)
{
    TLarkHTMLItem* first = Add(hitChar);
    TLarkHTMLInputItem* input = AddInput(itCheckBox, {});
    data.ControlsArrayRef() << first << input;
    data.SetSelectedItem(first);
    data.SetActiveItem(input);

    std::unique_ptr<TLarkHTMLItem> taken = data.TakeItem(1);
    EXPECT_EQ(taken.get(), input);
    EXPECT_EQ(data.ActiveItem(), nullptr);
    EXPECT_EQ(data.ControlsArray(), QList<TLarkHTMLItem*>{first});

    data.DeleteItem(0);
    EXPECT_EQ(data.SelectedItem(), nullptr);
    EXPECT_TRUE(data.ControlsArray().isEmpty());
    EXPECT_THROW(data.DeleteItem(0), EListError);
}

TEST_F(ModelTest, ActiveItemNotifiesOnlyOnChange)
{
    int changes = 0;
    render.OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &render);
        ++changes;
    };
    TLarkHTMLInputItem* input = AddInput(itCheckBox, {});
    data.SetActiveItem(input);
    data.SetActiveItem(input);
    EXPECT_EQ(changes, 1);
    data.SetActiveItem(nullptr);
    EXPECT_EQ(changes, 2);
}

TEST_F(ModelTest, SelectingAControlItemFocusesItsControl)
{
    QWidget host;
    auto* edit = new QWidget(&host);
    edit->setFocusPolicy(Qt::StrongFocus);
    host.show();
    auto item = std::make_unique<TLarkHTMLControlItem>(&data);
    item->SetControl(edit);
    TLarkHTMLControlItem* raw = item.get();
    data.AppendItem(std::move(item));

    data.SetSelectedItem(raw);
    EXPECT_EQ(data.SelectedItem(), raw);
    EXPECT_EQ(host.focusWidget(), edit);
    data.ClearArrays();
    // Controls are freed deferred, so a control whose own signal re-parsed the
    // document is not deleted under its feet.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(host.findChildren<QWidget*>().size(), 0) << "the item frees its control";
}

TEST_F(ModelTest, RadioGroupsNumberNamesInOrderOfAppearance)
{
    const TLarkHTMLInputItem* a1 = AddInput(itRadioButton, QStringLiteral("a"));
    const TLarkHTMLInputItem* a2 = AddInput(itRadioButton, QStringLiteral("A"));
    const TLarkHTMLInputItem* b = AddInput(itRadioButton, QStringLiteral("b"));
    const TLarkHTMLInputItem* nameless = AddInput(itRadioButton, {});
    const TLarkHTMLInputItem* box = AddInput(itCheckBox, QStringLiteral("a"));
    EXPECT_EQ(a1->FTag, 1);
    EXPECT_EQ(a2->FTag, 1);
    EXPECT_EQ(b->FTag, 2);
    EXPECT_EQ(nameless->FTag, 0);
    EXPECT_EQ(box->FTag, 0);
    EXPECT_EQ(a2->Name(), QStringLiteral("a"));
    EXPECT_EQ(data.RadioList().Count(), 2);
    EXPECT_NE(a1->ControlPainter(), nullptr);
}

TEST_F(ModelTest, InputAssignJoinsTheSourceGroup)
{
    TLarkHTMLInputItem* source = AddInput(itRadioButton, QStringLiteral("size"));
    source->FChecked = true;
    source->FValue = QStringLiteral("2");
    source->SetIsLink(true);

    TLarkHTMLInputItem copy(&data);
    copy.Assign(source);
    EXPECT_EQ(copy.Name(), QStringLiteral("size"));
    EXPECT_TRUE(copy.Checked());
    EXPECT_EQ(copy.InputType(), itRadioButton);
    EXPECT_EQ(copy.Value(), QStringLiteral("2"));
    EXPECT_EQ(copy.FTag, 1);
    EXPECT_TRUE(copy.IsLink());
    EXPECT_EQ(copy.ItemType(), hitInput);
}

struct InputAttrCase
{
    const char* name;
    QStringList lines;
    bool checked;
    const char* value;
    int width;
    int height;
};

class InputAttributes : public testing::TestWithParam<InputAttrCase>
{
};

TEST_P(InputAttributes, Read)
{
    const InputAttrCase& c = GetParam();
    TLarkHTMLData data;
    TLarkHTMLInputItem input(&data);
    input.FWidth = 17;
    input.FHeight = 17;
    input.ReadAttributes(TStringList(c.lines));
    EXPECT_EQ(input.Checked(), c.checked);
    EXPECT_EQ(input.Value(), QString::fromUtf8(c.value));
    EXPECT_EQ(input.FWidth, c.width);
    EXPECT_EQ(input.FHeight, c.height);
}

const InputAttrCase kInputAttrCases[] = {
    {"CheckedOne", {"checked=1"}, true, "", 17, 17},
    {"CheckedZero", {"checked=0"}, false, "", 17, 17},
    {"CheckedFalse", {"checked='False'"}, false, "", 17, 17},
    {"CheckedTrueAnyCase", {"checked=tRUE"}, true, "", 17, 17},
    {"EmptyCheckedIgnored", {"checked=''"}, false, "", 17, 17},
    {"ValueUnquoted", {"value=\"a b\""}, false, "a b", 17, 17},
    {"Size", {"width=20", "height=30"}, false, "", 20, 30},
    {"BadWidthSkipsHeight", {"width=abc", "height=30"}, false, "", 17, 17},
    {"BadHeightKeepsWidth", {"width=20", "height=x"}, false, "", 20, 17},
    {"NoWidthStillHeight", {"height=30"}, false, "", 17, 30},
};
INSTANTIATE_TEST_SUITE_P(Rows, InputAttributes, testing::ValuesIn(kInputAttrCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InputItem, CheckedThatIsNoBooleanThrows)
{
    TLarkHTMLData data;
    TLarkHTMLInputItem input(&data);
    EXPECT_THROW(input.ReadAttributes(TStringList{QStringLiteral("checked=yes")}), EConvertError);
}

TEST(InputItem, WritesItselfBackAsHTML)
{
    struct Case { TLarkHTMLInputType type; const char* name; bool checked; const char* value; const char* html; };
    const Case cases[] = {
        {itCheckBox, "", false, "", "<input type=\"checkbox\" >"},
        {itRadioButton, "size", true, "2", "<input type=\"radio\" name=\"size\" checked=\"True\" value=\"2\" >"},
        {itRadioButton, "g", false, "x", "<input type=\"radio\" name=\"g\" value=\"x\" >"},
        // A value holding a double quote is written in apostrophes, so that
        // it reads back unchanged.
        {itCheckBox, "", false, "say \"hi\"", "<input type=\"checkbox\" value='say \"hi\"' >"},
    };
    TLarkHTMLData data;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        TLarkHTMLInputItem input(&data);
        input.SetName(QString::fromUtf8(c.name));
        input.SetInputType(c.type);
        input.FChecked = c.checked;
        input.FValue = QString::fromUtf8(c.value);
        QString html = QStringLiteral("previous");
        input.GetItemHTML(html);
        EXPECT_EQ(html.toStdString(), c.html);
    }
}

TEST_F(ModelTest, AssignSettingsCopiesFontAndOptionsOnly)
{
    SettingsHost host;
    host.font.SetName(QStringLiteral("Tahoma"));
    host.font.SetHeight(-15);
    host.font.SetStyle({fsItalic});
    host.font.SetColor(clMaroon);
    host.font.SetCharset(2);
    host.options.SetLineGap(3);
    host.options.SetLinkColor(clRed);
    host.options.SetLinkStyle({fsBold});
    data.SetDefaultBgColor(clYellow);
    data.SetLineSpacing(9);
    data.SetHighlightColor(clLime);

    data.AssignSettings(&host);
    EXPECT_EQ(data.DefaultFont(), QStringLiteral("Tahoma"));
    EXPECT_EQ(data.DefaultHeight(), -15);
    EXPECT_EQ(data.DefaultStyle(), TFontStyles{fsItalic});
    EXPECT_EQ(data.DefaultColor(), clMaroon);
    EXPECT_EQ(data.Charset(), 2);
    EXPECT_EQ(data.LineGap(), 3);
    EXPECT_EQ(data.LinkColor(), clRed);
    EXPECT_EQ(data.LinkStyle(), TFontStyles{fsBold});
    EXPECT_EQ(data.DefaultBgColor(), clYellow);
    EXPECT_EQ(data.LineSpacing(), 9);
    EXPECT_EQ(data.HighlightColor(), clLime);
}

} // namespace
