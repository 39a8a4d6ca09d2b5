#pragma once
// TLarkCustomHTMLView / TLarkHTMLView: a focusable, scrollable widget that
// shows an HTML document of any length, with its own scroll bars, a border,
// keyboard and wheel scrolling, and a colour, gradient or transparent
// background under the text.
//
// Example:
//     auto* view = new TLarkHTMLView(form);
//     view->SetWordWrap(true);
//     view->SetCaption(u"<b>Hello</b> <a href=\"next\">next page</a>"_s);
//     view->OnLinkClick = [](QObject*, const QString& href) { TLarkHTMLRender::RunURL(href); };
//
// The document is parsed only when its source, font, options, padding,
// storage item, image list or (for a wrapped view) width changes; every parse
// shows the document from the top. Scrolling only moves the point of the
// document shown at the text rectangle's top-left (Position).
//
// Scroll requests use the codes of TScrollCode and are ignored, never
// clamped, when they lead outside the scroll range; positions are 32-bit, so
// documents taller than 32767 pixels scroll all the way.

#include <lark/controls/html_host_base.h>
#include <lark/controls/host_properties.h>
#include <lark/framework/color.h>
#include <lark/framework/object.h>
#include <lark/html/interaction/shift_state.h>

#include <QCursor>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

class QMenu;
class QPainter;
class QScrollBar;

namespace lark {

class TCanvas;

// What a scroll request asks for; the numbers are the platform's scroll
// message codes. For horizontal requests "up" is left and "down" right.
enum TScrollCode {
    scLineUp = 0,
    scLineDown = 1,
    scPageUp = 2,
    scPageDown = 3,
    scPosition = 4, // the thumb was released at a position
    scTrack = 5,    // the thumb is being dragged
    scTop = 6,
    scBottom = 7,
    scEndScroll = 8,
};

// Key handler: Key is a Qt::Key value; setting it to 0 stops the view's own
// handling of the key.
using TKeyEvent = std::function<void(QObject* sender, int& key, TShiftState shift)>;
// Context menu request at MousePos (client coordinates); Handled set to true
// suppresses the view's menus.
using TContextPopupEvent = std::function<void(QObject* sender, QPoint mousePos, bool& handled)>;

class TLarkCustomHTMLView : public QWidget, public TLarkHTMLHostBase
{
    Q_OBJECT

public:
    enum TLarkBackgroundType { bgtColorFill, bgtHorzGradient, bgtVertGradient };
    Q_ENUM(TLarkBackgroundType)
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    // The defaults of the two settings typed by these enumerations; the
    // others are in TViewDefaults.
    static constexpr TLarkBackgroundType DefaultBackgroundType = bgtColorFill;
    static constexpr TBorderStyle DefaultBorderStyle = bsSingle;

    explicit TLarkCustomHTMLView(QWidget* parent = nullptr);
    ~TLarkCustomHTMLView() override;

    //---- content
    // Stores the source and re-parses (also when it is unchanged).
    void SetCaption(const QString& value) override;
    // Reads a text file into Caption: the encoding comes from a byte-order
    // mark, else UTF-8 (bytes that are not UTF-8 are read as Latin-1); lines
    // end in CR LF. A file that cannot be read raises EFOpenError or
    // EReadError and leaves Caption as it was.
    virtual void LoadFromFile(const QString& aFileName);

    //---- appearance
    TLarkBackgroundType BackgroundType() const { return FBackgroundType; }
    void SetBackgroundType(TLarkBackgroundType value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // The fill colour; the default clWindow follows the style's base colour
    // (its disabled variant while the view is disabled).
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TColor GradientStartColor() const { return FGradientStartColor; }
    void SetGradientStartColor(TColor value);
    TColor GradientEndColor() const { return FGradientEndColor; }
    void SetGradientEndColor(TColor value);
    // Number of gradient bands; values below 1 are ignored.
    int GradientSteps() const { return FGradientSteps; }
    void SetGradientSteps(int value);
    // Shows the parent through the view.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // Kept for forms; the layout uses the padding, not the margin.
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    // Wraps lines at the text rectangle's width; no horizontal scrolling then.
    bool WordWrap() const { return FWordWrap; }
    virtual void SetWordWrap(bool value);
    // The cursor shown outside links (over links it is a pointing hand).
    QCursor Cursor() const { return FCursor; }
    virtual void SetCursor(const QCursor& value);
    // The menu for right clicks outside links; not owned.
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* value) { FPopupMenu = value; }

    //---- scrolling
    // The document point shown at the text rectangle's top-left; not clamped.
    QPoint Position() const { return FOffset; }
    virtual void SetPosition(QPoint value);
    bool VertScrollBarVisible() const { return FVScrollVisible; }
    bool HorzScrollBarVisible() const { return FHScrollVisible; }
    // Scroll requests, as the view's scroll bars and keys make them. Line
    // steps are |Font.Height| pixels vertically and one pixel horizontally;
    // a page is the client height, or half the client width.
    void VScroll(TScrollCode scrollCode, int scrollPos = 0);
    void HScroll(TScrollCode scrollCode, int scrollPos = 0);
    // A wheel turn of WheelDelta eighths of a degree (120 per notch): each
    // notch scrolls wheelScrollLines() steps of |Font.Height| div 2 pixels.
    void MouseWheelScroll(int wheelDelta);

    // The client area (inside the border, without the scroll bars) and the
    // rectangle the document is laid out in and drawn into (the client
    // area less the padding), in widget coordinates.
    QRect ClientRect() const;
    QRect TextRect() const { return FTextRect; }

    //---- host interface
    // Widget coordinates include the border, so content starts inside it.
    QPoint GetOffset() const override;
    bool IsWindowedControl() const override { return true; }
    void UnlockUpdating() override;

    //---- events of the widget (besides those of TLarkHTMLHostBase)
    // A click outside links.
    TNotifyEvent OnClick;
    TKeyEvent OnKeyDown;
    TContextPopupEvent OnContextPopup;

Q_SIGNALS:
    // Emitted together with the events of the same meaning.
    void linkClicked(const QString& href);
    void controlCreated(QWidget* control);
    void storageItemChanged(int oldIndex, int newIndex);
    void clicked();
    // An image the engine does not resolve itself; a slot connected
    // directly loads it into image (see OnGetImage).
    void imageNeeded(const QString& source, lark::TPicture* image);

protected:
    // Parses the source for the text rectangle's width and shows the top.
    virtual void RebuildDocument();
    // Scroll ranges, scroll bar visibility and the text rectangle from the
    // document size and the widget size.
    void UpdateScrollBars();
    // The source, font, options, padding, storage or image list changed.
    virtual void ContentChanged();

    void OptionsChanged() override;
    void StorageChanged() override;
    void NotifyLinkClick(const QString& hRef) override;
    void NotifyStorageItemChanged(int oldItemIndex, int newItemIndex) override;
    void NotifyControlCreated(QWidget* aControl) override { Q_EMIT controlCreated(aControl); }
    void NotifyImageNeeded(const QString& sourceName, TPicture* image) override
    {
        Q_EMIT imageNeeded(sourceName, image);
    }

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    // Horizontal or vertical scroll range, as the scroll requests read it.
    struct ScrollRange
    {
        int Max = 0;  // document extent
        int Page = 0; // visible extent
    };

    //---- content (view.cpp)
    void TextChanged();
    void DeferContentChange();
    void ApplyDeferredContentChange();

    //---- geometry and scrolling (view_scroll.cpp)
    int FrameWidth() const;
    int ScrollBarExtent() const;
    QRect InnerRect() const;
    void SetViewRect(const QRect& r);
    bool UpdateHorzRange(int clientWidth, int textWidth);
    bool UpdateVertRange(int clientHeight, int textHeight);
    bool NeedsRewrap() const;
    void PlaceScrollBars();
    void ScrollTo(int x, int y);
    void ScrollBarAction(QScrollBar* bar, int action);
    bool HandleKey(int key, TShiftState shift);

    //---- painting and input (view_paint.cpp, view_input.cpp)
    TColor FillColor() const;
    void PaintFrame(QPainter& painter);
    void PaintBackground(TCanvas& canvas, const QRect& r);
    void PaintDocument(TCanvas& canvas);
    QPoint DocumentSource() const;
    bool LinkAt(QPoint clientPos, QString& hRef);
    void ShowCursorAt(QPoint clientPos);
    void Click(QPoint clientPos);

    QScrollBar* FHorzScrollBar = nullptr;
    QScrollBar* FVertScrollBar = nullptr;
    ScrollRange FHorzRange;
    ScrollRange FVertRange;
    QPointer<QMenu> FPopupMenu;
    QCursor FCursor;
    QPoint FOffset;
    bool FWordWrap = TViewDefaults::WordWrap;
    bool FMouseOver = false;
    bool FLeftPressed = false;
    TBorderStyle FBorderStyle = DefaultBorderStyle;
    int FGradientSteps = TViewDefaults::GradientSteps;
    TColor FGradientStartColor = TViewDefaults::GradientStartColor;
    TColor FGradientEndColor = TViewDefaults::GradientEndColor;
    TColor FColor = TViewDefaults::Color;
    bool FTransparent = TViewDefaults::Transparent;
    TLarkBackgroundType FBackgroundType = DefaultBackgroundType;
    QRect FTextRect;
    QRect FViewRect;
    int FScrollStep = 0;
    int FWheelRemainder = 0;
    bool FVScrollVisible = false;
    bool FHScrollVisible = false;
    int FMargin = TViewDefaults::Margin;
    int FBuiltWidth = -1; // text rectangle width of the last parse
    bool FPainting = false;
    bool FRebuilding = false;
    bool FRebuildAgain = false;
    bool FUpdatingScrollBars = false;
    bool FContentDeferred = false;
};

using TLarkBackgroundType = TLarkCustomHTMLView::TLarkBackgroundType;
using TBorderStyle = TLarkCustomHTMLView::TBorderStyle;
using enum TLarkCustomHTMLView::TLarkBackgroundType;
using enum TLarkCustomHTMLView::TBorderStyle;

// The view with its properties published for Qt Designer.
class TLarkHTMLView : public TLarkCustomHTMLView
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap STORED true)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent STORED true)
    Q_PROPERTY(lark::TLarkCustomHTMLView::TLarkBackgroundType BackgroundType READ BackgroundType WRITE
                   SetBackgroundType RESET ResetBackgroundType)
    Q_PROPERTY(lark::TLarkCustomHTMLView::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle RESET
                   ResetBorderStyle)
    Q_PROPERTY(lark::TColor Color READ Color WRITE SetColor DESIGNABLE false RESET ResetColor)
    Q_PROPERTY(QColor ColorValue READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor ColorSystem READ ColorSystem WRITE SetColorSystem)
    Q_PROPERTY(lark::TColor GradientStartColor READ GradientStartColor WRITE SetGradientStartColor DESIGNABLE false RESET
                   ResetGradientStartColor)
    Q_PROPERTY(QColor GradientStartColorValue READ GradientStartColorValue WRITE SetGradientStartColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor GradientStartColorSystem READ GradientStartColorSystem WRITE SetGradientStartColorSystem)
    Q_PROPERTY(lark::TColor GradientEndColor READ GradientEndColor WRITE SetGradientEndColor DESIGNABLE false RESET
                   ResetGradientEndColor)
    Q_PROPERTY(QColor GradientEndColorValue READ GradientEndColorValue WRITE SetGradientEndColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor GradientEndColorSystem READ GradientEndColorSystem WRITE SetGradientEndColorSystem)
    Q_PROPERTY(int GradientSteps READ GradientSteps WRITE SetGradientSteps RESET ResetGradientSteps)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin RESET ResetMargin)
    Q_PROPERTY(QCursor Cursor READ Cursor WRITE SetCursor RESET ResetCursor)
    LARK_HTML_STORAGE_PROPERTIES
    Q_PROPERTY(QPoint Position READ Position WRITE SetPosition DESIGNABLE false STORED false)
    Q_PROPERTY(bool VertScrollBarVisible READ VertScrollBarVisible STORED false)
    Q_PROPERTY(bool HorzScrollBarVisible READ HorzScrollBarVisible STORED false)
    Q_PROPERTY(bool Untrusted READ Untrusted WRITE SetUntrusted RESET ResetUntrusted)
    Q_PROPERTY(bool TextSelection READ TextSelection WRITE SetTextSelection RESET ResetTextSelection)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont RESET ResetParentFont STORED false)
    Q_PROPERTY(lark::TCustomImageList* ImageList READ ImageList WRITE SetImageList STORED false)
    Q_PROPERTY(QMenu* LinkPopupMenu READ LinkPopupMenu WRITE SetLinkPopupMenu STORED false)
    LARK_HTML_OPTIONS_PROPERTIES
    LARK_HTML_PADDING_PROPERTIES

public:
    // What uic calls for the properties of a form.
    LARK_COLOR_CHOICE(Color)
    LARK_COLOR_CHOICE(GradientStartColor)
    LARK_COLOR_CHOICE(GradientEndColor)
    LARK_HTML_OPTIONS_SETTERS
    LARK_HTML_PADDING_SETTERS
    LARK_FORM_SETTER(Caption)
    LARK_FORM_SETTER(WordWrap)
    LARK_FORM_SETTER(Transparent)
    LARK_FORM_SETTER(BackgroundType)
    LARK_FORM_SETTER(BorderStyle)
    LARK_FORM_SETTER(Color)
    LARK_FORM_SETTER(GradientStartColor)
    LARK_FORM_SETTER(GradientEndColor)
    LARK_FORM_SETTER(GradientSteps)
    LARK_FORM_SETTER(Margin)
    LARK_HTML_STORAGE_SETTERS
    LARK_FORM_SETTER(Untrusted)
    LARK_FORM_SETTER(ParentFont)

    explicit TLarkHTMLView(QWidget* parent = nullptr);
    ~TLarkHTMLView() override;

    void ResetBackgroundType() { SetBackgroundType(DefaultBackgroundType); }
    void ResetBorderStyle() { SetBorderStyle(DefaultBorderStyle); }
    void ResetColor() { SetColor(TViewDefaults::Color); }
    void ResetGradientStartColor() { SetGradientStartColor(TViewDefaults::GradientStartColor); }
    void ResetGradientEndColor() { SetGradientEndColor(TViewDefaults::GradientEndColor); }
    void ResetGradientSteps() { SetGradientSteps(TViewDefaults::GradientSteps); }
    void ResetMargin() { SetMargin(TViewDefaults::Margin); }
    void ResetCursor() { SetCursor(QCursor()); }
};

} // namespace lark
