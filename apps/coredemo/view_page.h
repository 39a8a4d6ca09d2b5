#pragma once
// TFrameView, the page "TLarkHTMLView": the view on the left shows the
// snippet typed into the memo on the right, re-rendered after every change;
// the strip sets its line gap, transparency and gradient.

#include "page_frame.h"

class QCheckBox;
class QPlainTextEdit;
class QSlider;
class QSplitter;

namespace lark {

class TLarkHTMLView;

class TFrameView : public demo::TPageFrame
{
    Q_OBJECT

public:
    explicit TFrameView(QWidget* parent = nullptr);

    TLarkHTMLView* View() const { return LarkHTMLView1; }
    QPlainTextEdit* Memo() const { return Memo1; }
    QCheckBox* TransparentCheckBox() const { return CheckBox1; }
    QCheckBox* GradientCheckBox() const { return CheckBox2; }
    QSlider* LineGapTrackBar() const { return TrackBar1; }

    // The snippet both the view and the memo start with, one line per memo line.
    static QStringList Snippet();

protected:
    void ApplyThemeColors() override;

private:
    void Memo1Change();
    void CheckBox1Click();
    void CheckBox2Click();
    void TrackBar1Change();

    QSplitter* Splitter1 = nullptr;
    TLarkHTMLView* LarkHTMLView1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QSlider* TrackBar1 = nullptr;
};

} // namespace lark
