// Moving the selection: Tab and Shift+Tab through the focusable items,
// stepping through link items, and finding inputs by name.
#include "html/interaction_fixture.h"

#include <gtest/gtest.h>

using namespace lark;
using namespace Qt::StringLiterals;
using lark::test::DumpItems;
using lark::test::InteractionTest;

namespace {

// Focusable items: the link "one", the check box, the link "two".
const QString kThreeFocusable = u"<a href=1>one</a> <input type=checkbox name=c> <a href=2>two</a>"_s;

struct TabCase
{
    const char* name;
    int selected; // position in ControlsArray, -1 for nothing
    int key;
    TShiftState shift;
    int expected; // -1 for nothing
};

class TabNavigation : public InteractionTest, public testing::WithParamInterface<TabCase>
{
};

TEST_P(TabNavigation, MovesThroughFocusableItemsAndRaisesOneChange)
{
    Parse(kThreeFocusable);
    const QList<TLarkHTMLItem*>& focusable = Data().ControlsArray();
    ASSERT_EQ(focusable.size(), 3) << DumpItems(Data());
    const auto at = [&](int i) { return i < 0 ? nullptr : focusable.at(i); };
    Data().SetSelectedItem(at(GetParam().selected));
    int key = GetParam().key;
    Render.KeyDownTransfer(key, GetParam().shift);
    EXPECT_EQ(Data().SelectedItem(), at(GetParam().expected));
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(key, GetParam().key);
}

const TabCase kTabCases[] = {
    {"NothingSelectedSelectsFirst", -1, Qt::Key_Tab, {}, 0},
    {"Next", 0, Qt::Key_Tab, {}, 1},
    {"LastWrapsToFirst", 2, Qt::Key_Tab, {}, 0},
    {"ShiftTabPrevious", 2, Qt::Key_Tab, {ssShift}, 1},
    {"ShiftTabFirstWrapsToLast", 0, Qt::Key_Tab, {ssShift}, 2},
    {"ShiftTabNothingSelectedSelectsLast", -1, Qt::Key_Tab, {ssShift}, 2},
    {"BacktabIsShiftTab", 1, Qt::Key_Backtab, {ssShift}, 0},
    {"BacktabWithoutShiftStillGoesBack", 1, Qt::Key_Backtab, {}, 0},
    {"CtrlTabStays", 1, Qt::Key_Tab, {ssCtrl}, 1},
    {"CtrlShiftTabStays", 1, Qt::Key_Tab, {ssCtrl, ssShift}, 1},
    {"AltTabStays", 1, Qt::Key_Tab, {ssAlt}, 1},
    {"MetaTabStays", 1, Qt::Key_Tab, {ssMeta}, 1},
    {"MouseButtonHeldStays", -1, Qt::Key_Tab, {ssLeft}, -1},
};

INSTANTIATE_TEST_SUITE_P(Rows, TabNavigation, testing::ValuesIn(kTabCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InteractionTest, TabInEmptyDocumentOnlyRaisesChange)
{
    Parse(u"no focusable items"_s);
    int key = Qt::Key_Tab;
    Render.KeyDownTransfer(key, {});
    EXPECT_EQ(Data().SelectedItem(), nullptr);
    EXPECT_EQ(Changes, 1);
}

TEST_F(InteractionTest, LinkSteppingVisitsEveryLinkItemWithoutWrapping)
{
    // The first link is split into two runs by the bold tag.
    Parse(u"<a href=x>a<b>b</b></a> c <a href=y>d</a>"_s);
    TLarkHTMLItem* a = &Run(u"a"_s);
    TLarkHTMLItem* b = &Run(u"b"_s);
    TLarkHTMLItem* d = &Run(u"d"_s);

    Render.SelectPrevLink();
    EXPECT_EQ(Data().SelectedItem(), nullptr) << "previous with nothing selected";

    TLarkHTMLItem* const forward[] = {a, b, d, d};
    for (TLarkHTMLItem* expected : forward) {
        Render.SelectNextLink();
        EXPECT_EQ(Data().SelectedItem(), expected);
    }
    TLarkHTMLItem* const backward[] = {b, a, a};
    for (TLarkHTMLItem* expected : backward) {
        Render.SelectPrevLink();
        EXPECT_EQ(Data().SelectedItem(), expected);
    }
    EXPECT_EQ(Changes, 0);
}

TEST_F(InteractionTest, SelectLinkAtSelectsAnyItemOrNothing)
{
    Parse(u"plain <a href=x>link</a>"_s);
    TLarkHTMLItem& plain = Run(u"plain "_s);
    Render.SelectLinkAt(PointOn(plain).value_or(QPoint()), QPoint(), kArea);
    EXPECT_EQ(Data().SelectedItem(), &plain);
    Render.SelectLinkAt(QPoint(0, 1000), QPoint(), kArea);
    EXPECT_EQ(Data().SelectedItem(), nullptr);
}

//---- FindInputItemByName ----------------------------------------------------

struct FindCase
{
    const char* name;
    QString find;
    int from;     // input number to search after, -1 for nullptr, -2 for a text run
    int expected; // input number, -1 for none
};

class FindInputByName : public InteractionTest, public testing::WithParamInterface<FindCase>
{
};

TEST_P(FindInputByName, FindsTheNextInputOfThatName)
{
    // Inputs 0..3; the name "Upper" is stored in lower case.
    Parse(u"x <input type=checkbox name=a><input type=checkbox name=Upper>"
          u"<input type=radio name=a><a href=l>link</a><input type=checkbox name=last>"_s);
    const std::vector<TLarkHTMLInputItem*> inputs = Inputs();
    ASSERT_EQ(inputs.size(), 4u) << DumpItems(Data());
    const TLarkHTMLItem* from = GetParam().from >= 0 ? inputs[size_t(GetParam().from)]
                               : GetParam().from == -2 ? &Run(u"x "_s)
                                                       : nullptr;
    const TLarkHTMLInputItem* expected = GetParam().expected >= 0 ? inputs[size_t(GetParam().expected)] : nullptr;
    EXPECT_EQ(Render.FindInputItemByName(GetParam().find, from), expected);
}

const FindCase kFindCases[] = {
    {"FromNothingFindsFirst", u"a"_s, -1, 0},
    {"AfterFirstFindsNext", u"a"_s, 0, 2},
    {"AfterLastOfNameFindsNone", u"a"_s, 2, -1},
    {"FromLastFocusableFindsNone", u"last"_s, 3, -1},
    {"FromUnlistedItemStartsAtTop", u"a"_s, -2, 0},
    {"CapitalsNeverMatch", u"Upper"_s, -1, -1},
    {"LowerCaseNameMatches", u"upper"_s, -1, 1},
    {"UnknownName", u"b"_s, -1, -1},
    {"EmptyName", QString(), -1, -1},
};

INSTANTIATE_TEST_SUITE_P(Rows, FindInputByName, testing::ValuesIn(kFindCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
