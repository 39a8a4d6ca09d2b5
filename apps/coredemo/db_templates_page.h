#pragma once
// TFrameDBTemplates, the page "DB Controls (1)": a grid and a navigator on
// the left, the data-aware label and view on the right showing "textfield1"
// of the current record, or, in template mode, a snippet whose variables are
// filled from the record's fields. The link in the explanation above turns
// both to template mode with a sample template.

#include "page_frame.h"

class QCheckBox;
class QMenu;

namespace lark {

class TDBGrid;
class TDBNavigator;
class TDataSource;
class TLarkHTMLDBLabel;
class TLarkHTMLDBView;
class TLarkHTMLLabel;

class TFrameDBTemplates : public demo::TPageFrame
{
    Q_OBJECT

public:
    explicit TFrameDBTemplates(QWidget* parent = nullptr);

    // The navigator, the grid and both data-aware controls take D.
    void SetDataSource(TDataSource* d);

    TLarkHTMLLabel* Explanation() const { return LarkHTMLLabel1; }
    TLarkHTMLDBLabel* DBLabel() const { return LarkHTMLDBLabel; }
    TLarkHTMLDBView* DBView() const { return LarkHTMLDBView; }
    TDBGrid* Grid() const { return DBGrid1; }
    TDBNavigator* Navigator() const { return DBNavigator1; }
    QCheckBox* LabelTemplateCheckBox() const { return CheckBox1; }
    QCheckBox* ViewTemplateCheckBox() const { return CheckBox2; }

    static QString ExplanationCaption();
    // What "Click here to try" gives both controls as their template.
    static QString SampleTemplate();

protected:
    void ApplyThemeColors() override;

private:
    void CreateDataControls(QWidget* left, QWidget* right);
    void CheckBox1Click();
    void CheckBox2Click();
    void LarkHTMLLabel1LinkClick(const QString& hRef);
    void LarkHTMLDBLabelLinkClick(QObject* sender, const QString& hRef);

    TLarkHTMLLabel* LarkHTMLLabel1 = nullptr;
    TDBGrid* DBGrid1 = nullptr;
    TDBNavigator* DBNavigator1 = nullptr;
    TLarkHTMLDBLabel* LarkHTMLDBLabel = nullptr;
    TLarkHTMLDBView* LarkHTMLDBView = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
};

namespace demo {
// What the data-aware controls of both DB pages report for a link: the
// target in quotation marks and the control's name.
QString LinkClickMessage(QObject* sender, const QString& hRef);
// The link menu each DB page owns.
QMenu* CreateLinkPopupMenu(QWidget* parent);
} // namespace demo

} // namespace lark
