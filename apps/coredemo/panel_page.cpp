#include "panel_page.h"

#include "demo_widgets.h"
#include "image_lists.h"

#include <lark/controls/panel.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>

#include <QBoxLayout>
#include <QLabel>
#include <QSlider>

using namespace Qt::StringLiterals;

namespace lark {

TFramePanel::TFramePanel(TfrmImages* images, QWidget* parent)
    : TPageFrame(parent)
{
    setObjectName(u"FramePanel"_s);

    LarkHTMLPanel1 = new TLarkHTMLPanel(Panel3);
    LarkHTMLPanel1->setObjectName(u"LarkHTMLPanel1"_s);
    LarkHTMLPanel1->setGeometry(20, 16, 237, 249);
    LarkHTMLPanel1->Padding()->SetBounds(1, 1, 1, 1);
    LarkHTMLPanel1->SetImageList(images ? images->ImageList() : nullptr);
    LarkHTMLPanel1->SetCaption(Panel1Caption());

    // In the display area's colour, as if the panel had no background of
    // its own; the picture on it is drawn without a buffer.
    LarkHTMLPanel2 = new TLarkHTMLPanel(Panel3);
    LarkHTMLPanel2->setObjectName(u"LarkHTMLPanel2"_s);
    LarkHTMLPanel2->setGeometry(280, 16, 209, 249);
    LarkHTMLPanel2->SetColor(Panel3->Color());
    LarkHTMLPanel2->SetDoubleBuffered(false);
    LarkHTMLPanel2->SetCaption(Panel2Caption());

    TrackBar1 = demo::CreateTrackBar(0, 20, Panel1);
    TrackBar1->setObjectName(u"TrackBar1"_s);
    QBoxLayout* row = AddStripRow();
    row->addWidget(StripLabel(u"Line gap"_s));
    row->addWidget(TrackBar1, 1);
    row->addStretch(2);
    connect(TrackBar1, &QSlider::valueChanged, this, &TFramePanel::TrackBar1Change);
}

QString TFramePanel::Panel1Caption()
{
    return u"<p align=center><b>TLarkHTMLPanel</b></p><hr>"
           "<p align=left>Pictures come from files and from the program: "
           "<b>file:</b>logo.png loads a picture from a file, <b>res:</b>name one built into "
           "the program.</p>"
           "<p align=center><img src=\"file:logo.png\"></p>"
           "<p align=left>Image list support: <img src=\"index:0\"> <img src=\"index:1\"></p>"_s;
}

QString TFramePanel::Panel2Caption()
{
    return u"<p align=center><b>TLarkHTMLPanel</b></p><hr>"
           "<p align=left><x>This is a panel with <x>some image</x>. "
           "<i>Parentbackground</i> = true</p>"
           "<p align=center><img src=\"file:sample.png\"></p>"_s;
}

void TFramePanel::TrackBar1Change()
{
    for (TLarkHTMLPanel* panel : { LarkHTMLPanel1, LarkHTMLPanel2 })
        panel->Options()->SetLineGap(TrackBar1->value());
}

} // namespace lark
