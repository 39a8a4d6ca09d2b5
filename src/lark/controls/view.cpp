// The view's lifetime, properties and content: what is shown and when it is
// parsed again. Scrolling is view_scroll.cpp, painting view_paint.cpp, the
// mouse and the context menu view_input.cpp.
//
// The document is parsed by RebuildDocument alone. Everything that changes
// what is shown (caption, storage item, font, options, padding, image list)
// ends in TextChanged, which parses, shows the top and recomputes the scroll
// ranges. A change requested while the view paints (an event handler of the
// paint pass) would free the items being painted, so it waits until the
// paint is over.
#include <lark/controls/view.h>

#include <lark/framework/exceptions.h>
#include <lark/framework/limits.h>
#include <lark/framework/string_list.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QStringDecoder>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

// The text of a file's bytes: the encoding a byte-order mark names, else
// UTF-8; bytes that are not UTF-8 come from a legacy 8-bit file, read as
// Latin-1 so that no character is lost to a replacement mark.
QString DecodeFileText(const QByteArray& Bytes)
{
    const auto marked = QStringDecoder::encodingForData(Bytes);
    QStringDecoder decoder(marked.value_or(QStringDecoder::Utf8));
    QString text = decoder(Bytes);
    if (decoder.hasError() && !marked)
        return QString::fromLatin1(Bytes);
    return text;
}

} // namespace

//---- Lifetime -------------------------------------------------------------

TLarkCustomHTMLView::TLarkCustomHTMLView(QWidget* parent)
    : QWidget(parent)
    , TLarkHTMLHostBase(this, std::make_unique<TPadding>())
    , FHorzScrollBar(new QScrollBar(Qt::Horizontal, this))
    , FVertScrollBar(new QScrollBar(Qt::Vertical, this))
{
    TLarkHTMLRender& render = *Render();
    render.SetLinkSelect(true);
    render.SetDoubleBuffered(true);
    // Selection and hover changes show at once through the base's OnChange,
    // which also tells a screen reader where Tab went.

    for (QScrollBar* bar : {FHorzScrollBar, FVertScrollBar}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) { ScrollBarAction(bar, action); });
    }
    FHorzScrollBar->setSingleStep(1);

    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FCursor = cursor();
    FScrollStep = std::abs(Font().Height()) / 2;
    resize(200, 200);
    SetViewRect(ClientRect());
}

TLarkCustomHTMLView::~TLarkCustomHTMLView()
{
    ReleaseHost();
}

//---- Content --------------------------------------------------------------

void TLarkCustomHTMLView::SetCaption(const QString& Value)
{
    FCaption = Value;
    ContentChanged();
}

void TLarkCustomHTMLView::LoadFromFile(const QString& AFileName)
{
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EFOpenError(
            u"Cannot open file \"%1\". %2"_s.arg(QDir::toNativeSeparators(AFileName), file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw EReadError(
            u"Cannot read file \"%1\". %2"_s.arg(QDir::toNativeSeparators(AFileName), file.errorString()));
    }
    TStringList lines;
    lines.SetText(DecodeFileText(bytes));
    SetCaption(lines.Text());
}

void TLarkCustomHTMLView::OptionsChanged()
{
    // The wheel step follows the font, whatever changed it.
    FScrollStep = std::abs(Font().Height()) / 2;
    ContentChanged();
}

void TLarkCustomHTMLView::StorageChanged()
{
    ContentChanged();
}

void TLarkCustomHTMLView::ContentChanged()
{
    if (HostDestroying())
        return;
    if (FPainting || UpdatingLocked()) {
        DeferContentChange();
        return;
    }
    TextChanged();
}

void TLarkCustomHTMLView::TextChanged()
{
    FOffset = QPoint();
    RebuildDocument();
    UpdateScrollBars();
    update();
}

void TLarkCustomHTMLView::DeferContentChange()
{
    if (FContentDeferred)
        return;
    FContentDeferred = true;
    // Queued rather than run at the end of the paint: re-parsing frees the
    // embedded controls, which Qt may be about to paint.
    QMetaObject::invokeMethod(this, [this] { ApplyDeferredContentChange(); }, Qt::QueuedConnection);
}

void TLarkCustomHTMLView::ApplyDeferredContentChange()
{
    if (!FContentDeferred || HostDestroying())
        return;
    if (FPainting || UpdatingLocked())
        return; // UnlockUpdating or the next paint's end asks again
    FContentDeferred = false;
    TextChanged();
}

void TLarkCustomHTMLView::UnlockUpdating()
{
    TLarkHTMLHostBase::UnlockUpdating();
    if (FContentDeferred && !FPainting)
        ApplyDeferredContentChange();
}

void TLarkCustomHTMLView::RebuildDocument()
{
    FOffset = QPoint();
    if (HostDestroying())
        return;
    if (FPainting) {
        DeferContentChange();
        return;
    }
    if (FRebuilding) {
        FRebuildAgain = true;
        return;
    }
    FRebuilding = true;
    const auto done = qScopeGuard([this] { FRebuilding = false; });
    // The client area follows the widget's size now even if no resize
    // event told us yet (a hidden widget gets its resize event when shown).
    SetViewRect(ClientRect());
    int round = 0;
    do {
        FRebuildAgain = false;
        TLarkHTMLData& data = *Render()->Data();
        data.AssignSettings(this);
        // Runs carry no background of their own: the fill, the gradient or
        // the parent is painted under the whole text rectangle first, and a
        // run filled in the view's colour would box the text on a gradient
        // or on a transparent view.
        data.SetDefaultBgColor(clNone);
        Render()->PrepareText(GetSourceText(), FTextRect.width(), FWordWrap);
        FBuiltWidth = FTextRect.width();
    } while (FRebuildAgain && ++round < limits::kMaxNestedRebuilds);
    FRebuildAgain = false;
    // Embedded controls are children of the view like the scroll bars; the
    // bars stay on top.
    FHorzScrollBar->raise();
    FVertScrollBar->raise();
    FOffset = QPoint();
    DocumentRebuilt();
    update();
}

//---- Properties -------------------------------------------------------------

void TLarkCustomHTMLView::SetBackgroundType(TLarkBackgroundType Value)
{
    if (Value == FBackgroundType)
        return;
    FBackgroundType = Value;
    update();
}

void TLarkCustomHTMLView::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    // The client area changes size, which a wrapped document follows.
    UpdateScrollBars();
    update();
}

void TLarkCustomHTMLView::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    update();
}

void TLarkCustomHTMLView::SetGradientStartColor(TColor Value)
{
    if (Value == FGradientStartColor)
        return;
    FGradientStartColor = Value;
    if (FBackgroundType != bgtColorFill)
        update();
}

void TLarkCustomHTMLView::SetGradientEndColor(TColor Value)
{
    if (Value == FGradientEndColor)
        return;
    FGradientEndColor = Value;
    if (FBackgroundType != bgtColorFill)
        update();
}

void TLarkCustomHTMLView::SetGradientSteps(int Value)
{
    if (Value <= 0 || Value == FGradientSteps)
        return;
    FGradientSteps = Value;
    if (FBackgroundType != bgtColorFill)
        update();
}

void TLarkCustomHTMLView::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    // Without the opaque flag Qt paints the parent under the view first.
    setAttribute(Qt::WA_OpaquePaintEvent, !Value);
    update();
}

void TLarkCustomHTMLView::SetMargin(int Value)
{
    if (Value == FMargin)
        return;
    FMargin = Value;
    SetViewRect(ClientRect());
}

void TLarkCustomHTMLView::SetWordWrap(bool Value)
{
    if (Value == FWordWrap)
        return;
    FWordWrap = Value;
    UpdateScrollBars();
    RebuildDocument();
    UpdateScrollBars();
    update();
}

void TLarkCustomHTMLView::SetCursor(const QCursor& Value)
{
    if (Value.shape() == FCursor.shape() && Value.shape() != Qt::BitmapCursor)
        return;
    FCursor = Value;
    ShowCursorAt(mapFromGlobal(QCursor::pos()));
}

void TLarkCustomHTMLView::SetPosition(QPoint Value)
{
    if (Value == FOffset)
        return;
    FOffset = Value;
    UpdateScrollBars();
    update(ClientRect());
}

//---- Signals ----------------------------------------------------------------

void TLarkCustomHTMLView::NotifyLinkClick(const QString& HRef)
{
    Q_EMIT linkClicked(HRef);
}

void TLarkCustomHTMLView::NotifyStorageItemChanged(int OldItemIndex, int NewItemIndex)
{
    Q_EMIT storageItemChanged(OldItemIndex, NewItemIndex);
}

//---- The published view -----------------------------------------------------

TLarkHTMLView::TLarkHTMLView(QWidget* parent)
    : TLarkCustomHTMLView(parent)
{
}

TLarkHTMLView::~TLarkHTMLView() = default;

} // namespace lark
