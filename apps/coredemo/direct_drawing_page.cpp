#include "direct_drawing_page.h"

#include "demo_widgets.h"
#include "themes.h"

#include <lark/framework/canvas.h>
#include <lark/html/render.h>

#include <QBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include <exception>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr int kMemoHeight = 72;

} // namespace

TFrameDirectDraw::TFrameDirectDraw(QWidget* parent)
    : TPageFrame(parent)
{
    setObjectName(u"FrameDirectDraw"_s);

    PaintBox1 = new demo::TPaintBox(Panel3);
    PaintBox1->setObjectName(u"PaintBox1"_s);
    PaintBox1->setGeometry(32, 32, 433, 289);

    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setFixedHeight(kMemoHeight);
    Memo1->setPlainText(Snippet());
    Button1 = new QPushButton(u"Draw html text on panel's canvas"_s, Panel1);
    Button1->setObjectName(u"Button1"_s);
    QBoxLayout* row = AddStripRow();
    row->addWidget(Memo1, 1);
    row->addWidget(Button1, 0, Qt::AlignTop);
    connect(Button1, &QPushButton::clicked, this, &TFrameDirectDraw::Button1Click);
    ApplyThemeColors();
}

void TFrameDirectDraw::ApplyThemeColors()
{
    // White, or the dark theme's colours, under the theme's text colour.
    Panel3->SetColor(demo::ThemedColor(clWhite, clBtnFace));
    Panel1->SetColor(demo::ThemedColor(clWhite, clBtnFace));
    if (PaintBox1->Color() != demo::ThemedColor(clWhite, clWindow))
        PaintBox1->SetColor(demo::ThemedColor(clWhite, clWindow));
}

QString TFrameDirectDraw::Snippet()
{
    return u"<font color=blue size=+3><b>Lark Skein engine</b></font><br>"
           "draws HTML on any canvas: <b>bold</b>, <i>italic</i>, <u>underlined</u> and "
           "<font color=red>coloured</font> text, lists, rules, links and even pictures with &lt;IMG&gt;"_s;
}

void TFrameDirectDraw::Button1Click()
{
    try {
        TCanvas canvas(&PaintBox1->Canvas());
        const QString text = Memo1->toPlainText().split(u'\n').join(u"\r\n"_s);
        DrawHTMLText(canvas, text, QRect(QPoint(0, 0), PaintBox1->size()), false);
    } catch (const std::exception&) {
        // A failed drawing leaves the box as it was.
    }
    PaintBox1->update();
}

} // namespace lark
