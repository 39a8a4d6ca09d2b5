#pragma once
// TLarkHTMLRender: the engine's entry point. A host owns one; it hands it
// HTML text, asks it to lay the text out for a width (PrepareText), to paint
// it (DrawText) and routes mouse and keyboard input to it through a hook.

#include <lark/framework/canvas.h>
#include <lark/framework/color.h>
#include <lark/framework/image_list.h>
#include <lark/framework/object.h>
#include <lark/framework/picture.h>
#include <lark/html/data.h>
#include <lark/html/events.h>

#include <QObject>
#include <QPointer>
#include <QPoint>
#include <QRect>

#include <memory>

class QEvent;
class QPaintDevice;
class QWidget;

namespace lark {

class TLarkHookComponent;

namespace detail {
class Measurer;
}

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
    void DestroyData(TLarkHTMLData* Data);
    // Makes NewData current, or the render object's own container for nullptr.
    void SetData(TLarkHTMLData* NewData);
    TLarkHTMLData* Data() const { return FData; }

    //---- preparing and painting
    void PrepareText(const QString& Text, int MaxWidth, bool AutoWrap);
    void PrepareToData(const QString& Text, int MaxWidth, bool AutoWrap, TLarkHTMLData*& CurData);
    void DrawText(TCanvas& Canvas, QPoint SrcPoint, const QRect& R, TColor AdjustFromColor,
                  const QRect& ClipRect);
    void DrawTextEx(TCanvas& ACanvas, QPoint ASrcPoint, const QRect& AR, bool UseOverColors,
                    TColor AColor, TColor ABkColor, TColor ASelColor, TColor ASelBkColor,
                    TColor AAdjustFromColor, const QRect& ClipRect);
    // Measures text with another device's metrics (a printer's, say); nullptr
    // does nothing.
    void SetDC(QPaintDevice* DC);
    // The current document's text without markup.
    QString AsText() const;

    //---- settings
    // The only parameter is "EditorPreview" = "1" (both case-sensitive).
    void SetParameter(const QString& aName, const QString& aValue);
    bool EditorPreview() const { return FEditorPreview; }
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value) { FImageList = Value; }
    QWidget* Control() const;
    void SetControl(QWidget* Value);
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
    bool LinkSelect() const { return FLinkSelect; }
    void SetLinkSelect(bool v) { FLinkSelect = v; }
    bool Destroying() const { return FDestroying; }
    // Raises OnChange; hosts repaint in response.
    void Change();

    //---- raisers used by the parser and handlers
    virtual void DoImageNeeded(const QString& SourceName, TPicture& Image);
    virtual void DoBitmapNeeded(const QString& SourceName, TBitmap*& Image);
    // Raised for every tag before it is interpreted. A handler may rename the
    // tag, replace the current item (the parser takes over a new item that is
    // not yet in the list; the replaced one becomes the handler's to free)
    // and replace the attribute list (the parser frees the list it passed and
    // any list the handler puts in its place).
    virtual void DoTagFound(QString& Tag, TLarkHTMLItem*& Item, TStringList*& Params, bool aClosing,
                            bool aSupported);
    void DoVariableNeeded(const QString& aVarName, QString& aVarValue);

    //---- engine internals shared by the parser, layout and paint passes
    // The list numbering counter of the list handlers; survives parses.
    int FCurListItem = 0;
    detail::Measurer& Measurer() const { return *FMeasurer; }
    // The canvas text is measured on (bound to the measuring device).
    TCanvas& MeasuringCanvas() const { return FBitmap->Canvas(); }
    // The off-screen bitmap double-buffered painting goes through.
    TBitmap& PaintBuffer() const { return *FBuffer; }
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
    // Host events seen by the hook before the host handles them.
    void RouteHostEvent(QEvent* Message, bool& Handled);

    bool FLinkSelect = false;
    std::unique_ptr<TLarkHookComponent> FHook;
    std::unique_ptr<TLarkHTMLData> FIntData;
    TLarkHTMLData* FData = nullptr;
    std::unique_ptr<TBitmap> FBitmap;     // surface of the measuring canvas
    std::unique_ptr<TBitmap> FBuffer;     // paint buffer for double buffering
    std::unique_ptr<detail::Measurer> FMeasurer;
    bool FEditorPreview = false;
    QPointer<TCustomImageList> FImageList;
    bool FDoubleBuffered = true;
    bool FDestroying = false;
};

// Paint HTML into any canvas with the shared render object. Return the
// height of the prepared text.
int DrawHTMLTextEx(TCanvas& Canvas, const QString& Text, const QRect& Rect, int LineGap, TColor LinkColor,
                   bool AutoWrap, bool CalcOnly);
int DrawHTMLText(TCanvas& Canvas, const QString& Text, const QRect& Rect, bool CalcOnly);

} // namespace lark
