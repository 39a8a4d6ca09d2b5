#pragma once
// TLarkHTMLHostBase: what every HTML control shares, mixed into a QWidget.
//
// It owns the render object, the document font, the options and the padding,
// keeps the caption, the snippet storage binding and the image list, answers
// the host interface the engine asks for, and raises the host events. The
// widget class derives from QWidget first and from this base second, passes
// itself to the constructor, and answers the three hooks:
//
//     class MyHost : public QWidget, public TLarkHTMLHostBase
//     {
//     public:
//         MyHost() : TLarkHTMLHostBase(this, std::make_unique<TLarkPadding>()) {}
//         void SetCaption(const QString& Value) override;   // store, re-layout
//     protected:
//         void OptionsChanged() override;   // font, options or padding changed
//         void StorageChanged() override;   // storage, its item or the image list
//         bool IsWindowedControl() const override { return true; }
//     };
//
// Events are raised with the widget as Sender, except OnControlVisibilityNeeded,
// which passes on the render object it came from. The notification-only events
// also reach the widget's Qt signals through the Notify... hooks.

#include <lark/controls/control_defaults.h>
#include <lark/framework/color_choice.h>
#include <lark/framework/font.h>
#include <lark/framework/image_list.h>
#include <lark/framework/picture.h>
#include <lark/html/host/events.h>
#include <lark/html/host/host_control.h>
#include <lark/html/host/host_traits.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>
#include <lark/html/layout/text_layout.h>
#include <lark/storage/storage.h>

#include <QMenu>
#include <QMetaObject>
#include <QObject>
#include <QPalette>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QEvent;
class QWidget;

namespace lark {

class TCanvas;
class TLarkHTMLControlAllowList;
class TLarkHTMLRender;

class TLarkHTMLHostBase : public ILarkHTMLControl, public ILarkHTMLHostTraits
{
public:
    ~TLarkHTMLHostBase() override;
    TLarkHTMLHostBase(const TLarkHTMLHostBase&) = delete;
    TLarkHTMLHostBase& operator=(const TLarkHTMLHostBase&) = delete;

    //---- host interface
    TFont* GetFont() override { return &FFont; }
    TLarkHTMLOptions* GetOptions() override { return FOptions.get(); }
    // Caption, not the storage item's text.
    QString GetHTML() const override { return FCaption; }
    void SetHTML(const QString& value) override { SetCaption(value); }
    TPadding* GetPadding() override { return FPadding.get(); }
    QPoint GetOffset() const override { return {}; }
    void LockUpdating() override { FUpdatingLocked = true; }
    void UnlockUpdating() override { FUpdatingLocked = false; }
    void SetParameter(const QString& aName, const QString& aValue) override;

    //---- host traits
    bool IsDesigning() const override { return FDesigning; }
    // Set by design tools: an empty host then shows a dashed outline.
    void SetDesigning(bool value);

    //---- the document's settings
    TLarkHTMLRender* Render() const { return FRender.get(); }
    // The document's default font. Changes re-lay the document out.
    //
    // It keeps in step with the widget's Qt font. A change made here (an
    // assignment or any Font().Set...) becomes the widget's own font, so
    // that children inherit it and ParentFont turns off. A font set with
    // QWidget::setFont becomes the document font, and so does a font the
    // widget inherits while ParentFont is on; a widget whose font nobody set
    // (the application's font) shows the library's default document font.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& value) { FFont.Assign(value); }
    // Whether the document font follows the fonts the widget inherits: true
    // until a font is set on the widget or on the document. Turning it on
    // again drops the widget's own font; turning it off keeps the document
    // font as the widget's own.
    bool ParentFont() const;
    void SetParentFont(bool value);
    TLarkHTMLOptions* Options() const { return FOptions.get(); }
    // Copies Value's settings (one change); the host keeps its own object.
    void SetOptions(const TLarkHTMLOptions* value);
    TPadding* Padding() const { return FPadding.get(); }
    void SetPadding(const TPadding* value);

    // Options and Padding one value at a time, as forms and Qt Designer set
    // them (Qt's property system has no nested objects).
    TColor OptionsLinkColor() const { return FOptions->LinkColor(); }
    void SetOptionsLinkColor(TColor value) { FOptions->SetLinkColor(value); }
    int OptionsLineGap() const { return FOptions->LineGap(); }
    void SetOptionsLineGap(int value) { FOptions->SetLineGap(value); }
    TLarkHTMLOptions::TLinkStyleFlags OptionsLinkStyle() const { return FOptions->LinkStyleFlags(); }
    void SetOptionsLinkStyle(TLarkHTMLOptions::TLinkStyleFlags value) { FOptions->SetLinkStyleFlags(value); }
    int PaddingLeft() const { return FPadding->Left(); }
    void SetPaddingLeft(int value) { FPadding->SetLeft(value); }
    int PaddingTop() const { return FPadding->Top(); }
    void SetPaddingTop(int value) { FPadding->SetTop(value); }
    int PaddingRight() const { return FPadding->Right(); }
    void SetPaddingRight(int value) { FPadding->SetRight(value); }
    int PaddingBottom() const { return FPadding->Bottom(); }
    void SetPaddingBottom(int value) { FPadding->SetBottom(value); }

    //---- untrusted content (see TLarkHTMLRender::SetUntrusted)
    // Off by default. Turn it on for snippets from a database, the network or
    // users: no file or resource images, only the embedded controls and
    // properties ControlAllowList names, links only to http, https and mailto
    // targets, capped sizes. A link to any other target raises no
    // OnLinkClick; storage links still switch items. Changing it re-lays the
    // document out.
    bool Untrusted() const;
    void SetUntrusted(bool value);
    // The render object's list; changes apply at the next re-layout.
    TLarkHTMLControlAllowList& ControlAllowList();

    // The HTML (or plain) source shown when no storage item is.
    QString Caption() const { return FCaption; }
    virtual void SetCaption(const QString& value) = 0;

    //---- snippet storage
    // Not owned; cleared when the storage is destroyed.
    TLarkHTMLStorage* Storage() const { return FStorage; }
    void SetStorage(TLarkHTMLStorage* value);
    // The item shown. OnStorageItemChanged runs before the value is stored,
    // so its handler still reads the old index here.
    int StorageItemIndex() const { return FIndex; }
    void SetStorageItemIndex(int value);
    // The item a link to an unknown name switches to.
    int StorageItemNotFoundIndex() const { return FNotFoundIndex; }
    void SetStorageItemNotFoundIndex(int value) { FNotFoundIndex = value; }
    // Whether links whose target names a storage item switch to that item.
    bool CheckStorageLinks() const { return FCheckLinks; }
    void SetCheckStorageLinks(bool value) { FCheckLinks = value; }
    // True unless a storage is set and StorageItemIndex lies inside it.
    bool IsStorageLinkEmpty() const;
    // The source to render: the storage item's lines (each followed by
    // CR LF) when one is shown, else Caption.
    virtual QString GetSourceText() const;
    bool IsEmpty() const { return GetSourceText().isEmpty(); }

    //---- image list ("index:" images); not owned, cleared when destroyed
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* value);

    //---- link popup menu; not owned, cleared when destroyed
    QMenu* LinkPopupMenu() const { return FLinkPopupMenu; }
    void SetLinkPopupMenu(QMenu* value) { FLinkPopupMenu = value; }
    // Pops LinkPopupMenu up at the global point P (at the host's client
    // origin when P.x() is negative), after ending any mouse grab. The menu's
    // dynamic property "PopupComponent" names the host while it is open.
    virtual void PopupLinkMenu(QPoint p);

    //---- trigger methods
    // Follows a storage link when CheckStorageLinks is on and an item is
    // shown: a name found switches to that item and ends there; an unknown
    // name switches to StorageItemNotFoundIndex. Then raises OnLinkClick,
    // in untrusted mode only for a target IsUrlAllowedUntrusted accepts.
    virtual void TriggerLinkClickEvent(QObject* sender, const QString& hRef);
    virtual void TriggerImageNeededEvent(QObject* sender, const QString& sourceName, TPicture* image);
    virtual void TriggerVariableNeededEvent(QObject* sender, const QString& aVarName, QString& aVarValue);
    virtual void TriggerControlCreatedEvent(QObject* sender, QWidget* aControl);
    virtual void TriggerAdjustControlPositionEvent(QObject* sender, QWidget* aControl, TLarkHTMLItem* aData,
                                                   int& x, int& y);
    virtual void TriggerControlVisibilityEvent(QObject* sender, QWidget* aControl, TLarkHTMLItem* aData,
                                               bool& aVisible);
    // Raised with the Sender given, before the index changes.
    virtual void TriggerStorageItemChanged(QObject* sender, int oldItemIndex, int newItemIndex);
    virtual void TriggerTagFound(QObject* sender, QString& tag, TLarkHTMLItem*& item, TStringList*& params,
                                 bool aClosing, bool aSupported);

    //---- text selection (html_host_selection.cpp); off by default
    // With it on, a mouse drag selects text across runs and lines, a double
    // click selects a word and Ctrl+A everything; Ctrl+C and the context
    // menu's "Copy" put the selection on the clipboard as plain text and as
    // HTML. A click without a drag still follows a link or toggles a check
    // box. The selection is drawn in the palette's highlight colours, stays
    // while the document scrolls or wraps anew, and is dropped when the
    // shown source changes (a new caption or storage item). A host that
    // takes no focus takes it on a click while selection is on, so that the
    // keys reach it.
    bool TextSelection() const { return FTextSelection; }
    void SetTextSelection(bool value);
    // Plain-text offsets (TLarkHTMLTextLayout); empty when nothing is selected.
    TLarkHTMLTextRange SelectedRange() const;
    void SetSelectedRange(TLarkHTMLTextRange value);
    void SelectAll();
    void ClearTextSelection() { SetSelectedRange({}); }
    QString SelectedText() const;
    QString SelectedHTML() const;
    // Puts the selection on the clipboard (text and HTML); nothing when empty.
    void CopySelection() const;
    // The shown document as text on a page, for the area of the last paint;
    // nullptr when no document is laid out. Valid until the next re-layout.
    const TLarkHTMLTextLayout* TextLayout() const;
    // A client point as a document point, as the last paint placed the document.
    QPoint ClientToDocument(QPoint clientPoint) const;
    // A document rectangle as a client rectangle (the inverse of the above).
    QRect DocumentToClient(const QRect& docRect) const;

    //---- events
    TLarkHTMLLinkClickEvent OnLinkClick;
    TLarkHTMLImageNeededEvent OnGetImage;
    TLarkHTMLVariableNeededEvent OnGetVariable;
    TLarkHTMLControlCreatedEvent OnControlCreated;
    TLarkHTMLControlPositionNeededEvent OnAdjustControlPosition;
    TLarkHTMLControlVisibilityNeededEvent OnControlVisibilityNeeded;
    TLarkHTMLStorageItemChangedEvent OnStorageItemChanged;
    TLarkHTMLTagFoundEvent OnTagFound;

    //---- back to the defaults (THostDefaults), for the RESET of the properties
    void ResetCaption() { SetCaption({}); }
    void ResetParentFont() { SetParentFont(THostDefaults::ParentFont); }
    void ResetStorageItemIndex() { SetStorageItemIndex(THostDefaults::StorageItemIndex); }
    void ResetStorageItemNotFoundIndex() { SetStorageItemNotFoundIndex(THostDefaults::StorageItemNotFoundIndex); }
    void ResetCheckStorageLinks() { SetCheckStorageLinks(THostDefaults::CheckStorageLinks); }
    void ResetUntrusted() { SetUntrusted(THostDefaults::Untrusted); }
    void ResetTextSelection() { SetTextSelection(THostDefaults::TextSelection); }

protected:
    // aSelf is the widget this base is mixed into; aPadding the padding it
    // owns (TLarkPadding for margins of 1, TPadding for 0).
    TLarkHTMLHostBase(QWidget* aSelf, std::unique_ptr<TPadding> aPadding);

    QWidget* Self() const { return FSelf; }
    bool UpdatingLocked() const { return FUpdatingLocked; }
    // True from the start of the widget's destruction on.
    bool HostDestroying() const { return FHostDestroying; }
    // Derived destructors call this first: no hook runs after it, and the
    // embedded controls of the document go with the host.
    void ReleaseHost();
    // The widget's changeEvent passes QEvent::FontChange on here.
    void WidgetFontChanged();
    // For hosts without a window of their own (label, panel), whose
    // changeEvent passes every change on here: a font change becomes the
    // document font, a palette or style change re-lays the document out
    // (runs carry the default colours from the parse), an enabled change
    // repaints.
    void GraphicHostChanged(const QEvent* event, const std::function<void()>& relayout);
    // What a disabled host draws its text in: the palette's disabled window
    // text.
    TColor DisabledTextColor() const;
    // Draws the document at R, with the selection over it; a disabled host
    // draws all of it in DisabledTextColor.
    void DrawHostDocument(TCanvas& canvas, QPoint srcPoint, const QRect& r, const QRect& clipRect);
    // The document's default text colour: the font's colour, unless that is
    // the default clWindowText; then the colour Qt's widgets of this kind
    // draw their text in, the palette's Role of the group (which follows the
    // application's theme and a style sheet's "color"). An RGB value, so a
    // host parses again when its palette changes.
    TColor StyledTextColor(QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active) const;

    // The font, the options or the padding changed.
    virtual void OptionsChanged() = 0;
    // The storage, the item shown, the storage's items or the image list
    // changed.
    virtual void StorageChanged() = 0;

    // Hooks for the widget's signals; called right after the event.
    virtual void NotifyLinkClick(const QString& hRef) { (void)hRef; }
    virtual void NotifyControlCreated(QWidget* aControl) { (void)aControl; }
    // Called after OnGetImage: a connected slot may still load the picture.
    virtual void NotifyImageNeeded(const QString& sourceName, TPicture* image)
    {
        (void)sourceName;
        (void)image;
    }
    virtual void NotifyStorageItemChanged(int oldItemIndex, int newItemIndex)
    {
        (void)oldItemIndex;
        (void)newItemIndex;
    }

    // Hosts call this after every re-layout: a screen reader that follows
    // the host hears about new text.
    void DocumentRebuilt();

    // Hosts call this right after drawing the document with the same
    // arguments: it draws the selected text over its highlight.
    void PaintTextSelection(TCanvas& canvas, QPoint srcPoint, const QRect& r, const QRect& clipRect);

    QString FCaption;

private:
    // Passes the label's and the panel's widget changes on to GraphicHostChanged.
    friend class TGraphicHostEvents;

    void BindRenderEvents();
    void DocumentFontChanged();
    void TakeWidgetFont();
    void GiveWidgetFont();
    void StorageGone();
    void ImageListGone();
    // The widget's device pixel ratio changed: lay the document out again.
    void ScreenRatioChanged();

    QWidget* const FSelf;
    TFont FFont;
    std::unique_ptr<TLarkHTMLOptions> FOptions;
    std::unique_ptr<TPadding> FPadding;
    std::unique_ptr<TLarkHTMLRender> FRender;
    TLarkHTMLStorage* FStorage = nullptr; // cleared through the change link
    int FIndex = THostDefaults::StorageItemIndex;
    int FNotFoundIndex = THostDefaults::StorageItemNotFoundIndex;
    TLarkHTMLStorageChangeLink FChangeLink;
    bool FCheckLinks = THostDefaults::CheckStorageLinks;
    QPointer<TCustomImageList> FImageList;
    TChangeLink FImageListChangeLink;
    QMetaObject::Connection FImageListDestroyed;
    QPointer<QMenu> FLinkPopupMenu;
    std::unique_ptr<QObject> FScreenWatcher; // relayouts when the screen's ratio changes
    bool FUpdatingLocked = false;
    bool FDesigning = false;
    bool FHostDestroying = false;
    bool FSyncingFont = false; // one font is being copied to the other
    // Text selection: the range, the source it was made in, the mouse and
    // key handling (an event filter owned by the widget) and the cached layout.
    bool FTextSelection = THostDefaults::TextSelection;
    TLarkHTMLTextRange FSelection;
    QString FSelectionSource;
    QPointer<QObject> FTextSelector;
    Qt::FocusPolicy FFocusPolicyBeforeSelection = Qt::NoFocus;
    mutable std::unique_ptr<TLarkHTMLTextLayout> FTextLayout;
    mutable const TLarkHTMLData* FTextLayoutData = nullptr;
};

} // namespace lark
