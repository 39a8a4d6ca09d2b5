#pragma once
// TFrameDirectDraw, the page "Direct drawing": the snippet in the memo is
// drawn with the library's stand-alone drawing procedure onto a paint box,
// no HTML control involved.

#include "page_frame.h"

class QPlainTextEdit;
class QPushButton;

namespace lark {

namespace demo {
class TPaintBox;
}

class TFrameDirectDraw : public demo::TPageFrame
{
    Q_OBJECT

public:
    explicit TFrameDirectDraw(QWidget* parent = nullptr);

    demo::TPaintBox* PaintBox() const { return PaintBox1; }
    QPushButton* DrawButton() const { return Button1; }
    QPlainTextEdit* Memo() const { return Memo1; }

    static QString Snippet();

protected:
    void ApplyThemeColors() override;

private:
    void Button1Click();

    demo::TPaintBox* PaintBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
};

} // namespace lark
