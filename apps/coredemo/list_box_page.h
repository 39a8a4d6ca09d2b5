#pragma once
// TFrameListbox, the page "TLarkHTMLListBox": a list of one-line HTML rows
// with links, images and a variable taken from the strip's "Var value", and
// a list of two-line rows with a beveled focus frame and a link menu; the
// strip sets their link and selection colours.

#include "page_frame.h"

class QLineEdit;
class QMenu;

namespace lark {

class TLarkHTMLListBox;
class TfrmImages;

namespace demo {
class TColorBox;
}

class TFrameListbox : public demo::TPageFrame
{
    Q_OBJECT

public:
    explicit TFrameListbox(TfrmImages* images, QWidget* parent = nullptr);

    TLarkHTMLListBox* ListBox(int number) const { return number == 1 ? LarkHTMLListBox1 : LarkHTMLListBox2; }
    demo::TColorBox* LinkColorBox() const { return ColorBox1; }
    QLineEdit* VarValueEdit() const { return Edit1; }
    demo::TColorBox* SelectedColorBox() const { return ColorBox2; }

    static QStringList ListBox1Items();
    static QStringList ListBox2Items();

private:
    void CreateListBoxes(TfrmImages* images);
    void CreateStrip();
    void ColorBox1Change();
    void ColorBox2Change();
    void Edit1Change();
    void LarkHTMLListBox1LinkClick(const QString& hRef);

    TLarkHTMLListBox* LarkHTMLListBox1 = nullptr;
    TLarkHTMLListBox* LarkHTMLListBox2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    demo::TColorBox* ColorBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    demo::TColorBox* ColorBox2 = nullptr;
};

} // namespace lark
