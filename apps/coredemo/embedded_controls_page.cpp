#include "embedded_controls_page.h"

#include "demo_messages.h"
#include "demo_widgets.h"

#include <lark/controls/panel.h>
#include <lark/framework/class_registry.h>
#include <lark/html/host/padding.h>

#include <QAbstractButton>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

const QString kGroupCombo = u"cmbGroup"_s;

bool ReportsClicks(const QWidget* control)
{
    return qobject_cast<const QAbstractButton*>(control) || qobject_cast<const QLineEdit*>(control) ||
           qobject_cast<const QDateTimeEdit*>(control);
}

} // namespace

TControlsPanel::TControlsPanel(QWidget* parent)
    : TPageFrame(parent)
{
    setObjectName(u"ControlsPanel"_s);
    // The customer form embeds these besides the classes always there.
    ClassRegistry::Instance().RegisterClass(u"TComboBox");
    ClassRegistry::Instance().RegisterClass(u"TDateTimePicker");

    LarkHTMLPanel1 = new TLarkHTMLPanel(Panel3);
    LarkHTMLPanel1->setObjectName(u"LarkHTMLPanel1"_s);
    LarkHTMLPanel1->setGeometry(20, 20, 277, 369);
    LarkHTMLPanel1->SetDoubleBuffered(false);
    LarkHTMLPanel1->Padding()->SetBounds(1, 1, 1, 1);
    LarkHTMLPanel1->OnControlCreated = [this](QObject*, QWidget* aControl) {
        LarkHTMLPanel1ControlCreated(aControl);
    };
    // Positions stay as the engine computes them.
    LarkHTMLPanel1->OnAdjustControlPosition = [](QObject*, QWidget*, TLarkHTMLItem*, int&, int&) {};

    CheckBox1 = new QCheckBox(u"Show control's name in OnClick event"_s, Panel1);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    CheckBox2 = new QCheckBox(u"Use OnControlCreated event to name controls"_s, Panel1);
    CheckBox2->setObjectName(u"CheckBox2"_s);
    QBoxLayout* row = AddStripRow();
    row->addWidget(CheckBox1);
    row->addWidget(CheckBox2);
    row->addStretch(1);
    connect(CheckBox2, &QCheckBox::clicked, this, &TControlsPanel::CheckBox2Click);

    LarkHTMLPanel1->SetCaption(CustomerForm());
}

QString TControlsPanel::CustomerForm()
{
    // Every field starts at 80 pixels, whatever the width of its label.
    return u"<control vclclass=\"TCheckBox\" name=\"checkbox1\" width=\"16\" height=\"16\"> "
           "<b>Customer Data</b>:<br><br>"
           "First name:<ind width=\"80\" pos=\"abs\">"
           "<control vclclass=\"TEdit\" name=\"edtForeName\" width=\"80\" height=\"25\"><br>"
           "Name:<ind width=\"80\" pos=\"abs\">"
           "<control vclclass=\"TEdit\" name=\"edtName\" width=\"80\" height=\"25\"><br>"
           "Gender:<ind width=\"80\" pos=\"abs\">"
           "<control vclclass=\"TRadioButton\" name=\"rbMale\" caption=\"Male\" width=\"60\" height=\"20\">"
           "<control vclclass=\"TRadioButton\" name=\"rbFemale\" caption=\"Female\" width=\"70\" height=\"20\"><br>"
           "Group:<ind width=\"80\" pos=\"abs\">"
           "<control vclclass=\"TComboBox\" name=\"cmbGroup\" width=\"120\" height=\"24\"><br>"
           "Priority:<ind width=\"80\" pos=\"abs\">"
           "<control vclclass=\"TComboBox\" name=\"cmbPriority\" width=\"120\" height=\"24\"><br>"
           "Last Purchase:<ind width=\"80\" pos=\"abs\">"
           "<control vclclass=\"TDateTimePicker\" name=\"dtDate\" width=\"120\" height=\"24\"><br><br>"
           "<ind width=\"80\" pos=\"abs\">"
           "<control vclclass=\"TButton\" name=\"btnClear\" caption=\"Clear\" width=\"75\" height=\"25\">"_s;
}

void TControlsPanel::Reparse()
{
    LarkHTMLPanel1->DoUpdate();
}

void TControlsPanel::LarkHTMLPanel1ControlCreated(QWidget* aControl)
{
    if (CheckBox2->isChecked()) {
        // "TEdit" -> "aEdit417"
        const QString className = ClassRegistry::Instance().ClassNameOf(aControl);
        const int number = int(QRandomGenerator::global()->bounded(1000));
        aControl->setObjectName(u"a"_s + className.mid(1) + QString::number(number));
    }
    if (ReportsClicks(aControl))
        demo::OnControlClick(aControl, [this, aControl] { EmbeddedControlClick(aControl); });
    auto* combo = qobject_cast<QComboBox*>(aControl);
    if (combo && combo->objectName() == kGroupCombo) {
        combo->addItems({ u"-"_s, u"A-Customer"_s, u"B-Customer"_s, u"C-Customer"_s });
        combo->setCurrentIndex(0);
    }
}

void TControlsPanel::EmbeddedControlClick(QWidget* control)
{
    if (CheckBox1->isChecked())
        demo::ShowMessage(this, u"Clicked control: "_s + control->objectName());
}

void TControlsPanel::CheckBox2Click()
{
    Reparse();
    LarkHTMLPanel1->update();
}

} // namespace lark
