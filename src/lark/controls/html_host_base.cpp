// The part every HTML control shares: ownership of the render object and the
// settings, the storage and image-list bindings, the host interface, and the
// trigger methods through which the render object's events reach the
// application.
#include <lark/controls/html_host_base.h>

#include <lark/html/model/data.h>
#include <lark/html/host/host_traits.h>
#include "lark/controls/accessible_html_p.h"

#include <lark/html/render.h>

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <QScopeGuard>
#include <QVariant>
#include <QWidget>

#include <functional>

namespace lark {

namespace {

// Tells the host when its widget lands on a screen of another device pixel
// ratio (moved to another screen, or the screen's scale changed): text is
// measured and images are chosen for a ratio, so the document is laid out
// again; buffers follow at the next paint.
class TScreenRatioWatcher : public QObject
{
public:
    // Not a child of the widget: it is made while the host's base is built,
    // and a new child would send ChildAdded to the half-built widget.
    TScreenRatioWatcher(QWidget* widget, std::function<void()> onChange)
        : FWidget(widget)
        , FRatio(widget->devicePixelRatioF())
        , FOnChange(std::move(onChange))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (IsScreenEvent(event->type()) && watched == FWidget) {
            const qreal ratio = static_cast<QWidget*>(watched)->devicePixelRatioF();
            if (ratio != FRatio) {
                FRatio = ratio;
                FOnChange();
            }
        }
        return false;
    }

private:
    static bool IsScreenEvent(QEvent::Type type)
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        if (Type == QEvent::DevicePixelRatioChange)
            return true;
#endif
        // Qt sends it to every widget of a window that changed screens.
        return type == QEvent::ScreenChangeInternal || type == QEvent::Show;
    }

    QWidget* FWidget;
    qreal FRatio;
    std::function<void()> FOnChange;
};

} // namespace

//---- Lifetime -------------------------------------------------------------

TLarkHTMLHostBase::TLarkHTMLHostBase(QWidget* aSelf, std::unique_ptr<TPadding> aPadding)
    : FSelf(aSelf)
    , FOptions(std::make_unique<TLarkHTMLOptions>(aSelf))
    , FPadding(std::move(aPadding))
    , FRender(std::make_unique<TLarkHTMLRender>())
{
    Q_ASSERT_X(FPadding, "TLarkHTMLHostBase", "a host needs a padding object");
    // A font the widget inherited at construction, before anything listens.
    TakeWidgetFont();
    FOptions->OnChange = [this](QObject*) { OptionsChanged(); };
    FFont.OnChange = [this](QObject*) { DocumentFontChanged(); };
    FPadding->OnChange = [this](QObject*) { OptionsChanged(); };
    FChangeLink.OnChange = [this](QObject*) { StorageChanged(); };
    FChangeLink.OnSenderDestroying = [this](QObject*) { StorageGone(); };
    FImageListChangeLink.OnChange = [this](QObject*) { StorageChanged(); };
    BindRenderEvents();
    // Hovered inputs, toggled check boxes and the selection change looks only
    // (and what a screen reader following the document hears).
    FRender->OnChange = [this](QObject*) {
        FSelf->update();
        detail::NotifyAccessibleDocumentChange(FSelf);
    };
    detail::InstallAccessibleFactory();
    FRender->SetControl(aSelf);
    FScreenWatcher = std::make_unique<TScreenRatioWatcher>(aSelf, [this] { ScreenRatioChanged(); });
}

void TLarkHTMLHostBase::ScreenRatioChanged()
{
    if (FHostDestroying)
        return;
    OptionsChanged();
    FSelf->update();
}

TLarkHTMLHostBase::~TLarkHTMLHostBase()
{
    ReleaseHost();
}

void TLarkHTMLHostBase::ReleaseHost()
{
    if (FHostDestroying)
        return;
    FHostDestroying = true;
    detail::NotifyAccessibleHostReleased(FSelf);
    // Nothing may call back into a half-destroyed widget.
    FScreenWatcher.reset();
    FOptions->OnChange = nullptr;
    FFont.OnChange = nullptr;
    FPadding->OnChange = nullptr;
    FChangeLink.OnChange = nullptr;
    FChangeLink.OnSenderDestroying = nullptr;
    FImageListChangeLink.OnChange = nullptr;
    QObject::disconnect(FImageListDestroyed);
    if (FChangeLink.Sender())
        FChangeLink.Sender()->UnRegisterChanges(&FChangeLink);
    if (FImageListChangeLink.Sender())
        FImageListChangeLink.Sender()->UnRegisterChanges(&FImageListChangeLink);
    FRender->OnImageNeededEx = nullptr;
    FRender->OnVariableNeeded = nullptr;
    FRender->OnControlCreated = nullptr;
    FRender->OnAdjustControlPosition = nullptr;
    FRender->OnSetControlVisibility = nullptr;
    FRender->OnTagFound = nullptr;
    FRender->OnChange = nullptr;
    // A host without a window of its own puts the embedded controls on its
    // parent, which would keep them after the host is gone: free them with
    // the document while the render object still frees controls.
    if (!IsWindowedHost(FSelf) && FRender->Data())
        FRender->Data()->ClearArrays();
    FRender.reset();
}

void TLarkHTMLHostBase::BindRenderEvents()
{
    TLarkHTMLRender& render = *FRender;
    render.OnImageNeededEx = [this](QObject* sender, const QString& sourceName, TPicture* image) {
        TriggerImageNeededEvent(sender, sourceName, image);
    };
    render.OnVariableNeeded = [this](QObject* sender, const QString& aVarName, QString& aVarValue) {
        TriggerVariableNeededEvent(sender, aVarName, aVarValue);
    };
    render.OnControlCreated = [this](QObject* sender, QWidget* aControl) {
        TriggerControlCreatedEvent(sender, aControl);
    };
    render.OnAdjustControlPosition = [this](QObject* sender, QWidget* aControl, TLarkHTMLItem* aData, int& x,
                                            int& y) {
        TriggerAdjustControlPositionEvent(sender, aControl, aData, x, y);
    };
    render.OnSetControlVisibility = [this](QObject* sender, QWidget* aControl, TLarkHTMLItem* aData,
                                           bool& aVisible) {
        TriggerControlVisibilityEvent(sender, aControl, aData, aVisible);
    };
    render.OnTagFound = [this](QObject* sender, QString& tag, TLarkHTMLItem*& item, TStringList*& params,
                               bool aClosing, bool aSupported) {
        TriggerTagFound(sender, tag, item, params, aClosing, aSupported);
    };
}

void TLarkHTMLHostBase::DocumentRebuilt()
{
    detail::NotifyAccessibleDocumentRebuilt(FSelf);
}

//---- Host interface and settings ------------------------------------------

void TLarkHTMLHostBase::SetParameter(const QString& aName, const QString& aValue)
{
    FRender->SetParameter(aName, aValue);
}

void TLarkHTMLHostBase::SetDesigning(bool value)
{
    if (value == FDesigning)
        return;
    FDesigning = value;
    FSelf->update();
}

void TLarkHTMLHostBase::SetOptions(const TLarkHTMLOptions* value)
{
    if (value)
        FOptions->Assign(value);
}

void TLarkHTMLHostBase::SetPadding(const TPadding* value)
{
    if (value)
        FPadding->Assign(*value);
}

bool TLarkHTMLHostBase::Untrusted() const
{
    return FRender->Untrusted();
}

void TLarkHTMLHostBase::SetUntrusted(bool value)
{
    if (value == FRender->Untrusted())
        return;
    FRender->SetUntrusted(value);
    OptionsChanged();
}

TLarkHTMLControlAllowList& TLarkHTMLHostBase::ControlAllowList()
{
    return FRender->ControlAllowList();
}

//---- Font -------------------------------------------------------------------
//
// Two fonts describe one thing: the document's TFont (what the engine lays
// out with, in the component model's terms) and the widget's QFont (what Qt
// propagates to children and what Qt Designer edits). Each side copies to
// the other only when the change started on its own side; FSyncingFont marks
// a copy in progress, so the copy's own notification goes no further:
//
//   TFont changed     -> QWidget::setFont (FontChange ignored)  -> re-layout
//   QWidget FontChange -> TFont::Assign (no setFont back)        -> re-layout
//
// Qt's own flag is the single truth for ParentFont: a widget with a font of
// its own (WA_SetFont) does not follow its parent.

bool TLarkHTMLHostBase::ParentFont() const
{
    return !FSelf->testAttribute(Qt::WA_SetFont);
}

void TLarkHTMLHostBase::SetParentFont(bool value)
{
    if (value == ParentFont())
        return;
    if (!value) {
        GiveWidgetFont();
        return;
    }
    {
        // A font without resolved properties hands them all back to the parent.
        FSyncingFont = true;
        const auto done = qScopeGuard([this] { FSyncingFont = false; });
        FSelf->setFont(QFont());
    }
    TakeWidgetFont();
}

void TLarkHTMLHostBase::WidgetFontChanged()
{
    if (!FSyncingFont && !FHostDestroying)
        TakeWidgetFont();
}

void TLarkHTMLHostBase::GraphicHostChanged(const QEvent* event, const std::function<void()>& relayout)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        FSelf->update();
        break;
    case QEvent::FontChange:
        WidgetFontChanged();
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        relayout();
        break;
    default:
        break;
    }
}

TColor TLarkHTMLHostBase::StyledTextColor(QPalette::ColorRole role, QPalette::ColorGroup group) const
{
    if (FFont.Color() != clWindowText)
        return FFont.Color();
    return FromQColor(FSelf->palette().color(group, role));
}

void TLarkHTMLHostBase::DocumentFontChanged()
{
    if (!FSyncingFont)
        GiveWidgetFont();
    OptionsChanged();
}

// The widget's font as the document font: a font somebody set, on the widget
// or on a parent it inherits from, else the library's default document font
// (the application's font is Qt's default, not a choice made for documents).
void TLarkHTMLHostBase::TakeWidgetFont()
{
    const QFont widgetFont = FSelf->font();
    const bool chosen = FSelf->testAttribute(Qt::WA_SetFont) || widgetFont != QApplication::font(FSelf);
    if (chosen && widgetFont == FFont.ToQFont())
        return;
    TFont taken;
    taken.Assign(FFont);
    if (chosen) {
        taken.AssignQFont(widgetFont);
    } else {
        const TFont defaults;
        taken.SetName(defaults.Name());
        taken.SetHeight(defaults.Height());
        taken.SetStyle(defaults.Style());
    }
    FSyncingFont = true;
    const auto done = qScopeGuard([this] { FSyncingFont = false; });
    FFont.Assign(taken);
}

// The document font as the widget's own, complete font: nothing of it is
// inherited any more, and children inherit all of it.
void TLarkHTMLHostBase::GiveWidgetFont()
{
    QFont font = FFont.ToQFont();
    font.setResolveMask(QFont::AllPropertiesResolved);
    FSyncingFont = true;
    const auto done = qScopeGuard([this] { FSyncingFont = false; });
    FSelf->setFont(font);
}

//---- Storage ----------------------------------------------------------------

void TLarkHTMLHostBase::SetStorage(TLarkHTMLStorage* value)
{
    if (FChangeLink.Sender())
        FChangeLink.Sender()->UnRegisterChanges(&FChangeLink);
    FStorage = value;
    if (FStorage)
        FStorage->RegisterChanges(&FChangeLink);
    StorageChanged();
}

void TLarkHTMLHostBase::SetStorageItemIndex(int value)
{
    if (value == FIndex)
        return;
    // The handler may destroy the host (a form closing on a page change).
    const QPointer<QWidget> alive(FSelf);
    TriggerStorageItemChanged(FSelf, FIndex, value);
    if (!alive)
        return;
    FIndex = value;
    if (FStorage)
        StorageChanged();
}

// The storage is being destroyed and has already dropped our link.
void TLarkHTMLHostBase::StorageGone()
{
    FStorage = nullptr;
    StorageChanged();
}

bool TLarkHTMLHostBase::IsStorageLinkEmpty() const
{
    return !FStorage || FIndex < 0 || FIndex >= FStorage->Count();
}

QString TLarkHTMLHostBase::GetSourceText() const
{
    if (IsStorageLinkEmpty())
        return FCaption;
    return FStorage->Items()->Items(FIndex)->Lines().Text();
}

//---- Image list and popup menu --------------------------------------------

void TLarkHTMLHostBase::SetImageList(TCustomImageList* value)
{
    // The link knows its list even when the list is half destroyed.
    if (FImageListChangeLink.Sender())
        FImageListChangeLink.Sender()->UnRegisterChanges(&FImageListChangeLink);
    QObject::disconnect(FImageListDestroyed);
    FImageList = value;
    FRender->SetImageList(value);
    if (value) {
        value->RegisterChanges(&FImageListChangeLink);
        FImageListDestroyed = QObject::connect(value, &QObject::destroyed, FSelf, [this] { ImageListGone(); });
    }
    StorageChanged();
}

void TLarkHTMLHostBase::ImageListGone()
{
    FImageList = nullptr;
    FRender->SetImageList(nullptr);
    StorageChanged();
}

void TLarkHTMLHostBase::PopupLinkMenu(QPoint p)
{
    QMenu* menu = FLinkPopupMenu;
    if (!menu)
        return;
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    menu->setProperty("PopupComponent", QVariant::fromValue<QObject*>(FSelf));
    if (p.x() < 0)
        p = FSelf->mapToGlobal(QPoint(0, 0));
    menu->popup(p);
}

//---- Triggers ---------------------------------------------------------------

// The event goes out with the host as Sender, whoever asked.
void TLarkHTMLHostBase::TriggerLinkClickEvent(QObject*, const QString& hRef)
{
    const QPointer<QWidget> alive(FSelf);
    if (FCheckLinks && !IsStorageLinkEmpty()) {
        const int index = FStorage->GetNamedIndex(hRef);
        if (index >= 0) {
            SetStorageItemIndex(index);
            return;
        }
        SetStorageItemIndex(FNotFoundIndex);
        if (!alive)
            return;
    }
    // Untrusted content hands the application no target it could not open
    // safely; the not-found switch above is the host's own business.
    if (Untrusted() && !TLarkHTMLRender::IsUrlAllowedUntrusted(hRef))
        return;
    if (OnLinkClick)
        OnLinkClick(FSelf, hRef);
    if (alive)
        NotifyLinkClick(hRef);
}

void TLarkHTMLHostBase::TriggerImageNeededEvent(QObject*, const QString& sourceName, TPicture* image)
{
    const QPointer<QWidget> alive(FSelf);
    if (OnGetImage)
        OnGetImage(FSelf, sourceName, image);
    if (alive)
        NotifyImageNeeded(sourceName, image);
}

void TLarkHTMLHostBase::TriggerVariableNeededEvent(QObject*, const QString& aVarName, QString& aVarValue)
{
    if (OnGetVariable)
        OnGetVariable(FSelf, aVarName, aVarValue);
}

void TLarkHTMLHostBase::TriggerControlCreatedEvent(QObject*, QWidget* aControl)
{
    const QPointer<QWidget> alive(FSelf);
    if (OnControlCreated)
        OnControlCreated(FSelf, aControl);
    if (alive)
        NotifyControlCreated(aControl);
}

void TLarkHTMLHostBase::TriggerAdjustControlPositionEvent(QObject*, QWidget* aControl, TLarkHTMLItem* aData,
                                                          int& x, int& y)
{
    if (OnAdjustControlPosition)
        OnAdjustControlPosition(FSelf, aControl, aData, x, y);
}

void TLarkHTMLHostBase::TriggerControlVisibilityEvent(QObject* sender, QWidget* aControl, TLarkHTMLItem* aData,
                                                      bool& aVisible)
{
    if (OnControlVisibilityNeeded)
        OnControlVisibilityNeeded(sender, aControl, aData, aVisible);
}

void TLarkHTMLHostBase::TriggerStorageItemChanged(QObject* sender, int oldItemIndex, int newItemIndex)
{
    const QPointer<QWidget> alive(FSelf);
    if (OnStorageItemChanged)
        OnStorageItemChanged(sender, oldItemIndex, newItemIndex);
    if (alive)
        NotifyStorageItemChanged(oldItemIndex, newItemIndex);
}

void TLarkHTMLHostBase::TriggerTagFound(QObject*, QString& tag, TLarkHTMLItem*& item, TStringList*& params,
                                       bool aClosing, bool aSupported)
{
    if (OnTagFound)
        OnTagFound(FSelf, tag, item, params, aClosing, aSupported);
}

} // namespace lark
