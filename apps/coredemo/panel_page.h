#pragma once
// TFramePanel, the page "TLarkHTMLPanel": an opaque panel showing pictures
// from files and from the image list, and one in its parent's colour; the
// strip sets the line gap of both.

#include "page_frame.h"

class QSlider;

namespace lark {

class TLarkHTMLPanel;
class TfrmImages;

class TFramePanel : public demo::TPageFrame
{
    Q_OBJECT

public:
    explicit TFramePanel(TfrmImages* images, QWidget* parent = nullptr);

    TLarkHTMLPanel* Panel(int number) const { return number == 1 ? LarkHTMLPanel1 : LarkHTMLPanel2; }
    QSlider* LineGapTrackBar() const { return TrackBar1; }

    static QString Panel1Caption();
    static QString Panel2Caption();

private:
    void TrackBar1Change();

    TLarkHTMLPanel* LarkHTMLPanel1 = nullptr;
    TLarkHTMLPanel* LarkHTMLPanel2 = nullptr;
    QSlider* TrackBar1 = nullptr;
};

} // namespace lark
