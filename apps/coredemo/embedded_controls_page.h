#pragma once
// TControlsPanel, the page "Embedded Controls": a customer form made of
// real widgets embedded in HTML (edits, radio buttons, combo boxes, a date
// picker, a button), with switches that report clicks by the control's name
// and that name the controls from the control-created event.

#include "page_frame.h"

class QCheckBox;

namespace lark {

class TLarkHTMLPanel;

class TControlsPanel : public demo::TPageFrame
{
    Q_OBJECT

public:
    explicit TControlsPanel(QWidget* parent = nullptr);

    TLarkHTMLPanel* Panel() const { return LarkHTMLPanel1; }
    QCheckBox* ShowNameCheckBox() const { return CheckBox1; }
    QCheckBox* NameControlsCheckBox() const { return CheckBox2; }

    // Parses the form again, which creates its controls anew.
    void Reparse();

    static QString CustomerForm();

private:
    void LarkHTMLPanel1ControlCreated(QWidget* aControl);
    void EmbeddedControlClick(QWidget* control);
    void CheckBox2Click();

    TLarkHTMLPanel* LarkHTMLPanel1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
};

} // namespace lark
