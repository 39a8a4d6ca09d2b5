#include "label_page.h"

#include "color_box.h"
#include "demo_messages.h"
#include "demo_widgets.h"
#include "image_lists.h"
#include "themes.h"

#include <lark/controls/label.h>
#include <lark/framework/font.h>
#include <lark/framework/string_list.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>

#include <utility>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr int kLabel1Width = 196;
constexpr int kLabel2Width = 201;
constexpr int kMemoHeight = 89;

void SetTahoma(TFont& font, int height, TColor color)
{
    font.SetName(u"Tahoma"_s);
    font.SetHeight(height);
    font.SetColor(color);
}

} // namespace

TFrameLabel::TFrameLabel(TfrmImages* images, QWidget* parent)
    : TPageFrame(parent)
{
    setObjectName(u"FrameLabel"_s);
    tpMemo = new QPlainTextEdit(this);
    tpMemo->setObjectName(u"tpMemo"_s);
    tpMemo->setFixedHeight(kMemoHeight);
    tpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tpMemo->setPlainText(u"Check \"Track params\" checkbox to see parsed tags' params for left upper label."_s);
    PageLayout()->insertWidget(1, tpMemo);

    // The labels' tag handler reads the strip's check boxes and writes to the
    // memo from the first parse on.
    CreateStrip();
    CreateLabels(images);
    ApplyThemeColors();
}

QString TFrameLabel::Label1Caption()
{
    // The text lets the gradient show between its letters (bgcolor=clNone).
    return u"<body bgcolor=clInfoBk bgcolorto=clWindow dir=v><font bgcolor=clNone>"
           "<p align=center><b>TLarkHTMLLabel</b><br><hr lightcolor=silver shadowcolor=silver><p align=left>"
           "Supports <b>all</b> features of <x>Lark</x> Skein engine, including "
           "<a href=\"3\">embedded controls</a>.<br><br>"
           "This label paints its vertical gradient with the body tag. "
           "<control vclclass=\"TButton\" width=\"40\" height=\"18\" name=\"_button\" caption=\"btn\">"
           "</font>"_s;
}

QString TFrameLabel::Label2Caption()
{
    return u"<b>TLarkHTMLLabel</b><hr>"
           "<x>Transparent one</x><br>"
           "<a href=\"1\">Link</a> - links are yellow here: Options.LinkColor is clYellow.<br>"
           "<a href=\"2\">OnTagFound</a>"_s;
}

QString TFrameLabel::Label3Caption()
{
    return u"<b>TLarkHTMLLabel</b><hr>"
           "<x>Autosize = true</x><br>"
           "<a href=\"padding\">Padding</a> makes an auto-sized<br>label grow around its text."_s;
}

void TFrameLabel::CreateLabels(TfrmImages* images)
{
    LarkHTMLLabel1 = new TLarkHTMLLabel(Panel3);
    LarkHTMLLabel1->setObjectName(u"LarkHTMLLabel1"_s);
    LarkHTMLLabel1->setGeometry(32, 17, kLabel1Width, 162);
    // White in the light themes; the window colour of a dark one.
    LarkHTMLLabel1->SetColor(clWindow);
    LarkHTMLLabel1->Padding()->SetBounds(3, 3, 3, 3);
    LarkHTMLLabel1->SetImageList(images ? images->ImageList() : nullptr);

    Shape1 = new demo::TShape(Panel3);
    Shape1->setObjectName(u"Shape1"_s);
    Shape1->setGeometry(254, 17, 241, 162);

    LarkHTMLLabel2 = new TLarkHTMLLabel(Panel3);
    LarkHTMLLabel2->setObjectName(u"LarkHTMLLabel2"_s);
    LarkHTMLLabel2->setGeometry(273, 25, kLabel2Width, 137);
    LarkHTMLLabel2->SetTransparent(true);
    SetTahoma(LarkHTMLLabel2->Font(), -13, clWhite);
    LarkHTMLLabel2->Options()->SetLinkColor(clYellow);
    LarkHTMLLabel2->Padding()->SetBounds(3, 3, 3, 3);

    LarkHTMLLabel3 = new TLarkHTMLLabel(Panel3);
    LarkHTMLLabel3->setObjectName(u"LarkHTMLLabel3"_s);
    LarkHTMLLabel3->move(32, 203);
    LarkHTMLLabel3->SetWordWrap(false);
    LarkHTMLLabel3->SetAutoSize(true);
    SetTahoma(LarkHTMLLabel3->Font(), -15, clGray);
    LarkHTMLLabel3->Options()->SetLinkColor(clNavy);
    LarkHTMLLabel3->Padding()->SetBounds(6, 6, 6, 6);

    for (TLarkHTMLLabel* label : Labels()) {
        label->OnTagFound = [this](QObject*, QString& tag, TLarkHTMLItem*&, TStringList*& params, bool aClosing,
                                   bool aSupported) { LarkHTMLLabel1TagFound(tag, params, aClosing, aSupported); };
        label->OnLinkClick = [this](QObject*, const QString& hRef) { LarkHTMLLabel2LinkClick(hRef); };
    }
    LarkHTMLLabel1->OnControlCreated = [this](QObject*, QWidget* aControl) {
        LarkHTMLLabel1ControlCreated(aControl);
    };
    LarkHTMLLabel1->OnGetVariable = [](QObject*, const QString&, QString& aVarValue) {
        aVarValue = u"some variable value"_s;
    };

    // The handlers are in place before the first parse.
    LarkHTMLLabel1->SetCaption(Label1Caption());
    LarkHTMLLabel2->SetCaption(Label2Caption());
    LarkHTMLLabel3->SetCaption(Label3Caption());
}

void TFrameLabel::ApplyThemeColors()
{
    // Links in the label's own colour keep it on a light theme and turn to
    // the theme's link colour on a dark one; a colour chosen in the strip stays.
    const std::pair<TLarkHTMLLabel*, TColor> designed[] = { { LarkHTMLLabel1, clBlue }, { LarkHTMLLabel3, clNavy } };
    for (const auto& [label, color] : designed) {
        const TColor current = label->Options()->LinkColor();
        if (current == color || current == clHotLight)
            label->Options()->SetLinkColor(demo::ThemedColor(color, clHotLight));
    }
}

void TFrameLabel::CreateStrip()
{
    auto checkBox = [this](const QString& name, const QString& caption, bool checked) {
        auto* box = new QCheckBox(caption, Panel1);
        box->setObjectName(name);
        box->setChecked(checked);
        return box;
    };
    xtagCheckBox = checkBox(u"xtagCheckBox"_s, u"<x> tags active"_s, false);
    tpCheckBox = checkBox(u"tpCheckBox"_s, u"Track params"_s, false);
    ishtmlCheckBox = checkBox(u"ishtmlCheckBox"_s, u"html active"_s, true);
    wwCheckbox = checkBox(u"wwCheckbox"_s, u"word wrap"_s, true);
    asCheckBox = checkBox(u"asCheckBox"_s, u"autosize"_s, true);
    QBoxLayout* checks = AddStripRow();
    for (QCheckBox* box : { xtagCheckBox, tpCheckBox, ishtmlCheckBox, wwCheckbox, asCheckBox })
        checks->addWidget(box);
    checks->addStretch(1);

    ColorBox1 = new demo::TColorBox(demo::TColorBox::cbStandardColors | demo::TColorBox::cbExtendedColors |
                                        demo::TColorBox::cbSystemColors,
                                    Panel1);
    ColorBox1->setObjectName(u"ColorBox1"_s);
    ColorBox1->SetSelected(clBlue);
    TrackBar1 = demo::CreateTrackBar(0, 20, Panel1);
    TrackBar1->setObjectName(u"TrackBar1"_s);
    TrackBar2 = demo::CreateTrackBar(0, 20, Panel1);
    TrackBar2->setObjectName(u"TrackBar2"_s);
    QBoxLayout* settings = AddStripRow();
    settings->addWidget(StripLabel(u"Link color"_s));
    settings->addWidget(ColorBox1);
    settings->addSpacing(8);
    settings->addWidget(StripLabel(u"Line gap"_s));
    settings->addWidget(TrackBar1, 1);
    settings->addSpacing(8);
    settings->addWidget(StripLabel(u"Padding"_s));
    settings->addWidget(TrackBar2, 1);

    connect(xtagCheckBox, &QCheckBox::clicked, this, &TFrameLabel::xtagCheckBoxClick);
    connect(tpCheckBox, &QCheckBox::clicked, this, &TFrameLabel::tpCheckBoxClick);
    connect(ishtmlCheckBox, &QCheckBox::clicked, this, &TFrameLabel::ishtmlCheckBoxClick);
    connect(wwCheckbox, &QCheckBox::clicked, this, &TFrameLabel::wwCheckboxClick);
    connect(asCheckBox, &QCheckBox::clicked, this, &TFrameLabel::asCheckBoxClick);
    connect(ColorBox1, &demo::TColorBox::colorSelected, this, &TFrameLabel::ColorBox1CloseUp);
    connect(TrackBar1, &QSlider::valueChanged, this, &TFrameLabel::TrackBar1Change);
    connect(TrackBar2, &QSlider::valueChanged, this, &TFrameLabel::TrackBar2Change);
}

TLarkHTMLLabel* TFrameLabel::Label(int number) const
{
    return Labels().value(number - 1);
}

void TFrameLabel::LarkHTMLLabel1TagFound(QString& tag, TStringList* params, bool aClosing, bool aSupported)
{
    if (tpCheckBox->isChecked() && params && params->Count() > 0) {
        tpMemo->appendPlainText(tag);
        for (int i = 0; i < params->Count(); ++i)
            tpMemo->appendPlainText((*params)[i]);
        tpMemo->appendPlainText(u"---"_s);
    }
    // The unknown <x> of the captions becomes bold on request.
    if (xtagCheckBox->isChecked() && !aSupported)
        tag = aClosing ? u"/b"_s : u"b"_s;
}

void TFrameLabel::xtagCheckBoxClick()
{
    for (TLarkHTMLLabel* label : Labels())
        label->DoUpdate();
}

void TFrameLabel::tpCheckBoxClick()
{
    if (!tpCheckBox->isChecked())
        return;
    tpMemo->clear();
    LarkHTMLLabel1->DoUpdate();
}

void TFrameLabel::ishtmlCheckBoxClick()
{
    for (TLarkHTMLLabel* label : Labels())
        label->SetIsHTML(ishtmlCheckBox->isChecked());
}

void TFrameLabel::wwCheckboxClick()
{
    for (TLarkHTMLLabel* label : Labels())
        label->SetWordWrap(wwCheckbox->isChecked());
}

void TFrameLabel::asCheckBoxClick()
{
    for (TLarkHTMLLabel* label : Labels())
        label->SetAutoSize(asCheckBox->isChecked());
    LarkHTMLLabel1->resize(kLabel1Width, LarkHTMLLabel1->height());
    LarkHTMLLabel2->resize(kLabel2Width, LarkHTMLLabel2->height());
}

void TFrameLabel::ColorBox1CloseUp()
{
    for (TLarkHTMLLabel* label : Labels())
        label->Options()->SetLinkColor(ColorBox1->Selected());
}

void TFrameLabel::TrackBar1Change()
{
    for (TLarkHTMLLabel* label : Labels())
        label->Options()->SetLineGap(TrackBar1->value());
}

void TFrameLabel::TrackBar2Change()
{
    const int padding = TrackBar2->value();
    LarkHTMLLabel3->Padding()->SetBounds(padding, padding, padding, padding);
}

void TFrameLabel::LarkHTMLLabel2LinkClick(const QString& hRef)
{
    if (hRef == u"2"_s) {
        demo::ShowMessage(this, u"OnTagFound event allows to handle unsupported tags. For example, some text in this "
                                "demo contains <x> tag which is replaced by <b> on the fly, if \"<x> tags active\" "
                                "checkbox is checked"_s);
    } else if (hRef == u"3"_s) {
        demo::ShowMessage(this, u"Lark HTML engine allows to incorporate any control within html text"_s);
    } else {
        demo::ShowMessage(this, u"Just some link."_s);
    }
}

void TFrameLabel::LarkHTMLLabel1ControlCreated(QWidget* aControl)
{
    demo::OnControlClick(aControl, [this, aControl] { EmbeddedControlClick(aControl); });
}

void TFrameLabel::EmbeddedControlClick(QWidget* control)
{
    demo::ShowMessage(this, u"You clicked \"%1\" control"_s.arg(control->objectName()));
}

} // namespace lark
