#include "view_page.h"

#include "demo_messages.h"
#include "demo_widgets.h"
#include "themes.h"

#include <lark/controls/view.h>
#include <lark/framework/class_registry.h>
#include <lark/framework/font.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <QSplitter>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr int kViewWidth = 377;
constexpr int kGradientSteps = 64;

// The memo's lines as the view reads a memo's text: joined by CR LF.
QString MemoText(const QPlainTextEdit& memo)
{
    return memo.toPlainText().split(u'\n').join(u"\r\n"_s);
}

} // namespace

TFrameView::TFrameView(QWidget* parent)
    : TPageFrame(parent)
{
    setObjectName(u"FrameView"_s);
    // The page's snippet embeds a memo.
    ClassRegistry::Instance().RegisterClass(u"TMemo");

    LarkHTMLView1 = new TLarkHTMLView;
    LarkHTMLView1->setObjectName(u"LarkHTMLView1"_s);
    LarkHTMLView1->Font().SetName(u"Tahoma"_s);
    LarkHTMLView1->Font().SetHeight(-11);
    LarkHTMLView1->Padding()->SetBounds(2, 2, 2, 2);
    LarkHTMLView1->SetBorderStyle(bsNone);
    LarkHTMLView1->SetGradientStartColor(clInfoBk);
    LarkHTMLView1->SetGradientSteps(kGradientSteps);
    LarkHTMLView1->SetTransparent(false);
    LarkHTMLView1->SetWordWrap(true);
    LarkHTMLView1->Options()->SetLineGap(2);
    LarkHTMLView1->OnLinkClick = [this](QObject*, const QString&) {
        demo::ShowMessage(this, u"Try changing code on the right panel"_s);
    };

    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setPlainText(Snippet().join(u'\n'));
    LarkHTMLView1->SetCaption(MemoText(*Memo1));

    Splitter1 = new QSplitter(Qt::Horizontal, Panel3);
    Splitter1->setObjectName(u"Splitter1"_s);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(LarkHTMLView1);
    Splitter1->addWidget(Memo1);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({ kViewWidth, kViewWidth });
    auto* area = new QHBoxLayout(Panel3);
    area->setContentsMargins(0, 0, 0, 0);
    area->addWidget(Splitter1);

    TrackBar1 = demo::CreateTrackBar(0, 20, Panel1);
    TrackBar1->setObjectName(u"TrackBar1"_s);
    TrackBar1->setValue(2);
    CheckBox1 = new QCheckBox(u"Transparent"_s, Panel1);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    CheckBox2 = new QCheckBox(u"Use gradient"_s, Panel1);
    CheckBox2->setObjectName(u"CheckBox2"_s);
    QBoxLayout* row = AddStripRow();
    row->addWidget(StripLabel(u"Line gap"_s));
    row->addWidget(TrackBar1, 1);
    row->addSpacing(12);
    row->addWidget(CheckBox1);
    row->addWidget(CheckBox2);
    row->addStretch(1);

    connect(Memo1, &QPlainTextEdit::textChanged, this, &TFrameView::Memo1Change);
    connect(CheckBox1, &QCheckBox::clicked, this, &TFrameView::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TFrameView::CheckBox2Click);
    connect(TrackBar1, &QSlider::valueChanged, this, &TFrameView::TrackBar1Change);
    ApplyThemeColors();
}

void TFrameView::ApplyThemeColors()
{
    // The page's silver and white; on a dark theme the face colour, so that
    // the embedded memo and edit (on the window colour) stand out.
    LarkHTMLView1->SetColor(demo::ThemedColor(clSilver, clBtnFace));
    LarkHTMLView1->SetGradientEndColor(demo::ThemedColor(clWhite, clWindow));
    // Blue links vanish on a dark window; the theme's link colour does not.
    LarkHTMLView1->Options()->SetLinkColor(demo::ThemedColor(clBlue, clHotLight));
}

QStringList TFrameView::Snippet()
{
    return {
        u"<p align=center><font size=+2><b>TLarkHTMLView</b></font><br>"_s,
        u"<hr lightcolor=clWhite shadowcolor=clGray><p align=left>"_s,
        u"Scrollable view for html content. It shows documents of any length with "_s,
        u"scroll bars, keyboard and wheel scrolling, a plain, gradient or transparent background, "_s,
        u"and it may hold <a href=\"3\">embedded controls</a> too, which move with the text:<br><br>"_s,
        u"<p align=center><control vclclass=\"TMemo\" width=\"200\" height=\"200\" "_s,
        u"text=\"A memo inside the view\"><br><br>"_s,
        u"<control vclclass=\"TEdit\" width=\"200\" height=\"14\" text=\"edit control\"></p>"_s,
    };
}

void TFrameView::Memo1Change()
{
    LarkHTMLView1->SetCaption(MemoText(*Memo1));
}

void TFrameView::CheckBox1Click()
{
    LarkHTMLView1->SetTransparent(CheckBox1->isChecked());
}

void TFrameView::CheckBox2Click()
{
    LarkHTMLView1->SetBackgroundType(CheckBox2->isChecked() ? bgtHorzGradient : bgtColorFill);
}

void TFrameView::TrackBar1Change()
{
    LarkHTMLView1->Options()->SetLineGap(TrackBar1->value());
}

} // namespace lark
