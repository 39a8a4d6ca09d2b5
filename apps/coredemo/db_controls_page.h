#pragma once
// TFrameDBCtrls, the page "DB Controls (2)": a heading, the data-aware label
// showing the record's "caption" and the data-aware view its "description",
// whose links open in the desktop's handler for them; a navigator below.

#include "page_frame.h"

class QMenu;

namespace lark {

class TDBNavigator;
class TDataSource;
class TLarkHTMLDBLabel;
class TLarkHTMLDBView;
class TLarkHTMLLabel;

class TFrameDBCtrls : public demo::TPageFrame
{
    Q_OBJECT

public:
    explicit TFrameDBCtrls(QWidget* parent = nullptr);

    // The navigator and both data-aware controls take D.
    void SetDataSource(TDataSource* d);

    TLarkHTMLLabel* Heading() const { return LarkHTMLLabel1; }
    TLarkHTMLDBLabel* DBLabel() const { return LarkHTMLDBLabel; }
    TLarkHTMLDBView* DBView() const { return LarkHTMLDBView; }
    TDBNavigator* Navigator() const { return DBNavigator1; }

protected:
    void ApplyThemeColors() override;

private:
    void LarkHTMLDBLabelLinkClick(QObject* sender, const QString& hRef);
    void LarkHTMLDBViewLinkClick(const QString& hRef);

    TLarkHTMLLabel* LarkHTMLLabel1 = nullptr;
    TLarkHTMLDBLabel* LarkHTMLDBLabel = nullptr;
    TLarkHTMLDBView* LarkHTMLDBView = nullptr;
    TDBNavigator* DBNavigator1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
};

} // namespace lark
