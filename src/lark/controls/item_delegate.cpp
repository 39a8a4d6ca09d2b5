// The HTML item delegate: one row laid out, drawn and hit-tested at a time,
// for the HTML list box and for any Qt item view.
//
// A single-line row is laid out without wrapping and is as high as its
// first run of text, so that a row with a large image still lines up with
// its neighbours as a list of text; a multi-line row wraps at its width and
// is as high as its document.
#include <lark/controls/item_delegate.h>

#include <lark/framework/canvas.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

// Rows are drawn this far in from the cell's left edge.
constexpr int kRowIndent = 2;

const QString kEllipsis = u"..."_s;

//---- Writing input states back into a row's markup ------------------------------

// An input tag the parser turns into a check box or radio button item.
const QRegularExpression& InputTagPattern()
{
    static const QRegularExpression pattern(
        uR"(<!--.*?-->|<input\b((?:[^>"']|"[^"]*"|'[^']*')*)>)"_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

const QRegularExpression& CheckableTypePattern()
{
    static const QRegularExpression pattern(uR"(\btype\s*=\s*["']?(checkbox|radio)\b)"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

const QRegularExpression& CheckedAttributePattern()
{
    static const QRegularExpression pattern(uR"(\s+checked\s*=\s*("[^"]*"|'[^']*'|[^\s>]*))"_s,
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// Html with the checked attribute of its n-th check box or radio tag set
// to States[n]; nothing when the tags and the states do not pair up.
std::optional<QString> WithInputStates(const QString& html, const QList<bool>& states)
{
    QString result;
    qsizetype copied = 0;
    qsizetype n = 0;
    auto it = InputTagPattern().globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        if (match.capturedLength(1) == 0 && !match.captured(0).startsWith(u"<input", Qt::CaseInsensitive))
            continue; // a comment
        QString attributes = match.captured(1);
        if (!CheckableTypePattern().match(attributes).hasMatch())
            continue;
        if (n >= states.size())
            return std::nullopt;
        attributes.remove(CheckedAttributePattern());
        const bool selfClosing = attributes.endsWith(u'/');
        if (selfClosing)
            attributes.chop(1);
        while (attributes.endsWith(u' '))
            attributes.chop(1);
        if (states[n])
            attributes += u" checked=\"True\""_s;
        if (selfClosing)
            attributes += u" /"_s;
        result += QStringView(html).mid(copied, match.capturedStart(0) - copied);
        result += u"<input"_s + attributes + u'>';
        copied = match.capturedEnd(0);
        ++n;
    }
    if (n != states.size())
        return std::nullopt;
    result += QStringView(html).mid(copied);
    return result;
}

QList<bool> InputStates(const TLarkHTMLData& data)
{
    QList<bool> states;
    for (const auto& item : data.Items())
        if (const auto* input = dynamic_cast<const TLarkHTMLInputItem*>(item.get()))
            states.append(input->Checked());
    return states;
}

} // namespace

//---- Lifetime -------------------------------------------------------------------------

TLarkHTMLItemDelegate::TLarkHTMLItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
    , FOwnRender(std::make_unique<TLarkHTMLRender>())
    , FRender(FOwnRender.get())
    , FHost(this)
    , FOptions(std::make_unique<TLarkHTMLOptions>(this))
{
    // Rows are drawn straight onto the view's painter.
    FRender->SetDoubleBuffered(false);
    // A delegate with settings of its own draws in the application's font.
    FFont.AssignQFont(QApplication::font());
    FFont.OnChange = [this](QObject*) { Repaint(); };
    FOptions->OnChange = [this](QObject*) { Repaint(); };
    BindOwnRender();
}

TLarkHTMLItemDelegate::TLarkHTMLItemDelegate(TLarkHTMLRender* sharedRender, ILarkHTMLControl* host,
                                             QObject* parent)
    : QStyledItemDelegate(parent)
    , FRender(sharedRender)
    , FHost(host)
    , FOptions(std::make_unique<TLarkHTMLOptions>(this))
    , FElideRows(false)
{
}

TLarkHTMLItemDelegate::~TLarkHTMLItemDelegate()
{
    FFont.OnChange = nullptr;
    FOptions->OnChange = nullptr;
}

void TLarkHTMLItemDelegate::BindOwnRender()
{
    TLarkHTMLRender& render = *FRender;
    render.OnImageNeededEx = [this](QObject*, const QString& sourceName, TPicture* image) {
        if (OnGetImage)
            OnGetImage(this, sourceName, image);
    };
    render.OnVariableNeeded = [this](QObject*, const QString& aVarName, QString& aVarValue) {
        if (OnGetVariable)
            OnGetVariable(this, aVarName, aVarValue);
    };
    render.OnTagFound = [this](QObject*, QString& tag, TLarkHTMLItem*& item, TStringList*& params, bool aClosing,
                               bool aSupported) {
        if (OnTagFound)
            OnTagFound(this, tag, item, params, aClosing, aSupported);
    };
}

void TLarkHTMLItemDelegate::SetParameter(const QString& aName, const QString& aValue)
{
    FRender->SetParameter(aName, aValue);
}

TCustomImageList* TLarkHTMLItemDelegate::ImageList() const
{
    return FRender->ImageList();
}

void TLarkHTMLItemDelegate::SetImageList(TCustomImageList* value)
{
    FRender->SetImageList(value);
    Repaint();
}

void TLarkHTMLItemDelegate::SetMultiLine(bool value)
{
    if (value == FMultiLine)
        return;
    FMultiLine = value;
    for (const QPointer<QWidget>& viewport : std::as_const(FWatched))
        if (viewport)
            if (auto* view = qobject_cast<QAbstractItemView*>(viewport->parentWidget()))
                view->doItemsLayout();
    Repaint();
}

void TLarkHTMLItemDelegate::SetElideRows(bool value)
{
    if (value == FElideRows)
        return;
    FElideRows = value;
    Repaint();
}

void TLarkHTMLItemDelegate::Repaint()
{
    for (const QPointer<QWidget>& viewport : std::as_const(FWatched))
        if (viewport)
            viewport->update();
}

//---- One row -------------------------------------------------------------------------------

void TLarkHTMLItemDelegate::PrepareRow(const QString& html, int width, bool multiLine, const TRowLook& look)
{
    TLarkHTMLData* data = FRender->Data();
    data->AssignSettings(FHost);
    data->SetDefaultColor(look.Text);
    data->SetDefaultBgColor(look.Background);
    data->SetDefaultStyle(data->DefaultStyle() | look.Style);
    if (multiLine)
        FRender->PrepareText(html, std::max(width, 1), true);
    else
        FRender->PrepareText(html, 0, false);
}

int TLarkHTMLItemDelegate::SingleLineHeight() const
{
    const TLarkHTMLData* data = FRender->Data();
    int baseLine = 0;
    for (const auto& item : data->Items()) {
        if (item->ItemType() != hitChar)
            continue;
        if (const int height = item->GetHeight(baseLine); height > 0)
            return height;
    }
    if (TLarkHTMLItem* last = data->LastItem())
        return last->GetHeight(baseLine);
    return data->TextSize().height();
}

int TLarkHTMLItemDelegate::MeasureRow(const QString& html, int width, bool multiLine)
{
    PrepareRow(html, width, multiLine, {});
    return multiLine ? FRender->Data()->TextSize().height() : SingleLineHeight();
}

void TLarkHTMLItemDelegate::DrawRow(TCanvas& canvas, const QString& html, QRect r, bool multiLine,
                                    const TRowLook& look, bool elide)
{
    PrepareRow(html, r.width(), multiLine, look);
    if (!multiLine)
        r.setHeight(SingleLineHeight());
    const int width = FRender->Data()->TextSize().width();
    if (!elide || multiLine || width <= r.width()) {
        FRender->DrawText(canvas, QPoint(0, 0), r, look.Background, r);
        return;
    }
    // The row is cut where "..." still fits after it.
    const QFontMetrics metrics(FFont.ToQFont());
    const int dots = metrics.horizontalAdvance(kEllipsis);
    const QRect shown(r.topLeft(), QSize(std::max(r.width() - dots, 0), r.height()));
    FRender->DrawText(canvas, QPoint(0, 0), r, look.Background, shown);
    if (QPainter* painter = canvas.Painter()) {
        painter->save();
        painter->setClipRect(r, Qt::IntersectClip);
        painter->setFont(FFont.ToQFont());
        painter->setPen(ToQColor(look.Text));
        painter->drawText(QRect(shown.right() + 1, r.top(), dots, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                          kEllipsis);
        painter->restore();
    }
}

std::optional<QString> TLarkHTMLItemDelegate::LinkAt(const QString& html, const QRect& r, QPoint p, bool multiLine)
{
    PrepareRow(html, r.width(), multiLine, {});
    QString href;
    if (!FRender->IsCursorOverLink(p, QPoint(0, 0), QRect(QPoint(0, 0), r.size()), href))
        return std::nullopt;
    return href;
}

std::optional<QString> TLarkHTMLItemDelegate::ClickInputAt(const QString& html, const QRect& r, QPoint p,
                                                           bool multiLine)
{
    PrepareRow(html, r.width(), multiLine, {});
    auto* input = dynamic_cast<TLarkHTMLInputItem*>(FRender->GetItemAt(p, QPoint(0, 0), QRect(QPoint(0, 0), r.size())));
    if (!input)
        return std::nullopt;
    const QList<bool> before = InputStates(*FRender->Data());
    // The group rule of radio buttons applies inside the row.
    input->SetChecked(input->InputType() == itRadioButton ? true : !input->Checked());
    const QList<bool> after = InputStates(*FRender->Data());
    if (after == before)
        return std::nullopt;
    return WithInputStates(html, after);
}

//---- As a delegate of any view ---------------------------------------------------------------

QRect TLarkHTMLItemDelegate::CellTextRect(const QStyleOptionViewItem& option) const
{
    return option.rect.adjusted(kRowIndent, 0, 0, 0);
}

TLarkHTMLItemDelegate::TRowLook TLarkHTMLItemDelegate::CellLook(const QStyleOptionViewItem& option) const
{
    TRowLook look;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group = !option.state.testFlag(QStyle::State_Enabled) ? QPalette::Disabled
        : option.state.testFlag(QStyle::State_Active)                                ? QPalette::Active
                                                                                     : QPalette::Inactive;
    look.Text = FromQColor(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    look.Background = clNone;
    return look;
}

void TLarkHTMLItemDelegate::Watch(const QWidget* widget) const
{
    const auto* view = qobject_cast<const QAbstractItemView*>(widget);
    if (!view)
        return;
    QWidget* viewport = view->viewport();
    for (const QPointer<QWidget>& watched : std::as_const(FWatched))
        if (watched == viewport)
            return;
    FWatched.removeAll(nullptr);
    FWatched.append(viewport);
    viewport->setMouseTracking(true);
    viewport->installEventFilter(const_cast<TLarkHTMLItemDelegate*>(this));
}

void TLarkHTMLItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    Watch(option.widget);
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString html = cell.text;
    cell.text.clear();
    // The style draws the cell: selection, hover, focus, decoration.
    const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget);
    painter->save();
    TCanvas canvas(painter);
    auto* self = const_cast<TLarkHTMLItemDelegate*>(this);
    const QRect r = textRect.isValid() ? textRect.adjusted(kRowIndent - 1, 0, 0, 0) : CellTextRect(option);
    // A single line sits in the middle of a taller cell.
    QRect row = r;
    if (!FMultiLine) {
        const int height = self->MeasureRow(html, 0, false);
        row.moveTop(r.top() + std::max((r.height() - height) / 2, 0));
    }
    self->DrawRow(canvas, html, row, FMultiLine, CellLook(cell), FElideRows);
    painter->restore();
}

QSize TLarkHTMLItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    auto* self = const_cast<TLarkHTMLItemDelegate*>(this);
    const int width = CellTextRect(option).width();
    const int height = self->MeasureRow(cell.text, width, FMultiLine);
    const int textWidth = FMultiLine ? width : FRender->Data()->TextSize().width();
    return {textWidth + 2 * kRowIndent, height + 2};
}

std::optional<QString> TLarkHTMLItemDelegate::LinkInCell(QAbstractItemView* view, QPoint viewportPos)
{
    const QModelIndex index = view->indexAt(viewportPos);
    if (!index.isValid() || view->itemDelegateForIndex(index) != this)
        return std::nullopt;
    const QRect r = view->visualRect(index).adjusted(kRowIndent, 0, 0, 0);
    const QString html = index.data(Qt::DisplayRole).toString();
    int top = r.top();
    if (!FMultiLine)
        top += std::max((r.height() - MeasureRow(html, 0, false)) / 2, 0);
    return LinkAt(html, r, viewportPos - QPoint(r.left(), top), FMultiLine);
}

bool TLarkHTMLItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                        const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    auto* view = qobject_cast<QAbstractItemView*>(const_cast<QWidget*>(option.widget));
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const std::optional<QString> href = view ? LinkInCell(view, mouse->position().toPoint()) : std::nullopt;
    if (!href)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    // A click on a link follows it and leaves the selection alone.
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        const QPointer<TLarkHTMLItemDelegate> self(this);
        const QPersistentModelIndex clicked(index);
        if (OnLinkClick)
            OnLinkClick(this, *href);
        if (self)
            Q_EMIT linkClicked(*href, clicked);
    }
    return true;
}

bool TLarkHTMLItemDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Leave) {
        auto* viewport = qobject_cast<QWidget*>(watched);
        auto* view = viewport ? qobject_cast<QAbstractItemView*>(viewport->parentWidget()) : nullptr;
        if (view) {
            const bool overLink = event->type() == QEvent::MouseMove &&
                LinkInCell(view, static_cast<QMouseEvent*>(event)->position().toPoint()).has_value();
            if (overLink)
                viewport->setCursor(Qt::PointingHandCursor);
            else if (viewport->cursor().shape() == Qt::PointingHandCursor)
                viewport->unsetCursor();
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

} // namespace lark
