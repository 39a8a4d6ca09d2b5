// The HTML label: settings, re-layout (DoUpdate and the auto-size step), the
// text rectangle, and mouse handling. Painting is label_paint.cpp.
//
// The label parses only in DoUpdate, which every setter that affects layout
// calls. DoUpdate guards itself against re-entry: the auto-size step resizes
// the label, and the resize must not start a second parse while the first
// one is still running.
#include <lark/controls/label.h>
#include "lark/controls/label_p.h"
#include "lark/controls/graphic_host_events_p.h"

#include <lark/framework/limits.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <QEvent>
#include <QFontMetrics>
#include <QPointer>
#include <QScopeGuard>

namespace lark {

TLarkCustomHTMLLabel::TLarkCustomHTMLLabel(QWidget* parent)
    : QWidget(parent)
    , TLarkHTMLHostBase(this, std::make_unique<TLarkPadding>())
    , FEvents(std::make_unique<TGraphicHostEvents>(
          this, *this,
          TGraphicHostEvents::THooks{
              .LinkAt = [this](QPoint p) { return LinkAt(p); },
              .Click = [this] { Click(); },
              .Relayout = [this] { DoUpdate(); },
              // Not again for the size it laid out for (its own auto-size step).
              .Resized = [this] { if (size() != QSize(FCurrentWidth, FCurrentHeight)) DoUpdate(); },
          }))
{
    // A graphic control: never focused, but it follows the mouse for the
    // link cursor.
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    // The label buffers its own painting.
    Render()->SetDoubleBuffered(false);
    resize(TLabelDefaults::Width, TLabelDefaults::Height);
}

TLarkCustomHTMLLabel::~TLarkCustomHTMLLabel()
{
    ReleaseHost();
}

//---- Settings -------------------------------------------------------------

void TLarkCustomHTMLLabel::SetCaption(const TLarkHTMLCaption& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    DoUpdate();
}

void TLarkCustomHTMLLabel::SetIsHTML(bool value)
{
    if (value == FIsHTML)
        return;
    FIsHTML = value;
    DoUpdate();
}

QString TLarkCustomHTMLLabel::PlainText() const
{
    return FIsHTML ? Render()->AsText() : FCaption;
}

void TLarkCustomHTMLLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    update();
}

void TLarkCustomHTMLLabel::SetLayout(TTextLayout value)
{
    if (value == FTextLayout)
        return;
    FTextLayout = value;
    DoUpdate();
}

void TLarkCustomHTMLLabel::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    DoUpdate();
}

void TLarkCustomHTMLLabel::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    DoUpdate();
}

void TLarkCustomHTMLLabel::SetOffset(QPoint value)
{
    if (value == FOffset)
        return;
    FOffset = value;
    update();
}

TColor TLarkCustomHTMLLabel::Color() const
{
    return FParentColor ? FromQColor(palette().color(QPalette::Window)) : FColor;
}

// Runs of text carry the background colour from the parse, so a new colour
// needs a new parse, not just a repaint.
void TLarkCustomHTMLLabel::SetColor(TColor value)
{
    if (value == FColor && !FParentColor)
        return;
    // The colour inherited already changes nothing: a form that stores
    // ParentColor and the colour it gave reads the same in either order.
    if (FParentColor && value == Color())
        return;
    FColor = value;
    FParentColor = false;
    DoUpdate();
}

void TLarkCustomHTMLLabel::SetParentColor(bool value)
{
    if (value == FParentColor)
        return;
    FParentColor = value;
    DoUpdate();
}

void TLarkCustomHTMLLabel::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    // Opaque labels paint every pixel; transparent ones let Qt paint the
    // parent underneath first.
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    FTransparent = value;
    DoUpdate();
    update();
}

void TLarkCustomHTMLLabel::SetDoubleBuffered(bool value)
{
    FDoubleBuffered = value;
    DoUpdate();
}

TColor TLarkCustomHTMLLabel::BackgroundColor() const
{
    return Color();
}

//---- Change notifications ---------------------------------------------------

void TLarkCustomHTMLLabel::OptionsChanged()
{
    if (FUpdating || HostDestroying())
        return;
    DoUpdate();
    update();
}

void TLarkCustomHTMLLabel::StorageChanged()
{
    DoUpdate();
}

//---- Re-layout ----------------------------------------------------------------

void TLarkCustomHTMLLabel::DoUpdate()
{
    if (UpdatingLocked() || width() == 0 || height() == 0)
        return;
    FCurrentWidth = width();
    FCurrentHeight = height();
    TLarkHTMLData* data = Render() ? Render()->Data() : nullptr;
    if (FUpdating || !data || HostDestroying())
        return;
    FUpdating = true;
    const auto done = qScopeGuard([this] {
        FAlreadyInSetBounds = false;
        FUpdating = false;
    });

    data->AssignSettings(this);
    data->SetDefaultBgColor(FTransparent ? clNone : BackgroundColor());
    data->SetDefaultColor(StyledTextColor(QPalette::WindowText));
    const QMargins padding = Padding()->Margins();
    const int maxWidth = FAutoSize ? width() : width() - padding.left() - padding.right();
    if (FIsHTML) {
        Render()->PrepareText(GetSourceText(), maxWidth, FWordWrap);
    } else {
        // A document left from an earlier HTML text must not answer hit
        // tests for links nobody sees.
        data->ClearArrays();
        data->SetTextSize(QSize(0, 0));
        FPlainSize = detail::MeasurePlainText(GetSourceText(), Font(), rect());
    }

    FAlreadyInSetBounds = true;
    if (FWordWrap || FAutoSize)
        AdjustBounds();
    FAlreadyInSetBounds = false;
    // Layouts hear about a new size hint, and only about a new one.
    if (const QSize hint = sizeHint(); hint != FLastSizeHint) {
        FLastSizeHint = hint;
        updateGeometry();
    }
    DocumentRebuilt();
    update();
}

void TLarkCustomHTMLLabel::AdjustBounds()
{
    if (!FAutoSize || GetSourceText().isEmpty())
        return;
    QSize size;
    if (FIsHTML) {
        const TLarkHTMLData* data = Render()->Data();
        if (!data)
            return;
        if (data->TextSize().width() == 0 && !FAlreadyInSetBounds)
            DoUpdate();
        size = ContentSize();
    } else {
        size = detail::BoundedContentSize(detail::MeasurePlainText(GetSourceText(), Font(), rect()));
    }
    const QMargins padding = Padding()->Margins();
    size += QSize(padding.left() + padding.right(), padding.top() + padding.bottom());
    // A label sized to nothing would never lay out again (a 0-pixel label
    // skips DoUpdate), so markup that shows nothing leaves the size alone.
    if (size.isEmpty())
        return;
    resize(size);
    // A hidden label gets its resize event only when shown; it must not
    // parse again for a size it chose itself.
    FCurrentWidth = width();
    FCurrentHeight = height();
}

QSize TLarkCustomHTMLLabel::ContentSize() const
{
    if (!FIsHTML)
        return detail::BoundedContentSize(FPlainSize);
    const TLarkHTMLData* data = Render()->Data();
    return data ? detail::BoundedContentSize(data->TextSize()) : QSize(0, 0);
}

QSize TLarkCustomHTMLLabel::sizeHint() const
{
    const QMargins padding = Padding()->Margins();
    return ContentSize() + QSize(padding.left() + padding.right(), padding.top() + padding.bottom());
}

//---- Text rectangle -----------------------------------------------------------

QRect TLarkCustomHTMLLabel::GetTextRect() const
{
    // Without AutoSize the padding is taken off the client rectangle first and
    // the text is placed inside what is left. Shrinking the text's own
    // rectangle afterwards would cut a centred or right-justified text short
    // by the padding.
    const QRect box = FAutoSize ? rect() : rect().marginsRemoved(Padding()->Margins());
    return detail::PlaceText(box, ContentSize(), FAlignment, FTextLayout);
}

//---- Mouse --------------------------------------------------------------------

QPoint TLarkCustomHTMLLabel::DocumentPoint(QPoint clientPoint, const QRect& textRect) const
{
    QPoint p = clientPoint - textRect.topLeft();
    if (FAutoSize)
        p -= QPoint(Padding()->Left(), Padding()->Top());
    return p;
}

std::optional<QString> TLarkCustomHTMLLabel::LinkAt(QPoint clientPoint) const
{
    if (!FIsHTML)
        return std::nullopt;
    const QRect r = GetTextRect();
    QString href;
    if (!Render()->IsCursorOverLink(DocumentPoint(clientPoint, r), QPoint(0, 0), r, href))
        return std::nullopt;
    return href;
}

void TLarkCustomHTMLLabel::Click()
{
    // A handler may destroy the label.
    const QPointer<TLarkCustomHTMLLabel> self(this);
    if (OnClick)
        OnClick(this);
    if (self)
        Q_EMIT clicked();
}

bool TLarkCustomHTMLLabel::event(QEvent* event)
{
    return (FEvents && FEvents->Handle(event)) || QWidget::event(event);
}

//---- Published label ----------------------------------------------------------

TLarkHTMLLabel::TLarkHTMLLabel(QWidget* parent)
    : TLarkCustomHTMLLabel(parent)
{
}

} // namespace lark
