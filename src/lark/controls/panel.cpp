// The HTML panel: settings, re-layout (DoUpdate and the auto-size step), the
// text rectangle, links and mouse handling. Painting is panel_paint.cpp.
//
// The panel parses only in DoUpdate. Everything is measured inside the
// frame: the document wraps at the width between the frame's inner edges
// (less the padding), the text rectangle lies inside the frame, and the
// auto-size step adds the frame on every side.
//
// IsHTML and ShowCaption only choose what is painted. The document is kept
// while the plain caption shows (and the other way round), so switching back
// costs no parse unless the text, the font or the width changed meanwhile.
#include "lark/controls/label_p.h"
#include "lark/controls/graphic_host_events_p.h"
#include <lark/controls/panel.h>

#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <QEvent>
#include <QPointer>
#include <QScopeGuard>

#include <algorithm>

namespace lark {

TLarkCustomHTMLPanel::TLarkCustomHTMLPanel(QWidget* parent)
    : QWidget(parent)
    , TLarkHTMLHostBase(this, std::make_unique<TPadding>())
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
    // A container, not a tab stop: its links are clicked, its embedded
    // controls take the focus themselves.
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    // The panel buffers its own painting when asked to.
    Render()->SetDoubleBuffered(false);
    resize(TPanelDefaults::Width, TPanelDefaults::Height);
}

TLarkCustomHTMLPanel::~TLarkCustomHTMLPanel()
{
    ReleaseHost();
}

//---- What is shown ----------------------------------------------------------

void TLarkCustomHTMLPanel::SetCaption(const TLarkHTMLCaption& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    DoUpdate();
}

void TLarkCustomHTMLPanel::SetIsHTML(bool value)
{
    if (value == FIsHTML)
        return;
    FIsHTML = value;
    if (FIsHTML && FDocumentStale) {
        DoUpdate();
        return;
    }
    if (!FIsHTML && FPlainStale)
        MeasurePlainCaption();
    // The other text may have another size.
    if (FAutoSize) {
        FAlreadyInSetBounds = true;
        const auto done = qScopeGuard([this] { FAlreadyInSetBounds = false; });
        AdjustBounds();
    }
    update();
}

void TLarkCustomHTMLPanel::SetShowCaption(bool value)
{
    if (value == FShowCaption)
        return;
    FShowCaption = value;
    update();
}

//---- Placement ----------------------------------------------------------------

void TLarkCustomHTMLPanel::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    update();
}

void TLarkCustomHTMLPanel::SetLayout(TTextLayout value)
{
    if (value == FTextLayout)
        return;
    FTextLayout = value;
    DoUpdate();
}

void TLarkCustomHTMLPanel::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    DoUpdate();
}

void TLarkCustomHTMLPanel::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    DoUpdate();
}

void TLarkCustomHTMLPanel::SetOffset(QPoint value)
{
    if (value == FOffset)
        return;
    FOffset = value;
    update();
}

//---- Frame and look -------------------------------------------------------------

void TLarkCustomHTMLPanel::SetBevelOuter(TPanelBevel value)
{
    if (value == FBevelOuter)
        return;
    FBevelOuter = value;
    DoUpdate();
}

void TLarkCustomHTMLPanel::SetBevelInner(TPanelBevel value)
{
    if (value == FBevelInner)
        return;
    FBevelInner = value;
    DoUpdate();
}

void TLarkCustomHTMLPanel::SetBevelWidth(int value)
{
    SetFrameValue(FBevelWidth, value, 1);
}

void TLarkCustomHTMLPanel::SetBorderWidth(int value)
{
    SetFrameValue(FBorderWidth, value, 0);
}

// The frame decides the width the document wraps at and the auto-size.
void TLarkCustomHTMLPanel::SetFrameValue(int& field, int value, int lowest)
{
    value = std::clamp(value, lowest, MaxFrameWidth);
    if (value == field)
        return;
    field = value;
    DoUpdate();
}

int TLarkCustomHTMLPanel::FrameWidth() const
{
    const int bevels = (FBevelOuter != bvNone ? 1 : 0) + (FBevelInner != bvNone ? 1 : 0);
    return bevels * FBevelWidth + FBorderWidth;
}

QPoint TLarkCustomHTMLPanel::GetOffset() const
{
    const int frame = FrameWidth();
    return {frame, frame};
}

// Runs carry no background of their own (the panel's fill shows under them),
// so a new colour needs only a repaint.
void TLarkCustomHTMLPanel::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TLarkCustomHTMLPanel::SetDoubleBuffered(bool value)
{
    if (value == FDoubleBuffered)
        return;
    FDoubleBuffered = value;
    update();
}

//---- Change notifications ---------------------------------------------------

void TLarkCustomHTMLPanel::OptionsChanged()
{
    if (FUpdating || HostDestroying())
        return;
    DoUpdate();
}

void TLarkCustomHTMLPanel::StorageChanged()
{
    if (HostDestroying())
        return;
    DoUpdate();
}

//---- Re-layout ----------------------------------------------------------------

void TLarkCustomHTMLPanel::DoUpdate()
{
    if (UpdatingLocked() || width() == 0 || height() == 0) {
        // Whatever changed is not measured yet, in either form.
        FDocumentStale = true;
        FPlainStale = true;
        return;
    }
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
    // Only the text colour: runs keep no background, the panel's shows.
    data->SetDefaultColor(StyledTextColor(QPalette::WindowText));
    if (FIsHTML) {
        const QMargins padding = Padding()->Margins();
        const int maxWidth = std::max(0, width() - 2 * FrameWidth() - padding.left() - padding.right());
        Render()->PrepareText(GetSourceText(), maxWidth, FWordWrap);
        FDocumentStale = false;
        FPlainStale = true;
    } else {
        MeasurePlainCaption();
        FDocumentStale = true;
    }

    FAlreadyInSetBounds = true;
    if (FWordWrap || FAutoSize)
        AdjustBounds();
    FAlreadyInSetBounds = false;
    if (const QSize hint = sizeHint(); hint != FLastSizeHint) {
        FLastSizeHint = hint;
        updateGeometry();
    }
    DocumentRebuilt();
    update();
}

void TLarkCustomHTMLPanel::MeasurePlainCaption()
{
    FPlainSize = detail::MeasurePlainText(GetSourceText(), Font(), rect());
    FPlainStale = false;
}

void TLarkCustomHTMLPanel::AdjustBounds()
{
    if (!FAutoSize || GetSourceText().isEmpty() || rect().isEmpty())
        return;
    if (FIsHTML) {
        const TLarkHTMLData* data = Render()->Data();
        if (!data)
            return;
        if (data->TextSize().width() == 0 && !FAlreadyInSetBounds)
            DoUpdate();
    }
    const QSize content = ContentSize();
    // Markup that shows nothing leaves the size alone: a panel sized to its
    // frame alone would wrap its next text at width 0.
    if (content.isEmpty())
        return;
    resize(sizeHint());
    // A hidden panel gets its resize event only when shown; it must not
    // parse again for a size it chose itself.
    FCurrentWidth = width();
    FCurrentHeight = height();
}

QSize TLarkCustomHTMLPanel::ContentSize() const
{
    if (!FIsHTML)
        return detail::BoundedContentSize(FPlainSize);
    const TLarkHTMLData* data = Render()->Data();
    return data ? detail::BoundedContentSize(data->TextSize()) : QSize(0, 0);
}

QSize TLarkCustomHTMLPanel::sizeHint() const
{
    const QMargins padding = Padding()->Margins();
    const int frame = 2 * FrameWidth();
    return ContentSize() + QSize(frame + padding.left() + padding.right(), frame + padding.top() + padding.bottom());
}

//---- Text rectangle -----------------------------------------------------------

QRect TLarkCustomHTMLPanel::InnerRect() const
{
    const int frame = FrameWidth();
    return rect().marginsRemoved(QMargins(frame, frame, frame, frame));
}

QRect TLarkCustomHTMLPanel::GetTextRect() const
{
    // The box is the client area inside the frame less the padding, with or
    // without AutoSize, so that a centred or right-justified document keeps
    // clear of the padding on both sides.
    return detail::PlaceText(InnerRect().marginsRemoved(Padding()->Margins()), ContentSize(), FAlignment,
                             FTextLayout);
}

//---- Links and embedded controls ------------------------------------------------

void TLarkCustomHTMLPanel::TriggerLinkClickEvent(QObject*, const QString& hRef)
{
    if (Untrusted() && !TLarkHTMLRender::IsUrlAllowedUntrusted(hRef))
        return;
    const QPointer<QWidget> alive(this);
    if (OnLinkClick)
        OnLinkClick(this, hRef);
    if (alive)
        NotifyLinkClick(hRef);
}

// The engine places a control at the frame plus the padding plus its place
// in the document; the document itself starts wherever Layout and Alignment
// put it inside that.
void TLarkCustomHTMLPanel::TriggerAdjustControlPositionEvent(QObject* sender, QWidget* aControl,
                                                             TLarkHTMLItem* aData, int& x, int& y)
{
    const int frame = FrameWidth();
    const QPoint shift = GetTextRect().topLeft() - QPoint(frame + Padding()->Left(), frame + Padding()->Top());
    x += shift.x();
    y += shift.y();
    TLarkHTMLHostBase::TriggerAdjustControlPositionEvent(sender, aControl, aData, x, y);
}

//---- Mouse --------------------------------------------------------------------

std::optional<QString> TLarkCustomHTMLPanel::LinkAt(QPoint clientPoint) const
{
    if (!ShowsDocument())
        return std::nullopt;
    const QRect r = GetTextRect();
    // Only what is drawn can be hit: nothing on the frame.
    if (!InnerRect().contains(clientPoint))
        return std::nullopt;
    QString href;
    if (!Render()->IsCursorOverLink(clientPoint - r.topLeft(), QPoint(0, 0), r, href))
        return std::nullopt;
    return href;
}

void TLarkCustomHTMLPanel::Click()
{
    // A handler may destroy the panel.
    const QPointer<TLarkCustomHTMLPanel> self(this);
    if (OnClick)
        OnClick(this);
    if (self)
        Q_EMIT clicked();
}

bool TLarkCustomHTMLPanel::event(QEvent* event)
{
    return (FEvents && FEvents->Handle(event)) || QWidget::event(event);
}

//---- Published panel ----------------------------------------------------------

TLarkHTMLPanel::TLarkHTMLPanel(QWidget* parent)
    : TLarkCustomHTMLPanel(parent)
{
}

} // namespace lark
