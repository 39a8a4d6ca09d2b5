// The defaults of the controls' published settings: what a new control
// holds, what Qt Designer's "restore default" (each property's RESET) sets,
// and the one table both come from.
#include "support/property_checks.h"

#include <lark/controls/control_defaults.h>
#include <lark/controls/html_list_box.h>
#include <lark/controls/item_delegate.h>
#include <lark/controls/label.h>
#include <lark/controls/list_box.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace lark {
namespace {

struct ControlCase
{
    const char* name;
    std::function<std::unique_ptr<QObject>()> make;
    // The least number of resettable properties the control publishes, so
    // that a control whose RESET lines went missing fails.
    int minResettable;
};

const ControlCase kControls[] = {
    {"Label", [] { return std::make_unique<TLarkHTMLLabel>(); }, 16},
    {"Panel", [] { return std::make_unique<TLarkHTMLPanel>(); }, 19},
    {"View", [] { return std::make_unique<TLarkHTMLView>(); }, 14},
    {"ListBox", [] { return std::make_unique<TLarkCustomListBox>(); }, 26},
    {"HTMLListBox", [] { return std::make_unique<TLarkHTMLListBox>(); }, 31},
    {"ItemDelegate", [] { return std::make_unique<TLarkHTMLItemDelegate>(); }, 2},
};

class ControlDefaultsTest : public testing::TestWithParam<ControlCase>
{
};

TEST_P(ControlDefaultsTest, ResetOnANewControlChangesNothing)
{
    const std::unique_ptr<QObject> control = GetParam().make();
    EXPECT_GE(test::ExpectFreshResetsKeepValues(*control), GetParam().minResettable);
}

INSTANTIATE_TEST_SUITE_P(Controls, ControlDefaultsTest, testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

// The table is what the controls hold when new.
TEST(ControlDefaults, NewControlsHoldTheTable)
{
    TLarkHTMLLabel label;
    EXPECT_EQ(label.Alignment(), TLabelDefaults::Alignment);
    EXPECT_EQ(label.DoubleBuffered(), TLabelDefaults::DoubleBuffered);
    EXPECT_EQ(label.size(), QSize(TLabelDefaults::Width, TLabelDefaults::Height));
    EXPECT_EQ(label.CheckStorageLinks(), THostDefaults::CheckStorageLinks);

    TLarkHTMLPanel panel;
    EXPECT_EQ(panel.Alignment(), TPanelDefaults::Alignment);
    EXPECT_EQ(panel.BevelOuter(), TPanelDefaults::BevelOuter);
    EXPECT_EQ(panel.Color(), TPanelDefaults::Color);
    EXPECT_EQ(panel.size(), QSize(TPanelDefaults::Width, TPanelDefaults::Height));

    TLarkHTMLView view;
    EXPECT_EQ(view.Margin(), TViewDefaults::Margin);
    EXPECT_EQ(view.GradientSteps(), TViewDefaults::GradientSteps);
    EXPECT_EQ(view.BorderStyle(), TLarkCustomHTMLView::DefaultBorderStyle);

    TLarkHTMLListBox list;
    EXPECT_EQ(list.ItemAutoHeight(), THTMLListBoxDefaults::ItemAutoHeight);
    EXPECT_NE(list.ItemAutoHeight(), TListBoxDefaults::ItemAutoHeight) << "HTML rows are as high as their documents";
    EXPECT_EQ(list.ItemHeight(), TListBoxDefaults::ItemHeight);
    EXPECT_EQ(list.LargeTextOptions(), TLarkCustomListBox::DefaultLargeTextOptions);
}

} // namespace
} // namespace lark
