#pragma once
// TLarkHTMLRender: the engine's entry point. A host owns one; it hands it
// HTML text, asks it to lay the text out for a width (PrepareText), to paint
// it (DrawText) and routes mouse and keyboard input to it through a hook.

#include <lark/framework/canvas.h>
#include <lark/framework/color.h>
#include <lark/framework/image_list.h>
#include <lark/framework/object.h>
#include <lark/framework/picture.h>
#include <lark/html/model/data.h>
#include <lark/html/host/events.h>
#include <lark/html/interaction/shift_state.h>
#include <lark/html/untrusted/untrusted.h>

#include <QObject>
#include <QPointer>
#include <QPoint>
#include <QRect>

#include <functional>
#include <memory>

class QEvent;
class QPaintDevice;
class QUrl;
class QWidget;

namespace lark {

class TLarkHookComponent;

namespace detail {
struct RenderInternals;
// The render object's working state (render_p.h).
RenderInternals& Internals(const TLarkHTMLRender& render);
} // namespace detail

class TLarkHTMLRender : public QObject
{
    Q_OBJECT

public:
    explicit TLarkHTMLRender(QObject* parent = nullptr);
    ~TLarkHTMLRender() override;

    // The process-wide render object behind DrawHTMLText; created on first
    // use, freed at program end. GUI thread only.
    static TLarkHTMLRender* getInstance();

    //---- containers
    // A new container working for this render object; the caller owns it.
    TLarkHTMLData* CreateData();
    // Frees a container made by CreateData. When it is the current one there
    // is no current container until SetData.
    void DestroyData(TLarkHTMLData* data);
    // Makes NewData current, or the render object's own container for nullptr.
    void SetData(TLarkHTMLData* newData);
    TLarkHTMLData* Data() const { return FData; }

    //---- preparing and painting
    void PrepareText(const QString& text, int maxWidth, bool autoWrap);
    void PrepareToData(const QString& text, int maxWidth, bool autoWrap, TLarkHTMLData*& curData);
    void DrawText(TCanvas& canvas, QPoint srcPoint, const QRect& r, TColor adjustFromColor,
                  const QRect& clipRect);
    void DrawTextEx(TCanvas& aCanvas, QPoint aSrcPoint, const QRect& ar, bool useOverColors,
                    TColor aColor, TColor aBkColor, TColor aSelColor, TColor aSelBkColor,
                    TColor aAdjustFromColor, const QRect& clipRect);
    // Draws every run again in Color, without backgrounds: selected text
    // over its highlight, with the caller's clip limiting it to the selection.
    void DrawTextInColor(TCanvas& canvas, QPoint srcPoint, const QRect& r, TColor color, const QRect& clipRect);
    // Measures text with another device's metrics (a printer's, say); nullptr
    // does nothing.
    void SetDC(QPaintDevice* dc);
    // The current document's text without markup.
    QString AsText() const;
    // Fills Img from an image source: "index:n" (the image list), "file:path",
    // "res:name" (a program resource), anything else through the image events.
    // Img stays empty when the source gives no picture; nothing is thrown.
    void HandleImage(const QString& aSrc, TPicture& img);

    //---- settings
    // The only parameter is "EditorPreview" = "1" (both case-sensitive).
    void SetParameter(const QString& aName, const QString& aValue);
    bool EditorPreview() const { return FEditorPreview; }
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* value) { FImageList = value; }
    QWidget* Control() const;
    void SetControl(QWidget* value);
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
    bool LinkSelect() const { return FLinkSelect; }
    void SetLinkSelect(bool v) { FLinkSelect = v; }
    bool Destroying() const { return FDestroying; }
    // Untrusted content, off by default: for snippets from a database, the
    // network or users. When on, "file:" and "res:" images stay empty,
    // control tags create only what ControlAllowList allows, link targets
    // are limited to http, https and mailto (IsUrlAllowedUntrusted), and the
    // snippet's size, nesting and attribute lengths are capped (limits.h).
    // The parser and the images follow the setting from the next call on;
    // hosts re-lay their document out when it changes.
    bool Untrusted() const { return FUntrusted; }
    void SetUntrusted(bool value) { FUntrusted = value; }
    TLarkHTMLControlAllowList& ControlAllowList() { return FControlAllowList; }
    const TLarkHTMLControlAllowList& ControlAllowList() const { return FControlAllowList; }
    // Raises OnChange; hosts repaint in response.
    void Change();

    //---- interaction: links, focus and input ---------------------------------
    // Points are document coordinates: Point plus SrcPoint is the position
    // from the document's top-left corner. R is the area the document is
    // shown in (only its width counts, for centred and right-aligned lines);
    // an R of zero width stands for the area of the last paint.

    // The item under a point, or nullptr.
    TLarkHTMLItem* GetItemAt(QPoint point, QPoint srcPoint, const QRect& r);
    // Hover: the input item under (X, Y) becomes the active item.
    void MouseMoveTransfer(TShiftState shift, int x, int y, const QRect& r);
    // A left click: toggles an input item, selects a link when LinkSelect.
    void ClickTransfer(int x, int y, const QRect& r);
    // Tab and Shift+Tab move the selection through the focusable items
    // (Qt::Key_Backtab counts as Shift+Tab); other keys (Qt::Key values) go
    // to a selected input item. Key is never consumed.
    void KeyDownTransfer(int& key, TShiftState shift);
    // Whether a link is under the point; href receives its target (else empty).
    bool IsCursorOverLink(QPoint point, QPoint srcPoint, const QRect& r, QString& href);
    // Selects whatever item is under the point (nothing when none).
    void SelectLinkAt(QPoint point, QPoint srcPoint, const QRect& r);
    // Step through the link items, one item at a time; no wrapping.
    void SelectNextLink();
    void SelectPrevLink();
    // Step through the focusable items (links, inputs, embedded controls),
    // wrapping at both ends; an embedded control gets the focus.
    void SelectNextSuitableItem();
    void SelectPrevSuitableItem();
    // The first input item after FindFrom (from the start when FindFrom is
    // nullptr or not focusable) named exactly AName. Names are stored in
    // lower case, so a name with capitals never matches.
    TLarkHTMLInputItem* FindInputItemByName(const QString& aName, const TLarkHTMLItem* findFrom) const;

    // Opens a link target with the desktop's handler for it. A target without
    // ":" that starts with "www" or "ftp" gets "http://" or "ftp://" in front,
    // one with an "@" after its first character "mailto:". The target goes
    // over as one URL; no shell sees it. False when it could not be opened.
    static bool RunURL(const QString& aURL);
    // As above; with Untrusted set, only a target IsUrlAllowedUntrusted
    // accepts is opened (false otherwise).
    static bool RunURL(const QString& aURL, bool untrusted);
    // Whether untrusted content may have the link target opened: after the
    // scheme rules of RunURL it must be an http or https address with a host,
    // or a mailto address without an attachment parameter.
    static bool IsUrlAllowedUntrusted(const QString& aURL);
    // Replaces what RunURL opens URLs with (tests record them); an empty
    // function restores QDesktopServices::openUrl.
    using TUrlOpener = std::function<bool(const QUrl&)>;
    static void SetUrlOpener(TUrlOpener opener);

    // The document point the last paint showed at its area's top-left; the
    // paint pass notes it so that host mouse positions map to the document.
    QPoint PaintSource() const { return FPaintSource; }
    void NotePaintSource(QPoint source) { FPaintSource = source; }

    // Raisers of the interaction and embedded-control events.
    void DoInputItemChecked(TLarkHTMLInputItem* inputItem);
    void DoInputItemTextChanged(TLarkHTMLInputItem* inputItem);
    void DoAdjustControlPosition(QWidget* aControl, TLarkHTMLItem* aData, int& x, int& y);
    void DoSetControlVisibility(QWidget* aControl, TLarkHTMLItem* aData, bool& aVisible);
    void DoControlCreated(QWidget* aControl);
    //---- end of interaction --------------------------------------------------

    //---- raisers used by the parser and handlers
    virtual void DoImageNeeded(const QString& sourceName, TPicture& image);
    virtual void DoBitmapNeeded(const QString& sourceName, TBitmap*& image);
    // Raised for every tag before it is interpreted. A handler may rename the
    // tag, replace the current item (the parser takes over a new item that is
    // not yet in the list; the replaced one becomes the handler's to free)
    // and replace the attribute list (the parser frees the list it passed and
    // any list the handler puts in its place).
    virtual void DoTagFound(QString& tag, TLarkHTMLItem*& item, TStringList*& params, bool aClosing,
                            bool aSupported);
    void DoVariableNeeded(const QString& aVarName, QString& aVarValue);

    // The hook through which the host's events reach the render object.
    TLarkHookComponent* Hook() const { return FHook.get(); }

    //---- events
    TLarkHTMLImageNeededEvent OnImageNeededEx;
    TLarkHTMLBitmapNeededEvent OnBitmapNeeded;
    TNotifyEvent OnChange;
    TLarkHTMLInputItemChangedEvent OnInputItemChecked;
    TLarkHTMLInputItemChangedEvent OnInputItemTextChanged;
    TLarkHTMLVariableNeededEvent OnVariableNeeded;
    TLarkHTMLControlPositionNeededEvent OnAdjustControlPosition;
    TLarkHTMLControlVisibilityNeededEvent OnSetControlVisibility;
    TLarkHTMLControlCreatedEvent OnControlCreated;
    TLarkHTMLTagFoundEvent OnTagFound;

private:
    friend detail::RenderInternals& detail::Internals(const TLarkHTMLRender& render);

    // Host events seen by the hook before the host handles them.
    void RouteHostEvent(QEvent* message, bool& handled);

    bool FLinkSelect = false;
    std::unique_ptr<TLarkHookComponent> FHook;
    std::unique_ptr<TLarkHTMLData> FIntData;
    TLarkHTMLData* FData = nullptr;
    std::unique_ptr<detail::RenderInternals> FInternals;
    bool FEditorPreview = false;
    QPointer<TCustomImageList> FImageList;
    bool FDoubleBuffered = true;
    bool FDestroying = false;
    bool FUntrusted = false;
    TLarkHTMLControlAllowList FControlAllowList;
    QPoint FPaintSource; // interaction: see PaintSource()
    bool FTextOnlyPass = false; // DrawTextInColor is running
};

// Paint HTML into any canvas with the shared render object. Return the
// height of the prepared text.
int DrawHTMLTextEx(TCanvas& canvas, const QString& text, const QRect& rect, int lineGap, TColor linkColor,
                   bool autoWrap, bool calcOnly);
int DrawHTMLText(TCanvas& canvas, const QString& text, const QRect& rect, bool calcOnly);

} // namespace lark
