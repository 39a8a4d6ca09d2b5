// Forms with every widget, compiled by uic into this test: every property
// the form sets reaches the widget. lark_form.ui has uic call the widgets'
// Qt-named setters; lark_form_saved.ui is the same form as Designer saves it
// (properties set through setProperty).
#include "ui_lark_form.h"
#include "ui_lark_form_saved.h"

#include <lark/html/render.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

template <class Ui>
void CheckForm(Ui& ui)
{
    QWidget form;
    ui.setupUi(&form);

    EXPECT_EQ(ui.label->Caption(), u"<b>Lark</b> label"_s);
    EXPECT_EQ(ui.label->Alignment(), taCenter);
    EXPECT_EQ(ui.label->Layout(), tlBottom);
    EXPECT_EQ(ui.label->Color(), clBtnFace);
    EXPECT_FALSE(ui.label->ParentColor());
    EXPECT_FALSE(ui.label->WordWrap());
    EXPECT_EQ(ui.label->PlainText(), u"Lark label"_s);
    // Options and Padding, set one part at a time.
    EXPECT_EQ(ui.label->Options()->LinkColor(), clHotLight);
    EXPECT_EQ(ui.label->Options()->LineGap(), 2);
    EXPECT_EQ(ui.label->Options()->LinkStyleFlags(), TLarkHTMLOptions::lsBold | TLarkHTMLOptions::lsUnderline);
    EXPECT_EQ(ui.label->Padding()->Margins(), QMargins(4, 3, 2, 0));

    EXPECT_EQ(ui.panel->Caption(), u"<i>Lark</i> panel"_s);
    EXPECT_EQ(ui.panel->BevelOuter(), bvLowered);
    EXPECT_EQ(ui.panel->BorderWidth(), 3);
    EXPECT_EQ(ui.panel->Color(), RGB(10, 20, 30));

    EXPECT_EQ(ui.view->Caption(), u"A <u>view</u>"_s);
    EXPECT_EQ(ui.view->BackgroundType(), bgtVertGradient);
    EXPECT_EQ(ui.view->GradientSteps(), 8);
    EXPECT_EQ(ui.view->GradientStartColor(), RGB(200, 100, 50));
    // Picked first, then a system colour chosen: the system colour.
    EXPECT_EQ(ui.view->GradientEndColor(), clHighlight);
    EXPECT_EQ(ui.view->Options()->LinkColor(), RGB(0, 128, 0));
    EXPECT_EQ(ui.view->Options()->LinkStyleFlags(), TLarkHTMLOptions::TLinkStyleFlags(TLarkHTMLOptions::lsItalic));
    const int margin = ui.view->Padding()->DefaultMargin();
    EXPECT_EQ(ui.view->Padding()->Margins(), QMargins(6, margin, margin, margin));

    EXPECT_EQ(ui.listBox->Items().ToStringList(), (QStringList{u"<b>first</b> row"_s, u"second row"_s}));
    EXPECT_TRUE(ui.listBox->MultiLine());
    EXPECT_EQ(ui.listBox->SelectedColor(), RGB(255, 200, 0));
    EXPECT_EQ(ui.listBox->HorzGridColor(), clBtnShadow);

    EXPECT_EQ(ui.dbLabel->DataField(), u"Notes"_s);
    EXPECT_EQ(ui.dbView->DataField(), u"Body"_s);
    EXPECT_TRUE(ui.dbView->IsTemplate());
}

TEST(CompiledForm, SetsEveryPropertyOfTheForm)
{
    Ui::LarkForm ui;
    CheckForm(ui);
}

TEST(CompiledForm, SetsEveryPropertyOfTheFormAsDesignerSavesIt)
{
    Ui::LarkSavedForm ui;
    CheckForm(ui);
}

} // namespace
} // namespace lark
