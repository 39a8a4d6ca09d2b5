#pragma once
// TLarkHTMLPanel: a container panel whose caption is an HTML snippet.
//
// The panel draws the classic panel frame (an outer and an inner bevel,
// raised, lowered or flat, with a border of the panel's colour between them)
// and shows its document inside the frame, placed by Alignment, Layout and
// Padding. It holds child widgets like any container: the application's own
// children and the embedded controls of its document live side by side.
// Like the label it parses only when something that affects layout changes
// (DoUpdate), can size itself to its text (AutoSize) and can show an item of
// a snippet storage; unlike the label it follows no links between storage
// items, it only reports them (OnLinkClick, linkClicked()).
//
// Example:
//     auto* panel = new TLarkHTMLPanel(form);
//     panel->SetBevelOuter(bvLowered);
//     panel->SetBorderWidth(4);
//     panel->SetCaption(u"<b>Status:</b> <a href=\"log\">3 warnings</a>"_s);
//     connect(panel, &TLarkHTMLPanel::linkClicked, form, &Form::showLog);
//     auto* button = new QPushButton(u"Close"_s, panel);   // an ordinary child
//
// TLarkCustomHTMLPanel holds the behaviour; TLarkHTMLPanel publishes it as Qt
// properties (what Qt Designer shows and stores).

#include <lark/controls/control_types.h>
#include <lark/controls/host_properties.h>
#include <lark/controls/html_host_base.h>
#include <lark/framework/color.h>
#include <lark/html/host/caption.h>

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>

namespace lark {

class TCanvas;
class TGraphicHostEvents;

class TLarkCustomHTMLPanel : public QWidget, public TLarkHTMLHostBase
{
    Q_OBJECT

public:
    // Bevel and border widths are kept within this, so that frame and
    // text sizes add up without overflow.
    static constexpr int MaxFrameWidth = 1024;

    explicit TLarkCustomHTMLPanel(QWidget* parent = nullptr);
    ~TLarkCustomHTMLPanel() override;

    //---- what is shown
    // Stores and re-lays out when the text differs.
    void SetCaption(const TLarkHTMLCaption& value) override;
    // The caption is HTML (true) or plain text. Switching repaints; the
    // document is parsed again only if it went out of date meanwhile.
    bool IsHTML() const { return FIsHTML; }
    void SetIsHTML(bool value);
    // Off: the panel shows only its frame and background (and its
    // children). Switching repaints without parsing.
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool value);

    //---- placement
    // Horizontal placement of the text block inside the frame; repaints.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Vertical placement of the text block inside the frame.
    TTextLayout Layout() const { return FTextLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    // Size the panel to its text plus frame and padding, keeping its position.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // The document point shown at the text rectangle's top-left.
    QPoint Offset() const { return FOffset; }
    void SetOffset(QPoint value);

    //---- frame
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel value);
    // Width of each bevel, 1 to MaxFrameWidth.
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // Width of the ring of the panel's colour between the bevels, 0 to
    // MaxFrameWidth.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    // Width of the frame on each side: the bevels that are drawn plus the
    // border. The document starts this far inside the client area.
    int FrameWidth() const;

    //---- look
    // The background and the border ring; system colours follow the palette.
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // Paint the document through an off-screen image of its rectangle.
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value);

    //---- geometry
    // Where the document (or the plain caption) is drawn and hit-tested, in
    // client coordinates: inside the frame and the padding, placed by Layout
    // and Alignment.
    virtual QRect GetTextRect() const;
    // The text's size: the document's TextSize, or the plain caption's
    // extent when IsHTML is off.
    QSize ContentSize() const;
    // ContentSize plus frame and padding.
    QSize sizeHint() const override;

    //---- host interface
    // The frame width on both axes.
    QPoint GetOffset() const override;
    bool IsWindowedControl() const override { return true; }

    // Re-lays the text out: copies the settings into the document, parses
    // it for the width inside the frame and the padding, and runs the
    // auto-size step. Skipped
    // while running already, while updating is locked and while the panel
    // is 0 pixels wide or high.
    virtual void DoUpdate();

    // Raises OnLinkClick (and linkClicked()); the panel does not switch
    // storage items.
    void TriggerLinkClickEvent(QObject* sender, const QString& hRef) override;

    // Raised by a click that is not on a link.
    TNotifyEvent OnClick;

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
    void OptionsChanged() override;
    void StorageChanged() override;
    void NotifyLinkClick(const QString& hRef) override { Q_EMIT linkClicked(hRef); }
    void NotifyControlCreated(QWidget* aControl) override { Q_EMIT controlCreated(aControl); }
    void NotifyImageNeeded(const QString& sourceName, TPicture* image) override
    {
        Q_EMIT imageNeeded(sourceName, image);
    }
    void NotifyStorageItemChanged(int oldItemIndex, int newItemIndex) override
    {
        Q_EMIT storageItemChanged(oldItemIndex, newItemIndex);
    }
    // Embedded controls go where the document is drawn, also when Layout
    // or Alignment moves it away from the frame's top-left corner.
    void TriggerAdjustControlPositionEvent(QObject* sender, QWidget* aControl, TLarkHTMLItem* aData, int& x,
                                           int& y) override;

    // The auto-size step.
    void AdjustBounds();
    // Paints the panel on Canvas (the widget's own painter).
    virtual void Paint(TCanvas& canvas);
    // Raises OnClick and clicked().
    virtual void Click();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The client area inside the frame.
    QRect InnerRect() const;
    // Whether the document is what the panel shows now.
    bool ShowsDocument() const { return FIsHTML && FShowCaption; }
    std::optional<QString> LinkAt(QPoint clientPoint) const;
    void SetFrameValue(int& field, int value, int lowest);
    void MeasurePlainCaption();

    void PaintFrame(TCanvas& canvas);
    void PaintBuffered(TCanvas& canvas, const QRect& r, const QRect& visible);
    void DrawDocument(TCanvas& canvas, const QRect& r, const QRect& clipRect);
    void DrawPlainText(TCanvas& canvas, const QRect& r, const QRect& clipRect);

    bool FIsHTML = TPanelDefaults::IsHTML;
    bool FShowCaption = TPanelDefaults::ShowCaption;
    TAlignment FAlignment = TPanelDefaults::Alignment;
    TTextLayout FTextLayout = TPanelDefaults::Layout;
    bool FWordWrap = TPanelDefaults::WordWrap;
    bool FAutoSize = TPanelDefaults::AutoSize;
    QPoint FOffset;
    TPanelBevel FBevelOuter = TPanelDefaults::BevelOuter;
    TPanelBevel FBevelInner = TPanelDefaults::BevelInner;
    int FBevelWidth = TPanelDefaults::BevelWidth;
    int FBorderWidth = TPanelDefaults::BorderWidth;
    TColor FColor = TPanelDefaults::Color;
    bool FDoubleBuffered = TPanelDefaults::DoubleBuffered;
    bool FUpdating = false;
    bool FAlreadyInSetBounds = false;
    // The representation IsHTML does not show is brought up to date only
    // when IsHTML switches to it.
    bool FDocumentStale = false;
    bool FPlainStale = false;
    int FCurrentWidth = 0;
    int FCurrentHeight = 0;
    QSize FPlainSize;
    QSize FLastSizeHint;
    QImage FBuffer;
    // Links, clicks, context menus and re-layouts on the widget's events.
    std::unique_ptr<TGraphicHostEvents> FEvents;
};

// The panel with its settings published as Qt properties.
class TLarkHTMLPanel : public TLarkCustomHTMLPanel
{
    Q_OBJECT
    Q_PROPERTY(lark::ControlEnums::TAlignment Alignment READ Alignment WRITE SetAlignment RESET ResetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize RESET ResetAutoSize)
    Q_PROPERTY(lark::ControlEnums::TPanelBevel BevelInner READ BevelInner WRITE SetBevelInner RESET ResetBevelInner)
    Q_PROPERTY(lark::ControlEnums::TPanelBevel BevelOuter READ BevelOuter WRITE SetBevelOuter RESET ResetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth RESET ResetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth RESET ResetBorderWidth)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption RESET ResetCaption)
    Q_PROPERTY(lark::TColor Color READ Color WRITE SetColor DESIGNABLE false RESET ResetColor)
    Q_PROPERTY(QColor ColorValue READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor ColorSystem READ ColorSystem WRITE SetColorSystem)
    Q_PROPERTY(bool DoubleBuffered READ DoubleBuffered WRITE SetDoubleBuffered RESET ResetDoubleBuffered)
    Q_PROPERTY(bool IsHTML READ IsHTML WRITE SetIsHTML RESET ResetIsHTML)
    Q_PROPERTY(lark::ControlEnums::TTextLayout Layout READ Layout WRITE SetLayout RESET ResetLayout)
    Q_PROPERTY(bool ShowCaption READ ShowCaption WRITE SetShowCaption RESET ResetShowCaption)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap RESET ResetWordWrap)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont RESET ResetParentFont STORED false)
    LARK_HTML_STORAGE_PROPERTIES
    Q_PROPERTY(lark::TCustomImageList* ImageList READ ImageList WRITE SetImageList STORED false)
    Q_PROPERTY(QMenu* LinkPopupMenu READ LinkPopupMenu WRITE SetLinkPopupMenu STORED false)
    LARK_HTML_OPTIONS_PROPERTIES
    LARK_HTML_PADDING_PROPERTIES
    Q_PROPERTY(bool Untrusted READ Untrusted WRITE SetUntrusted RESET ResetUntrusted)
    Q_PROPERTY(bool TextSelection READ TextSelection WRITE SetTextSelection RESET ResetTextSelection)

public:
    // What uic calls for the properties of a form.
    using QWidget::setLayout;
    LARK_COLOR_CHOICE(Color)
    LARK_HTML_OPTIONS_SETTERS
    LARK_HTML_PADDING_SETTERS
    LARK_FORM_SETTER(Alignment)
    LARK_FORM_SETTER(AutoSize)
    LARK_FORM_SETTER(BevelInner)
    LARK_FORM_SETTER(BevelOuter)
    LARK_FORM_SETTER(BevelWidth)
    LARK_FORM_SETTER(BorderWidth)
    LARK_FORM_SETTER(Caption)
    LARK_FORM_SETTER(Color)
    LARK_FORM_SETTER(DoubleBuffered)
    LARK_FORM_SETTER(IsHTML)
    LARK_FORM_SETTER(Layout)
    LARK_FORM_SETTER(ShowCaption)
    LARK_FORM_SETTER(WordWrap)
    LARK_FORM_SETTER(ParentFont)
    LARK_HTML_STORAGE_SETTERS
    LARK_FORM_SETTER(Untrusted)

    explicit TLarkHTMLPanel(QWidget* parent = nullptr);

    void ResetAlignment() { SetAlignment(TPanelDefaults::Alignment); }
    void ResetAutoSize() { SetAutoSize(TPanelDefaults::AutoSize); }
    void ResetBevelInner() { SetBevelInner(TPanelDefaults::BevelInner); }
    void ResetBevelOuter() { SetBevelOuter(TPanelDefaults::BevelOuter); }
    void ResetBevelWidth() { SetBevelWidth(TPanelDefaults::BevelWidth); }
    void ResetBorderWidth() { SetBorderWidth(TPanelDefaults::BorderWidth); }
    void ResetColor() { SetColor(TPanelDefaults::Color); }
    void ResetDoubleBuffered() { SetDoubleBuffered(TPanelDefaults::DoubleBuffered); }
    void ResetIsHTML() { SetIsHTML(TPanelDefaults::IsHTML); }
    void ResetLayout() { SetLayout(TPanelDefaults::Layout); }
    void ResetShowCaption() { SetShowCaption(TPanelDefaults::ShowCaption); }
    void ResetWordWrap() { SetWordWrap(TPanelDefaults::WordWrap); }
};

} // namespace lark
