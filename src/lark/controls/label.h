#pragma once
// TLarkHTMLLabel: a label that shows an HTML snippet.
//
// It behaves as a graphic control: it takes no focus and has no window of
// its own as far as the engine is concerned, so the embedded controls of its
// document become children of its parent. It parses only when something that
// affects layout changes (DoUpdate), paints the laid-out document inside a
// text rectangle placed by Alignment, Layout and Padding, can size itself to
// its text (AutoSize), can show an item of a snippet storage and follow links
// between items, and can show plain text instead (IsHTML off).
//
// Example:
//     auto* label = new TLarkHTMLLabel(form);
//     label->SetAutoSize(true);
//     label->SetCaption(u"<b>Lark</b> says <a href=\"hi\">hello</a>"_s);
//     label->OnLinkClick = [](QObject*, const QString& href) { TLarkHTMLRender::RunURL(href); };
//
// TLarkCustomHTMLLabel holds the behaviour; TLarkHTMLLabel publishes it as Qt
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
class TCustomImageList;
class TLarkHTMLOptions;
class TLarkHTMLStorage;
class TPadding;

class TLarkCustomHTMLLabel : public QWidget, public TLarkHTMLHostBase
{
    Q_OBJECT

public:
    explicit TLarkCustomHTMLLabel(QWidget* parent = nullptr);
    ~TLarkCustomHTMLLabel() override;

    //---- what is shown
    // Stores and re-lays out when the text differs.
    void SetCaption(const TLarkHTMLCaption& value) override;
    // The caption is HTML (true) or plain text drawn as it is.
    bool IsHTML() const { return FIsHTML; }
    void SetIsHTML(bool value);
    // The shown text without markup: the document's text, or Caption when
    // IsHTML is off.
    virtual QString PlainText() const;

    //---- placement
    // Horizontal placement of the text block; repaints without re-parsing.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Vertical placement of the text block.
    TTextLayout Layout() const { return FTextLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    // Size the label to its text plus the padding, keeping its position.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // The document point shown at the text rectangle's top-left.
    QPoint Offset() const { return FOffset; }
    void SetOffset(QPoint value);

    //---- look
    // The background: Color when ParentColor is off, else the window colour
    // of the palette the label inherits (the active style's).
    TColor Color() const;
    // Setting a colour turns ParentColor off (the inherited colour itself
    // changes nothing).
    void SetColor(TColor value);
    // Back to the inherited colour.
    void ResetColor() { SetParentColor(TLabelDefaults::ParentColor); }
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    // No background fill: the parent shows through.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // Paint through an off-screen image of the text rectangle.
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value);

    //---- geometry
    // Where the document is drawn and hit-tested, in client coordinates.
    virtual QRect GetTextRect() const;
    // The text's size without padding: the document's TextSize, or the
    // plain text's extent when IsHTML is off. The auto-size step and the
    // text rectangle both read it.
    QSize ContentSize() const;
    // ContentSize plus the padding.
    QSize sizeHint() const override;

    // Re-lays the text out: copies the settings into the document, parses
    // it for the available width and runs the auto-size step. Skipped while
    // running already, while updating is locked and while the label is 0
    // pixels wide or high.
    virtual void DoUpdate();

    // Raised by a click that is not on a link.
    TNotifyEvent OnClick;

    //---- back to the defaults (TLabelDefaults), for the RESET of the properties
    void ResetAlignment() { SetAlignment(TLabelDefaults::Alignment); }
    void ResetAutoSize() { SetAutoSize(TLabelDefaults::AutoSize); }
    void ResetParentColor() { SetParentColor(TLabelDefaults::ParentColor); }
    void ResetDoubleBuffered() { SetDoubleBuffered(TLabelDefaults::DoubleBuffered); }
    void ResetIsHTML() { SetIsHTML(TLabelDefaults::IsHTML); }
    void ResetLayout() { SetLayout(TLabelDefaults::Layout); }
    void ResetTransparent() { SetTransparent(TLabelDefaults::Transparent); }
    void ResetWordWrap() { SetWordWrap(TLabelDefaults::WordWrap); }

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
    bool IsWindowedControl() const override { return false; }
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

    // The auto-size step.
    void AdjustBounds();
    // Paints the label on Canvas (the widget's own painter).
    virtual void Paint(TCanvas& canvas);
    // Raises OnClick and clicked().
    virtual void Click();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The background colour the document and the fill use.
    TColor BackgroundColor() const;
    // A client point as a point of the document drawn in GetTextRect().
    QPoint DocumentPoint(QPoint clientPoint, const QRect& textRect) const;
    // The target of the link under a client point, if there is one.
    std::optional<QString> LinkAt(QPoint clientPoint) const;

    void PaintDesignFrame(TCanvas& canvas);
    void PaintBuffered(TCanvas& canvas, const QRect& r, QPoint paddingShift);
    void DrawDocument(TCanvas& canvas, const QRect& r, const QRect& clipRect);
    void DrawPlainText(TCanvas& canvas, const QRect& r);

    bool FIsHTML = TLabelDefaults::IsHTML;
    TAlignment FAlignment = TLabelDefaults::Alignment;
    bool FAlreadyInSetBounds = false;
    TTextLayout FTextLayout = TLabelDefaults::Layout;
    bool FTransparent = TLabelDefaults::Transparent;
    bool FWordWrap = TLabelDefaults::WordWrap;
    bool FAutoSize = TLabelDefaults::AutoSize;
    bool FUpdating = false;
    bool FDoubleBuffered = TLabelDefaults::DoubleBuffered;
    QPoint FOffset;
    TColor FColor = TLabelDefaults::Color;
    bool FParentColor = TLabelDefaults::ParentColor;
    int FCurrentWidth = 0;
    int FCurrentHeight = 0;
    QSize FPlainSize;        // extent of the plain text at the last DoUpdate
    QSize FLastSizeHint;
    QImage FBuffer;          // reused by buffered paints
    // Links, clicks, context menus and re-layouts on the widget's events.
    std::unique_ptr<TGraphicHostEvents> FEvents;
};

// The label with its settings published as Qt properties.
class TLarkHTMLLabel : public TLarkCustomHTMLLabel
{
    Q_OBJECT
    Q_PROPERTY(lark::ControlEnums::TAlignment Alignment READ Alignment WRITE SetAlignment RESET ResetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize RESET ResetAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption RESET ResetCaption)
    Q_PROPERTY(lark::TColor Color READ Color WRITE SetColor DESIGNABLE false RESET ResetColor)
    Q_PROPERTY(QColor ColorValue READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor ColorSystem READ ColorSystem WRITE SetColorSystem)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor RESET ResetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont RESET ResetParentFont STORED false)
    Q_PROPERTY(bool DoubleBuffered READ DoubleBuffered WRITE SetDoubleBuffered RESET ResetDoubleBuffered)
    Q_PROPERTY(bool IsHTML READ IsHTML WRITE SetIsHTML RESET ResetIsHTML)
    Q_PROPERTY(lark::ControlEnums::TTextLayout Layout READ Layout WRITE SetLayout RESET ResetLayout)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent RESET ResetTransparent)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap RESET ResetWordWrap)
    LARK_HTML_STORAGE_PROPERTIES
    Q_PROPERTY(lark::TCustomImageList* ImageList READ ImageList WRITE SetImageList STORED false)
    Q_PROPERTY(QMenu* LinkPopupMenu READ LinkPopupMenu WRITE SetLinkPopupMenu STORED false)
    LARK_HTML_OPTIONS_PROPERTIES
    LARK_HTML_PADDING_PROPERTIES
    Q_PROPERTY(QString PlainText READ PlainText STORED false)
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
    LARK_FORM_SETTER(Caption)
    LARK_FORM_SETTER(Color)
    LARK_FORM_SETTER(ParentColor)
    LARK_FORM_SETTER(ParentFont)
    LARK_FORM_SETTER(DoubleBuffered)
    LARK_FORM_SETTER(IsHTML)
    LARK_FORM_SETTER(Layout)
    LARK_FORM_SETTER(Transparent)
    LARK_FORM_SETTER(WordWrap)
    LARK_HTML_STORAGE_SETTERS
    LARK_FORM_SETTER(Untrusted)

    explicit TLarkHTMLLabel(QWidget* parent = nullptr);

    // Whether a form writer stores the property: only away from its default.
    // Layout is always stored.
    bool IsColorStored() const { return !ParentColor(); }
    bool IsLayoutStored() const { return true; }
};

} // namespace lark
