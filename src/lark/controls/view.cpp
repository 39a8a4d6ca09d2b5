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
QString DecodeFileText(const QByteArray& bytes)
{
    const auto marked = QStringDecoder::encodingForData(bytes);
    QStringDecoder decoder(marked.value_or(QStringDecoder::Utf8));
    QString text = decoder(bytes);
    if (decoder.hasError() && !marked)
        return QString::fromLatin1(bytes);
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

void TLarkCustomHTMLView::SetCaption(const QString& value)
{
    FCaption = value;
    ContentChanged();
}

void TLarkCustomHTMLView::LoadFromFile(const QString& aFileName)
{
    QFile file(aFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EFOpenError(
            u"Cannot open file \"%1\". %2"_s.arg(QDir::toNativeSeparators(aFileName), file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw EReadError(
            u"Cannot read file \"%1\". %2"_s.arg(QDir::toNativeSeparators(aFileName), file.errorString()));
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

void TLarkCustomHTMLView::SetBackgroundType(TLarkBackgroundType value)
{
    if (value == FBackgroundType)
        return;
    FBackgroundType = value;
    update();
}

void TLarkCustomHTMLView::SetBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    // The client area changes size, which a wrapped document follows.
    UpdateScrollBars();
    update();
}

void TLarkCustomHTMLView::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TLarkCustomHTMLView::SetGradientStartColor(TColor value)
{
    if (value == FGradientStartColor)
        return;
    FGradientStartColor = value;
    if (FBackgroundType != bgtColorFill)
        update();
}

void TLarkCustomHTMLView::SetGradientEndColor(TColor value)
{
    if (value == FGradientEndColor)
        return;
    FGradientEndColor = value;
    if (FBackgroundType != bgtColorFill)
        update();
}

void TLarkCustomHTMLView::SetGradientSteps(int value)
{
    if (value <= 0 || value == FGradientSteps)
        return;
    FGradientSteps = value;
    if (FBackgroundType != bgtColorFill)
        update();
}

void TLarkCustomHTMLView::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    // Without the opaque flag Qt paints the parent under the view first.
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    update();
}

void TLarkCustomHTMLView::SetMargin(int value)
{
    if (value == FMargin)
        return;
    FMargin = value;
    SetViewRect(ClientRect());
}

void TLarkCustomHTMLView::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    UpdateScrollBars();
    RebuildDocument();
    UpdateScrollBars();
    update();
}

void TLarkCustomHTMLView::SetCursor(const QCursor& value)
{
    if (value.shape() == FCursor.shape() && value.shape() != Qt::BitmapCursor)
        return;
    FCursor = value;
    ShowCursorAt(mapFromGlobal(QCursor::pos()));
}

void TLarkCustomHTMLView::SetPosition(QPoint value)
{
    if (value == FOffset)
        return;
    FOffset = value;
    UpdateScrollBars();
    update(ClientRect());
}

//---- Signals ----------------------------------------------------------------

void TLarkCustomHTMLView::NotifyLinkClick(const QString& hRef)
{
    Q_EMIT linkClicked(hRef);
}

void TLarkCustomHTMLView::NotifyStorageItemChanged(int oldItemIndex, int newItemIndex)
{
    Q_EMIT storageItemChanged(oldItemIndex, newItemIndex);
}

//---- The published view -----------------------------------------------------

TLarkHTMLView::TLarkHTMLView(QWidget* parent)
    : TLarkCustomHTMLView(parent)
{
}

TLarkHTMLView::~TLarkHTMLView() = default;

} // namespace lark
