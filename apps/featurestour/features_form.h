#pragma once
// TfrmLarkHTMLFeatures: the tour's one window. A view bound to the page
// storage shows the current page and follows links between pages by name; a
// label on the left is the table of contents; Back and Forward walk the
// history of pages shown.
//
// History: every page change the view reports while FSaveHistory is set is
// appended to FBreadCrumbs, and FBCIndex moves to that last entry, so a page
// chosen after going back is added at the end and the pages after the old
// position stay. Back and Forward move FBCIndex and show that entry without
// recording it.

#include <QList>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class QSplitter;

namespace lark {

class TLarkHTMLLabel;
class TLarkHTMLStorage;
class TLarkHTMLView;
class TPicture;

class TfrmLarkHTMLFeatures : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmLarkHTMLFeatures(QWidget* parent = nullptr);
    ~TfrmLarkHTMLFeatures() override;

    TLarkHTMLView* View() const { return LarkHTMLView1; }
    TLarkHTMLLabel* Contents() const { return LarkHTMLLabel1; }
    TLarkHTMLStorage* Pages() const { return LarkHTMLStringStorage1; }
    QPushButton* BackButton() const { return btnBack; }
    QPushButton* ForwardButton() const { return btnFwd; }
    QPushButton* CloseButton() const { return btnClose; }

    // The storage indexes of the pages shown, oldest first, and the position
    // of the page shown now.
    const QList<int>& BreadCrumbs() const { return FBreadCrumbs; }
    int BCIndex() const { return FBCIndex; }

    // The table of contents: six links whose targets are page indexes.
    static QString TableOfContents();

private:
    void CreateComponents();
    QFrame* CreateButtonPanel(const QString& name);
    void LoadPages();

    void LarkHTMLLabel1LinkClick(const QString& hRef);
    void LarkHTMLView1StorageItemChanged(int oldItemIndex, int newItemIndex);
    void LarkHTMLView1GetImage(const QString& sourceName, TPicture* image);
    void btnBackClick();
    void btnFwdClick();
    void ShowHistoryEntry();

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnFwd = nullptr;
    QSplitter* Splitter1 = nullptr;
    TLarkHTMLLabel* LarkHTMLLabel1 = nullptr;
    TLarkHTMLView* LarkHTMLView1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* btnClose = nullptr;
    TLarkHTMLStorage* LarkHTMLStringStorage1 = nullptr;

    QList<int> FBreadCrumbs;
    int FBCIndex = 0;
    bool FSaveHistory = true;
    int FCurrPage = 0; // the form declares it; nothing reads it
};

} // namespace lark
