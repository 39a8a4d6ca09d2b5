// What clicks, keys and mouse moves do to check boxes, radio buttons and the
// selection, and the events they raise.
#include "html/interaction_fixture.h"

#include <gtest/gtest.h>

using namespace lark;
using namespace Qt::StringLiterals;
using lark::test::DumpItems;
using lark::test::InteractionTest;

namespace {

TEST_F(InteractionTest, ClickOnCheckBoxRaisesCheckedOnceAndChangeThrice)
{
    Parse(u"box <input type=checkbox name=a> after"_s);
    TLarkHTMLInputItem* box = Inputs().at(0);
    ClickOn(*box);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(Data().SelectedItem(), box);
    ASSERT_EQ(CheckedEvents.size(), 1u);
    EXPECT_EQ(CheckedEvents[0], box);
    // From the new state, from the item's click, from the click transfer.
    EXPECT_EQ(Changes, 3);
}

TEST_F(InteractionTest, RadioGroupNamesIgnoreLetterCase)
{
    // Three buttons of group "g" written in two cases, one without a name.
    Parse(u"<input type=radio name=g><input type=radio name=G><input type=radio name=g><input type=radio>"_s);
    const std::vector<TLarkHTMLInputItem*> radios = Inputs();
    ASSERT_EQ(radios.size(), 4u) << DumpItems(Data());
    EXPECT_EQ(radios[1]->FTag, radios[0]->FTag);
    EXPECT_EQ(radios[3]->FTag, 0);
    radios[3]->SetChecked(true);
    for (int chosen = 0; chosen < 3; ++chosen) {
        SCOPED_TRACE(chosen);
        radios[size_t(chosen)]->SetChecked(true);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(radios[size_t(i)]->Checked(), i == chosen) << "button " << i;
        EXPECT_TRUE(radios[3]->Checked()) << "a nameless button is never unchecked by others";
    }
    // One event per call that changed the state; the buttons cleared on the
    // way raise nothing.
    const std::vector<TLarkHTMLInputItem*> expected = {radios[3], radios[0], radios[1], radios[2]};
    EXPECT_EQ(CheckedEvents, expected);
}

TEST_F(InteractionTest, CheckingAnotherGroupLeavesThisOne)
{
    Parse(u"<input type=radio name=a checked=1><input type=radio name=b>"_s);
    const std::vector<TLarkHTMLInputItem*> radios = Inputs();
    ASSERT_EQ(radios.size(), 2u) << DumpItems(Data());
    radios[1]->SetChecked(true);
    EXPECT_TRUE(radios[0]->Checked());
    EXPECT_TRUE(radios[1]->Checked());
}

enum class Action { Space, Click, OtherKey };

struct ToggleCase
{
    const char* name;
    const char* type;
    bool before;
    Action action;
    bool after;
};

class InputToggle : public InteractionTest, public testing::WithParamInterface<ToggleCase>
{
};

TEST_P(InputToggle, ChangesCheckedState)
{
    Parse(QString::fromLatin1("<input type=%1 name=n checked=%2>")
              .arg(QLatin1String(GetParam().type), GetParam().before ? u"1"_s : u"0"_s));
    TLarkHTMLInputItem* input = Inputs().at(0);
    if (GetParam().action == Action::Click) {
        ClickOn(*input);
    } else {
        Data().SetSelectedItem(input);
        int key = GetParam().action == Action::Space ? int(Qt::Key_Space) : int(Qt::Key_Return);
        const int sent = key;
        Render.KeyDownTransfer(key, {});
        EXPECT_EQ(key, sent) << "keys are not consumed";
    }
    EXPECT_EQ(input->Checked(), GetParam().after);
    EXPECT_EQ(CheckedEvents.size(), GetParam().before != GetParam().after ? 1u : 0u);
}

const ToggleCase kToggleCases[] = {
    {"SpaceChecksBox", "checkbox", false, Action::Space, true},
    {"SpaceUnchecksBox", "checkbox", true, Action::Space, false},
    {"SpaceChecksRadio", "radio", false, Action::Space, true},
    {"SpaceLeavesCheckedRadioChecked", "radio", true, Action::Space, true},
    {"ClickUnchecksBox", "checkbox", true, Action::Click, false},
    {"ClickChecksRadio", "radio", false, Action::Click, true},
    {"ClickUnchecksCheckedRadio", "radio", true, Action::Click, false},
    {"OtherKeyIgnored", "checkbox", false, Action::OtherKey, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, InputToggle, testing::ValuesIn(kToggleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InteractionTest, SpaceWithoutSelectedInputDoesNothing)
{
    Parse(u"<a href=x>link</a> <input type=checkbox name=a>"_s);
    Data().SetSelectedItem(&Run(u"link"_s));
    int key = Qt::Key_Space;
    Render.KeyDownTransfer(key, {});
    EXPECT_FALSE(Inputs().at(0)->Checked());
    EXPECT_EQ(Changes, 0);
}

TEST_F(InteractionTest, ClickBesideEverythingClearsSelectionSilently)
{
    Parse(u"<a href=x>link</a>"_s);
    Data().SetSelectedItem(&Run(u"link"_s));
    Render.ClickTransfer(0, 1000, kArea);
    EXPECT_EQ(Data().SelectedItem(), nullptr);
    EXPECT_EQ(Changes, 0);
}

struct LinkClickCase
{
    const char* name;
    bool linkSelect;
    bool onLink;
    bool selected;
};

class LinkClick : public InteractionTest, public testing::WithParamInterface<LinkClickCase>
{
};

TEST_P(LinkClick, SelectsLinksOnlyWithLinkSelect)
{
    Render.SetLinkSelect(GetParam().linkSelect);
    Parse(u"plain <a href=x>link</a>"_s);
    TLarkHTMLItem& target = Run(GetParam().onLink ? u"link"_s : u"plain "_s);
    Data().SetSelectedItem(&Run(u"plain "_s));
    ClickOn(target);
    EXPECT_EQ(Data().SelectedItem(), GetParam().selected ? &target : nullptr);
    EXPECT_EQ(Changes, 1);
}

const LinkClickCase kLinkClickCases[] = {
    {"LinkSelectOn", true, true, true},
    {"LinkSelectOff", false, true, false},
    {"PlainTextNeverSelected", true, false, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, LinkClick, testing::ValuesIn(kLinkClickCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InteractionTest, HoverTracksTheInputUnderTheMouse)
{
    Parse(u"text <input type=checkbox name=a>"_s);
    TLarkHTMLInputItem* box = Inputs().at(0);
    const QPoint onBox = PointOn(*box).value_or(QPoint());
    const QPoint onText = PointOn(Run(u"text "_s)).value_or(QPoint());
    struct Step
    {
        const char* name;
        QPoint point;
        TLarkHTMLInputItem* active;
        int changes;
    };
    const Step steps[] = {
        {"OntoBox", onBox, box, 1},
        {"StillOnBox", onBox, box, 1},
        {"OntoText", onText, nullptr, 2},
        {"Outside", QPoint(0, 1000), nullptr, 2},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        Render.MouseMoveTransfer({}, step.point.x(), step.point.y(), kArea);
        EXPECT_EQ(Data().ActiveItem(), step.active);
        EXPECT_EQ(Changes, step.changes);
    }
}

TEST_F(InteractionTest, ValueChangeRaisesTextChangedOnlyWhenDifferent)
{
    Parse(u"<input type=checkbox name=a value=one>"_s);
    TLarkHTMLInputItem* box = Inputs().at(0);
    int textChanged = 0;
    Render.OnInputItemTextChanged = [&](QObject*, TLarkHTMLInputItem* item) {
        EXPECT_EQ(item, box);
        ++textChanged;
    };
    box->SetValue(u"one"_s);
    EXPECT_EQ(textChanged, 0);
    box->SetValue(u"two"_s);
    EXPECT_EQ(box->Value(), u"two"_s);
    EXPECT_EQ(textChanged, 1);
    EXPECT_EQ(Changes, 1);
}

// A handler that lays the document out again frees the clicked item in the
// middle of the click; nothing may touch it afterwards (the sanitizer build
// checks).
TEST_F(InteractionTest, HandlerReparsingDuringClickIsSafe)
{
    Parse(u"<input type=checkbox name=a>"_s);
    Render.OnInputItemChecked = [this](QObject*, TLarkHTMLInputItem*) { Parse(u"<input type=radio name=b>"_s); };
    ClickOn(*Inputs().at(0));
    ASSERT_EQ(Inputs().size(), 1u);
    EXPECT_EQ(Inputs().at(0)->InputType(), itRadioButton);
    EXPECT_EQ(Data().SelectedItem(), nullptr);
    EXPECT_EQ(Changes, 3);
}

} // namespace
