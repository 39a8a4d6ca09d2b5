#include "navigation_bar.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace lark::demo {

namespace {

constexpr int kMargin = 2;         // around everything and between categories
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 2;
constexpr int kStripWidth = 18;    // the caption strip of an expanded category
constexpr int kHeaderHeight = 22;  // a collapsed category
constexpr int kToggleSize = 11;
constexpr int kTextPadding = 6;
constexpr double kRadius = 3.0;

bool IsDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.45;
}

QColor Mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

TCategoryButtons::TCategoryButtons(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    setAutoFillBackground(true);
}

int TCategoryButtons::AddCategory(const QString& caption, TColor color)
{
    FCategories.append({ caption, color, {}, false, {}, {}, {}, {} });
    Relayout();
    return int(FCategories.size()) - 1;
}

void TCategoryButtons::AddButton(int category, const QString& caption)
{
    FCategories[category].Buttons.append(caption);
    Relayout();
}

void TCategoryButtons::SetButtonColors(TColor regular, TColor selected)
{
    FButtonColor = regular;
    FSelectedColor = selected;
    update();
}

QString TCategoryButtons::CategoryCaption(int category) const
{
    return ShownCaption(FCategories.at(category).Caption);
}

void TCategoryButtons::SetCollapsed(int category, bool value)
{
    if (FCategories.at(category).Collapsed == value)
        return;
    FCategories[category].Collapsed = value;
    Relayout();
}

void TCategoryButtons::SetSelectedButton(const QString& caption)
{
    FSelected = caption;
    update();
}

QRect TCategoryButtons::ButtonRect(const QString& caption) const
{
    for (const Category& category : FCategories) {
        const qsizetype i = category.Buttons.indexOf(caption);
        if (i >= 0)
            return category.Collapsed ? QRect() : category.ButtonRects.at(i);
    }
    return {};
}

QRect TCategoryButtons::ToggleRect(int category) const
{
    return FCategories.at(category).Toggle;
}

QSize TCategoryButtons::sizeHint() const
{
    return { 153, FContentHeight };
}

QSize TCategoryButtons::minimumSizeHint() const
{
    return { kStripWidth + 4 * kTextPadding, kHeaderHeight + 2 * kMargin };
}

// An ampersand pair is one ampersand on screen.
QString TCategoryButtons::ShownCaption(const QString& caption) const
{
    QString shown = caption;
    return shown.replace(u"&&"_s, u"&"_s);
}

int TCategoryButtons::VerticalCaptionLength(const Category& category) const
{
    QFont bold = font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(ShownCaption(category.Caption));
}

void TCategoryButtons::Relayout()
{
    const int width = std::max(this->width(), minimumSizeHint().width());
    int y = kMargin;
    for (Category& category : FCategories) {
        category.ButtonRects.clear();
        if (category.Collapsed) {
            category.Frame = QRect(kMargin, y, width - 2 * kMargin, kHeaderHeight);
            category.Toggle = QRect(category.Frame.left() + (kStripWidth - kToggleSize) / 2,
                                    y + (kHeaderHeight - kToggleSize) / 2, kToggleSize, kToggleSize);
            category.CaptionArea = category.Frame;
            for (qsizetype i = 0; i < category.Buttons.size(); ++i)
                category.ButtonRects.append(QRect());
            y += kHeaderHeight + kMargin;
            continue;
        }
        // The strip holds the box and the caption running upwards; the
        // category is as tall as its buttons or its caption, whichever is more.
        const int buttons = int(category.Buttons.size());
        const int buttonsHeight = buttons * kButtonHeight + (buttons + 1) * kButtonGap;
        const int captionHeight = kToggleSize + 3 * kTextPadding + VerticalCaptionLength(category);
        const int height = std::max(buttonsHeight, captionHeight);
        category.Frame = QRect(kMargin, y, width - 2 * kMargin, height);
        category.CaptionArea = QRect(category.Frame.left(), y, kStripWidth, height);
        category.Toggle = QRect(category.Frame.left() + (kStripWidth - kToggleSize) / 2, y + kTextPadding,
                                kToggleSize, kToggleSize);
        int by = y + kButtonGap;
        const int bx = category.Frame.left() + kStripWidth;
        for (int i = 0; i < buttons; ++i) {
            category.ButtonRects.append(QRect(bx, by, category.Frame.right() - bx - 1, kButtonHeight));
            by += kButtonHeight + kButtonGap;
        }
        y += height + kMargin;
    }
    FContentHeight = y;
    updateGeometry();
    update();
}

std::pair<int, int> TCategoryButtons::ButtonAt(QPoint pos) const
{
    for (int c = 0; c < CategoryCount(); ++c) {
        const Category& category = FCategories.at(c);
        if (category.Collapsed)
            continue;
        for (int b = 0; b < category.ButtonRects.size(); ++b) {
            if (category.ButtonRects.at(b).contains(pos))
                return { c, b };
        }
    }
    return { -1, -1 };
}

int TCategoryButtons::CategoryToggleAt(QPoint pos) const
{
    for (int c = 0; c < CategoryCount(); ++c) {
        if (FCategories.at(c).CaptionArea.contains(pos))
            return c;
    }
    return -1;
}

QStringList TCategoryButtons::VisibleButtons() const
{
    QStringList visible;
    for (const Category& category : FCategories) {
        if (!category.Collapsed)
            visible += category.Buttons;
    }
    return visible;
}

void TCategoryButtons::Click(const QString& caption)
{
    SetSelectedButton(caption);
    Q_EMIT buttonClicked(caption);
}

void TCategoryButtons::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const auto [c, b] = ButtonAt(event->position().toPoint());
    FPressed = c >= 0 ? FCategories.at(c).Buttons.at(b) : QString();
    const int toggled = CategoryToggleAt(event->position().toPoint());
    if (toggled >= 0)
        SetCollapsed(toggled, !FCategories.at(toggled).Collapsed);
    update();
}

void TCategoryButtons::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const QString pressed = std::exchange(FPressed, QString());
    const auto [c, b] = ButtonAt(event->position().toPoint());
    if (!pressed.isEmpty() && c >= 0 && FCategories.at(c).Buttons.at(b) == pressed)
        Click(pressed);
    update();
}

void TCategoryButtons::mouseMoveEvent(QMouseEvent* event)
{
    const auto [c, b] = ButtonAt(event->position().toPoint());
    const QString hot = c >= 0 ? FCategories.at(c).Buttons.at(b) : QString();
    const bool overToggle = CategoryToggleAt(event->position().toPoint()) >= 0;
    setCursor(c >= 0 || overToggle ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (hot != FHot) {
        FHot = hot;
        update();
    }
}

void TCategoryButtons::leaveEvent(QEvent* event)
{
    FHot.clear();
    update();
    QWidget::leaveEvent(event);
}

void TCategoryButtons::keyPressEvent(QKeyEvent* event)
{
    const QStringList visible = VisibleButtons();
    if (visible.isEmpty())
        return QWidget::keyPressEvent(event);
    const qsizetype at = visible.indexOf(FSelected);
    switch (event->key()) {
    case Qt::Key_Up:
        Click(visible.at(at <= 0 ? 0 : at - 1));
        return;
    case Qt::Key_Down:
        Click(visible.at(at < 0 ? 0 : std::min(at + 1, visible.size() - 1)));
        return;
    case Qt::Key_Home:
        Click(visible.constFirst());
        return;
    case Qt::Key_End:
        Click(visible.constLast());
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TCategoryButtons::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void TCategoryButtons::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        Relayout();
    QWidget::changeEvent(event);
}

// The bar's own colour on a light palette; on a dark one a tint of it over
// the window colour (DarkStrength of the way).
QColor TCategoryButtons::Tint(TColor color, double darkStrength) const
{
    const QColor own = ToQColor(color, this);
    if (!IsDark(palette()))
        return own;
    return Mix(palette().color(QPalette::Window), own, darkStrength);
}

void TCategoryButtons::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Category& category : FCategories)
        PaintCategory(painter, category);
}

void TCategoryButtons::PaintCategory(QPainter& painter, const Category& category) const
{
    const QColor base = Tint(category.Color, 0.12);
    QLinearGradient fill(category.Frame.topLeft(), category.Frame.topRight());
    fill.setColorAt(0, base);
    fill.setColorAt(1, Mix(base, palette().color(QPalette::Base), 0.5));
    QPainterPath frame;
    frame.addRoundedRect(QRectF(category.Frame).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    painter.fillPath(frame, fill);
    painter.setPen(Mix(base, palette().color(QPalette::Mid), 0.6));
    painter.drawPath(frame);

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::WindowText));
    const QString caption = ShownCaption(category.Caption);
    PaintToggle(painter, category.Toggle, category.Collapsed, base);
    if (category.Collapsed) {
        const QRect text = category.Frame.adjusted(kStripWidth, 0, -kTextPadding, 0);
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, caption);
        return;
    }
    // Upwards along the strip, starting under the box.
    painter.save();
    const int length = category.Frame.bottom() - category.Toggle.bottom() - 2 * kTextPadding;
    painter.translate(category.CaptionArea.left(), category.Toggle.bottom() + kTextPadding + length);
    painter.rotate(-90);
    painter.drawText(QRect(0, 0, length, kStripWidth), Qt::AlignRight | Qt::AlignVCenter, caption);
    painter.restore();

    painter.setFont(font());
    for (qsizetype i = 0; i < category.Buttons.size(); ++i)
        PaintButton(painter, category.ButtonRects.at(i), category.Buttons.at(i));
}

void TCategoryButtons::PaintButton(QPainter& painter, const QRect& r, const QString& caption) const
{
    const bool selected = caption == FSelected;
    const bool hot = caption == FHot;
    const bool pressed = caption == FPressed && hot;
    QColor face = Tint(selected || pressed ? FSelectedColor : FButtonColor, selected ? 0.32 : 0.2);
    if (hot && !selected)
        face = Mix(face, palette().color(QPalette::Highlight), 0.12);
    // Lighter at the top, the face colour at the bottom; pressed the other way.
    const QColor light = Mix(face, IsDark(palette()) ? palette().color(QPalette::Light) : QColor(Qt::white), 0.55);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, pressed ? face : light);
    fill.setColorAt(1, pressed ? light : face);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), kRadius - 1, kRadius - 1);
    painter.fillPath(shape, fill);
    if (selected || hot) {
        painter.setPen(Mix(face, palette().color(QPalette::Shadow), selected ? 0.45 : 0.25));
        painter.drawPath(shape);
    }

    const QRect text = r.adjusted(kTextPadding, 0, -kTextPadding, 0);
    painter.setPen(palette().color(QPalette::ButtonText));
    const QString shown = QFontMetrics(font()).elidedText(caption, Qt::ElideRight, text.width());
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, shown);

    if (selected && hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = r.adjusted(2, 2, -2, -2);
        option.backgroundColor = face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TCategoryButtons::PaintToggle(QPainter& painter, const QRect& r, bool collapsed, const QColor& background) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(palette().color(QPalette::Mid).darker(IsDark(palette()) ? 80 : 120));
    painter.setBrush(Mix(background, palette().color(QPalette::Base), 0.7));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::WindowText));
    const QPoint c = r.center();
    painter.drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
    if (collapsed)
        painter.drawLine(c.x(), c.y() - 2, c.x(), c.y() + 2);
    painter.restore();
}

} // namespace lark::demo
