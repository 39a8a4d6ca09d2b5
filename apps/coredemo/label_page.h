#pragma once
// TFrameLabel, the page "TLarkHTMLLabel": three labels on the display area
// (one on a gradient body with an embedded button, one transparent over a
// hatched shape, one sizing itself to its text), a memo listing parsed tags,
// and a strip of settings applied to all three labels live.

#include "page_frame.h"

#include <lark/html/model/items.h>

class QCheckBox;
class QPlainTextEdit;
class QSlider;

namespace lark {

class TLarkHTMLLabel;
class TStringList;
class TfrmImages;

namespace demo {
class TColorBox;
class TShape;
} // namespace demo

class TFrameLabel : public demo::TPageFrame
{
    Q_OBJECT

public:
    TFrameLabel(TfrmImages* images, QWidget* parent = nullptr);

    TLarkHTMLLabel* Label(int number) const;
    QPlainTextEdit* Memo() const { return tpMemo; }
    QCheckBox* XTagCheckBox() const { return xtagCheckBox; }
    QCheckBox* TrackParamsCheckBox() const { return tpCheckBox; }
    QCheckBox* IsHTMLCheckBox() const { return ishtmlCheckBox; }
    QCheckBox* WordWrapCheckBox() const { return wwCheckbox; }
    QCheckBox* AutoSizeCheckBox() const { return asCheckBox; }
    demo::TColorBox* LinkColorBox() const { return ColorBox1; }
    QSlider* LineGapTrackBar() const { return TrackBar1; }
    QSlider* PaddingTrackBar() const { return TrackBar2; }

    static QString Label1Caption();
    static QString Label2Caption();
    static QString Label3Caption();

protected:
    void ApplyThemeColors() override;

private:
    void CreateLabels(TfrmImages* images);
    void CreateStrip();
    QList<TLarkHTMLLabel*> Labels() const { return { LarkHTMLLabel1, LarkHTMLLabel2, LarkHTMLLabel3 }; }

    void LarkHTMLLabel1TagFound(QString& tag, TStringList* params, bool aClosing, bool aSupported);
    void xtagCheckBoxClick();
    void tpCheckBoxClick();
    void ishtmlCheckBoxClick();
    void wwCheckboxClick();
    void asCheckBoxClick();
    void ColorBox1CloseUp();
    void TrackBar1Change();
    void TrackBar2Change();
    void LarkHTMLLabel2LinkClick(const QString& hRef);
    void LarkHTMLLabel1ControlCreated(QWidget* aControl);
    void EmbeddedControlClick(QWidget* control);

    TLarkHTMLLabel* LarkHTMLLabel1 = nullptr;
    demo::TShape* Shape1 = nullptr;
    TLarkHTMLLabel* LarkHTMLLabel2 = nullptr;
    TLarkHTMLLabel* LarkHTMLLabel3 = nullptr;
    QPlainTextEdit* tpMemo = nullptr;
    QCheckBox* xtagCheckBox = nullptr;
    QCheckBox* tpCheckBox = nullptr;
    QCheckBox* ishtmlCheckBox = nullptr;
    QCheckBox* wwCheckbox = nullptr;
    QCheckBox* asCheckBox = nullptr;
    demo::TColorBox* ColorBox1 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QSlider* TrackBar2 = nullptr;
};

} // namespace lark
