#include "list_box_page.h"

#include "color_box.h"
#include "db_templates_page.h"
#include "demo_messages.h"
#include "image_lists.h"

#include <lark/controls/html_list_box.h>
#include <lark/html/host/options.h>

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr TColor kSelectedColor = 0xE2E2E2;

} // namespace

TFrameListbox::TFrameListbox(TfrmImages* images, QWidget* parent)
    : TPageFrame(parent)
{
    setObjectName(u"FrameListbox"_s);
    // The strip's edit is read by the first list's variable from its first
    // paint on.
    CreateStrip();
    CreateListBoxes(images);
}

QStringList TFrameListbox::ListBox1Items()
{
    static constexpr const char* kColors[] = { "clRed", "clBlue", "clGreen" };
    QStringList items{ u"<p align=center><b>TLarkHTMLListBox</b></p>"_s };
    for (int number = 1; number <= 12; ++number) {
        QString item = u"<font color=%1>Item <b>%2</b></font>"_s.arg(QLatin1StringView(kColors[(number - 1) % 3]))
                           .arg(number);
        if (number == 1)
            item += u" with <a href=\"Item1\">some link</a>"_s;
        else if (number == 2)
            item += u" with <a href=\"Item2\">another link</a>"_s;
        else if (number == 3)
            item += u": <~~var>"_s;
        else if (number <= 7)
            item += u" <img src=\"index:%1\">"_s.arg(number - 4);
        items << item;
    }
    return items;
}

QStringList TFrameListbox::ListBox2Items()
{
    return {
        u"<p align=center><b>TLarkHTMLListBox with multiline items</b></p>"_s,
        u"<b>Item 1</b><br><i>rows grow with their text</i>"_s,
        u"<a href=\"item2\">Item 2</a><br><i>Right click on link above to see link popup menu</i>"_s,
        u"<ind width=\"20\"><b>Item 3</b><br><ind width=\"20\"><i>indented by 20 pixels</i>"_s,
        u"<b>Item 4</b><br><i>the focused row has a beveled frame</i>"_s,
        u"<b>Item 5</b><br><i><font color=clMaroon>colours</font> and <u>styles</u> per row</i>"_s,
        u"<b>Item 6</b><br><i>a long second line wraps at the width of the list box</i>"_s,
        u"<b>Item 7</b><br><i>the last one</i>"_s,
    };
}

void TFrameListbox::CreateListBoxes(TfrmImages* images)
{
    PopupMenu1 = demo::CreateLinkPopupMenu(this);

    LarkHTMLListBox1 = new TLarkHTMLListBox(Panel3);
    LarkHTMLListBox1->setObjectName(u"LarkHTMLListBox1"_s);
    LarkHTMLListBox1->setGeometry(16, 16, 209, 161);
    LarkHTMLListBox1->setFrameShape(QFrame::NoFrame);
    LarkHTMLListBox1->SetBeveledFocus(false);
    LarkHTMLListBox1->SetBevelFocusShadowColor(clWhite);
    LarkHTMLListBox1->SetBevelFocusLightColor(clSilver);
    LarkHTMLListBox1->SetSelectedColor(kSelectedColor);
    LarkHTMLListBox1->SetImageList(images ? images->ImageList() : nullptr);
    LarkHTMLListBox1->SetMultiLine(true);
    LarkHTMLListBox1->Options()->SetLineGap(2);
    LarkHTMLListBox1->OnGetVariable = [this](QObject*, const QString&, QString& aVarValue) {
        aVarValue = Edit1->text();
    };

    LarkHTMLListBox2 = new TLarkHTMLListBox(Panel3);
    LarkHTMLListBox2->setObjectName(u"LarkHTMLListBox2"_s);
    LarkHTMLListBox2->setGeometry(239, 16, 241, 233);
    LarkHTMLListBox2->SetBeveledFocus(true);
    LarkHTMLListBox2->SetBevelFocusShadowColor(clSilver);
    LarkHTMLListBox2->SetSelectedColor(kSelectedColor);
    LarkHTMLListBox2->SetMultiLine(true);
    LarkHTMLListBox2->Options()->SetLineGap(2);
    // What the second row promises.
    LarkHTMLListBox2->SetLinkPopupMenu(PopupMenu1);

    for (TLarkHTMLListBox* list : { LarkHTMLListBox1, LarkHTMLListBox2 }) {
        list->OnLinkClick = [this](QObject*, const QString& hRef) { LarkHTMLListBox1LinkClick(hRef); };
        list->Options()->SetLinkColor(ColorBox1->Selected());
    }
    for (const QString& item : ListBox1Items())
        LarkHTMLListBox1->Items().Add(item);
    for (const QString& item : ListBox2Items())
        LarkHTMLListBox2->Items().Add(item);
}

void TFrameListbox::CreateStrip()
{
    ColorBox1 = new demo::TColorBox(demo::TColorBox::cbStandardColors | demo::TColorBox::cbExtendedColors |
                                        demo::TColorBox::cbSystemColors,
                                    Panel1);
    ColorBox1->setObjectName(u"ColorBox1"_s);
    ColorBox1->SetSelected(clBlue);
    Edit1 = new QLineEdit(u"put some text here"_s, Panel1);
    Edit1->setObjectName(u"Edit1"_s);
    ColorBox2 = new demo::TColorBox(demo::TColorBox::cbStandardColors | demo::TColorBox::cbExtendedColors |
                                        demo::TColorBox::cbSystemColors | demo::TColorBox::cbCustomColor,
                                    Panel1);
    ColorBox2->setObjectName(u"ColorBox2"_s);
    ColorBox2->SetSelected(clScrollBar);

    // The colours side by side, the variable's text below with room to type.
    QBoxLayout* colors = AddStripRow();
    colors->addWidget(StripLabel(u"Link color"_s));
    colors->addWidget(ColorBox1);
    colors->addSpacing(8);
    colors->addWidget(StripLabel(u"Selected item color"_s));
    colors->addWidget(ColorBox2);
    colors->addStretch(1);
    QBoxLayout* variable = AddStripRow();
    variable->addWidget(StripLabel(u"Var value"_s));
    variable->addWidget(Edit1, 1);
    variable->addStretch(1);

    connect(ColorBox1, &demo::TColorBox::colorSelected, this, &TFrameListbox::ColorBox1Change);
    connect(ColorBox2, &demo::TColorBox::colorSelected, this, &TFrameListbox::ColorBox2Change);
    connect(Edit1, &QLineEdit::textChanged, this, &TFrameListbox::Edit1Change);
}

void TFrameListbox::ColorBox1Change()
{
    for (TLarkHTMLListBox* list : { LarkHTMLListBox1, LarkHTMLListBox2 })
        list->Options()->SetLinkColor(ColorBox1->Selected());
}

void TFrameListbox::ColorBox2Change()
{
    for (TLarkHTMLListBox* list : { LarkHTMLListBox1, LarkHTMLListBox2 })
        list->SetSelectedColor(ColorBox2->Selected());
}

void TFrameListbox::Edit1Change()
{
    LarkHTMLListBox1->DoUpdate();
}

void TFrameListbox::LarkHTMLListBox1LinkClick(const QString& hRef)
{
    demo::ShowMessage(this, u"You clicked link with href = "_s + hRef);
}

} // namespace lark
