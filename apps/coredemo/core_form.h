#pragma once
// TfrmLarkHTMLCore: the demo's main window. A navigation bar on the left
// selects a page; the page is made when chosen, fills the client area alone,
// and is freed when another page is chosen (choosing the page shown does
// nothing). The combo box at the top switches between the themes, the Close
// button at the bottom ends the program.

#include <QPointer>
#include <QString>
#include <QWidget>

class QComboBox;
class QFrame;
class QMenu;
class QPushButton;

namespace lark {

class TDataSource;
class TSQLTable;
class TfrmImages;

namespace demo {
class TCategoryButtons;
struct TDemoPage;
} // namespace demo

class TfrmLarkHTMLCore : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmLarkHTMLCore(QWidget* parent = nullptr);
    ~TfrmLarkHTMLCore() override;

    demo::TCategoryButtons* Navigation() const { return FNavigation; }
    QComboBox* StylesCombo() const { return FStylesCombo; }
    QPushButton* CloseButton() const { return btnClose; }
    TfrmImages* Images() const { return FImages; }
    QMenu* PopupMenu() const { return PopupMenu1; }

    // The table the DB pages read (opened afresh on every switch to one of
    // them) and the source they are bound to.
    TSQLTable* Table() const { return ADOTable1; }
    TDataSource* DataSource() const { return DataSource1; }
    // The SQLite file of the DB pages; demo::DefaultDatabaseFile() at first.
    QString DatabaseName() const;
    void SetDatabaseName(const QString& value);

    // The page shown and its navigation caption.
    QWidget* CurrentFrame() const { return FCurrentFrame; }
    QString CurrentCaption() const { return FCurrentCaption; }

    // Does what clicking the navigation button Caption does.
    void NavigationButtonClicked(const QString& caption);

private:
    void CreateComponents();
    void FillStylesCombo();
    void ShowFrame(const demo::TDemoPage& page, bool lock);
    void ShowDataFrame(const demo::TDemoPage& page);
    void StylesComboChange(int index);

    QFrame* Panel2 = nullptr;
    QComboBox* FStylesCombo = nullptr;
    demo::TCategoryButtons* FNavigation = nullptr;
    QWidget* FClientArea = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* btnClose = nullptr;
    QMenu* PopupMenu1 = nullptr;
    TSQLTable* ADOTable1 = nullptr;
    TDataSource* DataSource1 = nullptr;
    TfrmImages* FImages = nullptr;
    QPointer<QWidget> FCurrentFrame;
    QString FCurrentCaption;
};

} // namespace lark
