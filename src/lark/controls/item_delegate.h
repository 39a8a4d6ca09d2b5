#pragma once
// TLarkHTMLItemDelegate: HTML rows in any Qt item view.
//
// Set it on a QListView, QTableView or QTreeView and every cell's
// Qt::DisplayRole text is drawn and measured as an HTML snippet: bold,
// colours, images from an image list, links with the hand cursor and a
// click signal, check boxes that toggle. Single-line cells keep the height of
// their first run of text and end in "..." when they are too wide; with
// MultiLine they wrap at the cell's width. Selected cells take the style's
// selection colours.
//
//     auto* delegate = new TLarkHTMLItemDelegate(view);
//     view->setItemDelegate(delegate);
//     QObject::connect(delegate, &TLarkHTMLItemDelegate::linkClicked,
//                      [](const QString& href, const QModelIndex&) { TLarkHTMLRender::RunURL(href); });
//
// Nothing is kept per row: each cell is parsed when it is drawn, measured or
// hit-tested, so rows of any number cost only what is on the screen. The
// HTML list box draws its rows with the same delegate, through its own
// render object and settings.

#include <lark/controls/control_defaults.h>
#include <lark/framework/color.h>
#include <lark/framework/font.h>
#include <lark/framework/image_list.h>
#include <lark/html/host/events.h>
#include <lark/html/host/host_control.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>

#include <QModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

#include <memory>
#include <optional>

class QAbstractItemView;

namespace lark {

class TCanvas;
class TLarkHTMLRender;

class TLarkHTMLItemDelegate : public QStyledItemDelegate, public ILarkHTMLControl
{
    Q_OBJECT
    Q_PROPERTY(bool MultiLine READ MultiLine WRITE SetMultiLine RESET ResetMultiLine)
    Q_PROPERTY(bool ElideRows READ ElideRows WRITE SetElideRows RESET ResetElideRows)
    Q_PROPERTY(lark::TCustomImageList* ImageList READ ImageList WRITE SetImageList STORED false)

public:
    // The look of one row: its text colour, its background (clNone: the
    // cell's own) and the styles added to the font's.
    struct TRowLook
    {
        TColor Text = clWindowText;
        TColor Background = clNone;
        TFontStyles Style;
    };

    // A delegate with its own render object and settings; its document
    // font starts as the application's font.
    explicit TLarkHTMLItemDelegate(QObject* parent = nullptr);
    // A delegate drawing with Host's render object and settings (the HTML
    // list box's); the host outlives it.
    TLarkHTMLItemDelegate(TLarkHTMLRender* sharedRender, ILarkHTMLControl* host, QObject* parent);
    ~TLarkHTMLItemDelegate() override;

    //---- host interface (of a delegate with its own settings)
    TFont* GetFont() override { return &FFont; }
    TLarkHTMLOptions* GetOptions() override { return FOptions.get(); }
    QString GetHTML() const override { return {}; }
    void SetHTML(const QString&) override {}
    TPadding* GetPadding() override { return &FPadding; }
    QPoint GetOffset() const override { return {}; }
    void LockUpdating() override {}
    void UnlockUpdating() override {}
    void SetParameter(const QString& aName, const QString& aValue) override;

    //---- settings
    TLarkHTMLRender* Render() const { return FRender; }
    // The document font; changes repaint the views the delegate serves.
    TFont& Font() { return FFont; }
    TLarkHTMLOptions* Options() const { return FOptions.get(); }
    // "index:" images; not owned.
    TCustomImageList* ImageList() const;
    void SetImageList(TCustomImageList* value);
    // Rows wrap at the cell's width (false: one line each).
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool value);
    // Single-line rows too wide for their cell end in "...".
    bool ElideRows() const { return FElideRows; }
    void SetElideRows(bool value);
    void ResetMultiLine() { SetMultiLine(TItemDelegateDefaults::MultiLine); }
    void ResetElideRows() { SetElideRows(TItemDelegateDefaults::ElideRows); }

    //---- one row, for hosts that draw rows themselves
    // Lays Html out: one line, or wrapped at Width when MultiLine.
    void PrepareRow(const QString& html, int width, bool multiLine, const TRowLook& look);
    // A single-line row's height: its first text run's; else the last
    // item's; else the document's.
    int SingleLineHeight() const;
    // The row's height: the document's height wrapped at Width when
    // MultiLine, else SingleLineHeight.
    int MeasureRow(const QString& html, int width, bool multiLine);
    // Draws the row into R (single-line rows get their own height from
    // R's top); Elide ends a too-wide single line in "...".
    void DrawRow(TCanvas& canvas, const QString& html, QRect r, bool multiLine, const TRowLook& look,
                 bool elide = false);
    // The link under P (relative to R's top-left) of the row drawn in R.
    std::optional<QString> LinkAt(const QString& html, const QRect& r, QPoint p, bool multiLine);
    // Clicks the check box or radio button under P and returns the row's
    // markup with the inputs' new states, or nothing when P is on no input.
    std::optional<QString> ClickInputAt(const QString& html, const QRect& r, QPoint p, bool multiLine);

    //---- QStyledItemDelegate
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    //---- events (Sender: the delegate)
    TLarkHTMLLinkClickEvent OnLinkClick;
    TLarkHTMLImageNeededEvent OnGetImage;
    TLarkHTMLVariableNeededEvent OnGetVariable;
    TLarkHTMLTagFoundEvent OnTagFound;

Q_SIGNALS:
    void linkClicked(const QString& href, const QModelIndex& index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BindOwnRender();
    // Watches a view's viewport for the hand cursor over links.
    void Watch(const QWidget* widget) const;
    // The cell's row rectangle, as drawn, and the look of the cell.
    QRect CellTextRect(const QStyleOptionViewItem& option) const;
    TRowLook CellLook(const QStyleOptionViewItem& option) const;
    std::optional<QString> LinkInCell(QAbstractItemView* view, QPoint viewportPos);
    void Repaint();

    std::unique_ptr<TLarkHTMLRender> FOwnRender;
    TLarkHTMLRender* FRender = nullptr;
    ILarkHTMLControl* FHost = nullptr;
    TFont FFont;
    std::unique_ptr<TLarkHTMLOptions> FOptions;
    TPadding FPadding;
    bool FMultiLine = TItemDelegateDefaults::MultiLine;
    bool FElideRows = TItemDelegateDefaults::ElideRows;
    mutable QList<QPointer<QWidget>> FWatched;
};

} // namespace lark
