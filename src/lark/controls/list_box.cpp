// The owner-drawn list box: construction, rows and selection, measured
// heights, the horizontal extent, and the keyboard. The settings are in
// list_box_settings.cpp, painting in list_box_paint.cpp, the editor in
// list_box_edit.cpp, the tooltip in list_box_hint.cpp.
#include <lark/controls/list_box.h>
#include "lark/controls/list_box_model_p.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScrollBar>

#include <algorithm>

namespace lark {

TLarkCustomListBox::TLarkCustomListBox(QWidget* parent)
    : QListView(parent)
    , FModel(std::make_unique<detail::TLarkListBoxModel>(this))
    , FDelegate(std::make_unique<TLarkListBoxDelegate>(this))
{
    setModel(FModel.get());
    setItemDelegate(FDelegate.get());
    setViewMode(ListMode);
    setMovement(Static);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setHorizontalScrollMode(ScrollPerPixel);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    ApplySelectionMode();
    ApplyLayoutMode();
    ApplyScrollBars();
    DoUpdate();
}

TLarkCustomListBox::~TLarkCustomListBox()
{
    FHintWindow.reset();
    // Letting go of the model clears the selection: that is nobody's choice.
    ++FProgramSelection;
    OnSelect = nullptr;
    if (FEdit) {
        FEdit->OnExit = nullptr;
        FEdit->OnKeyDown = nullptr;
    }
    // The view lets go of the model and the delegate before they go.
    setItemDelegate(nullptr);
    setModel(nullptr);
}

//---- Rows ---------------------------------------------------------------------

int TLarkCustomListBox::Count() const
{
    return FVirtual ? FVirtualCount : FItems.Count();
}

void TLarkCustomListBox::SetCount(int value)
{
    if (!FVirtual || value < 0 || value == FVirtualCount)
        return;
    RowsResetting();
    FVirtualCount = value;
    RowsReset();
}

QString TLarkCustomListBox::GetStringValue(int index) const
{
    if (FVirtual) {
        QString data;
        if (OnData && index >= 0 && index < FVirtualCount)
            OnData(const_cast<TLarkCustomListBox*>(this), index, data);
        return data;
    }
    return FItems.Strings(index);
}

QObject* TLarkCustomListBox::DataObject(int index) const
{
    QObject* object = nullptr;
    if (FVirtual && OnDataObject && index >= 0 && index < FVirtualCount)
        OnDataObject(const_cast<TLarkCustomListBox*>(this), index, object);
    return object;
}

// In virtual mode the rows are OnData's: a change to Items is not one of
// theirs, and its indexes may lie past them.
void TLarkCustomListBox::RowsInserting(int first, int last)
{
    if (FVirtual || DeferRowChange())
        return;
    CloseEditorForRowChange();
    if (int(FHeights.size()) == Count())
        FHeights.insert(FHeights.begin() + first, size_t(last - first + 1), -1);
    else
        FHeights.clear();
    FModel->beginInsertRows({}, first, last);
}

void TLarkCustomListBox::RowsInserted(int first, int last)
{
    if (FVirtual || RowChangeWaits())
        return;
    FModel->endInsertRows();
    if (FLargeTextOptions == lbltHorzScrollBar)
        for (int i = first; i <= last; ++i)
            NoteHorzExtent(ItemTextWidth(i));
}

void TLarkCustomListBox::RowsRemoving(int first, int last)
{
    if (FVirtual || DeferRowChange())
        return;
    CloseEditorForRowChange();
    if (FLargeTextOptions == lbltHorzScrollBar) {
        for (int i = first; i <= last && !FHorzWidthStale; ++i)
            FHorzWidthStale = ItemTextWidth(i) >= FHorzWidth;
        if (FHorzWidthStale)
            MoveHorz(QAbstractSlider::SliderToMinimum);
    }
    if (int(FHeights.size()) == Count())
        FHeights.erase(FHeights.begin() + first, FHeights.begin() + last + 1);
    else
        FHeights.clear();
    FModel->beginRemoveRows({}, first, last);
}

void TLarkCustomListBox::RowsRemoved()
{
    if (FVirtual || RowChangeWaits())
        return;
    FModel->endRemoveRows();
    if (FHorzWidthStale)
        RecomputeHorzExtent();
}

// A row's new text is its old one going and a new one coming, for the
// extent as for the height.
void TLarkCustomListBox::RowChanging(int index)
{
    if (FVirtual || DeferRowChange())
        return;
    if (FLargeTextOptions == lbltHorzScrollBar && ItemTextWidth(index) >= FHorzWidth)
        FHorzWidthStale = true;
}

void TLarkCustomListBox::RowChanged(int index)
{
    if (FVirtual || RowChangeWaits())
        return;
    if (FHorzWidthStale)
        RecomputeHorzExtent();
    else if (FLargeTextOptions == lbltHorzScrollBar)
        NoteHorzExtent(ItemTextWidth(index));
    if (index < int(FHeights.size()))
        FHeights[size_t(index)] = -1;
    FModel->RowChanged(index);
    if (VariableHeights())
        scheduleDelayedItemsLayout();
}

void TLarkCustomListBox::RowsResetting()
{
    CloseEditor();
    HideHint();
    if (DeferRowChange())
        return;
    FModel->beginResetModel();
    FHeights.clear();
    if (FHorzWidth != 0) {
        FHorzWidth = 0;
        MoveHorz(QAbstractSlider::SliderToMinimum);
    }
}

void TLarkCustomListBox::RowsReset()
{
    if (RowChangeWaits())
        return;
    FModel->endResetModel();
    if (FLargeTextOptions == lbltHorzScrollBar)
        RecomputeHorzExtent();
}

bool TLarkCustomListBox::DeferRowChange()
{
    if (RowChangeWaits())
        return true;
    if (FViewPass == 0)
        return false;
    // Called before the change: Count() is still what the view knows.
    FShownRows = Count();
    CloseEditorForRowChange();
    FHeights.clear();
    QMetaObject::invokeMethod(this, [this] { ApplyWaitingRowChanges(); }, Qt::QueuedConnection);
    return true;
}

void TLarkCustomListBox::ApplyWaitingRowChanges()
{
    if (!RowChangeWaits())
        return;
    FModel->beginResetModel();
    FShownRows = -1;
    FHeights.clear();
    FModel->endResetModel();
    if (FLargeTextOptions == lbltHorzScrollBar)
        RecomputeHorzExtent();
}

//---- Selection ------------------------------------------------------------------

void TLarkCustomListBox::ProgramSelection(const std::function<void()>& change)
{
    ++FProgramSelection;
    const auto done = qScopeGuard([this] { --FProgramSelection; });
    change();
}

int TLarkCustomListBox::ItemIndex() const
{
    const QModelIndex current = currentIndex();
    if (FMultiSelect)
        return current.isValid() ? current.row() : -1;
    if (current.isValid() && selectionModel()->isSelected(current))
        return current.row();
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TLarkCustomListBox::SetItemIndex(int value)
{
    ProgramSelection([&] {
        if (value < 0 || value >= Count()) {
            if (!FMultiSelect)
                selectionModel()->clearSelection();
            selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
            return;
        }
        const QModelIndex index = FModel->index(value, 0);
        selectionModel()->setCurrentIndex(index, FMultiSelect ? QItemSelectionModel::NoUpdate
                                                              : QItemSelectionModel::ClearAndSelect);
    });
}

bool TLarkCustomListBox::Selected(int index) const
{
    return selectionModel()->isRowSelected(index, {});
}

void TLarkCustomListBox::SetSelected(int row, bool value)
{
    if (row < 0 || row >= Count())
        return;
    ProgramSelection([&] {
        const QModelIndex index = FModel->index(row, 0);
        if (!FMultiSelect) {
            if (value)
                selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            else
                selectionModel()->select(index, QItemSelectionModel::Deselect);
            return;
        }
        selectionModel()->select(index, value ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    });
}

int TLarkCustomListBox::SelCount() const
{
    return int(selectionModel()->selectedRows().size());
}

void TLarkCustomListBox::ClearSelection()
{
    FItems.BeginUpdate();
    ProgramSelection([this] { selectionModel()->clearSelection(); });
    FItems.EndUpdate();
}

void TLarkCustomListBox::DeleteSelected()
{
    if (FVirtual)
        return;
    ProgramSelection([this] {
        if (FMultiSelect) {
            QModelIndexList rows = selectionModel()->selectedRows();
            std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() > b.row(); });
            FItems.BeginUpdate();
            for (const QModelIndex& row : std::as_const(rows))
                FItems.Delete(row.row());
            FItems.EndUpdate();
            return;
        }
        const int index = ItemIndex();
        if (index < 0)
            return;
        FItems.Delete(index);
        if (Count() > 0)
            SetItemIndex(std::min(index, Count() - 1));
    });
}

int TLarkCustomListBox::TopIndex() const
{
    return ItemAtPos(QPoint(1, 1));
}

void TLarkCustomListBox::SetTopIndex(int value)
{
    if (value >= 0 && value < Count())
        scrollTo(FModel->index(value, 0), PositionAtTop);
}

int TLarkCustomListBox::ItemAtPos(QPoint pos) const
{
    const QModelIndex index = indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

QRect TLarkCustomListBox::GetItemRect(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return visualRect(FModel->index(index, 0));
}

void TLarkCustomListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListView::selectionChanged(selected, deselected);
    if (FProgramSelection == 0)
        Select();
}

void TLarkCustomListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    // The focus frame moves with the current row.
    viewport()->update();
}

void TLarkCustomListBox::Select()
{
    const QPointer<TLarkCustomListBox> self(this);
    if (OnSelect)
        OnSelect(this);
    if (self)
        Q_EMIT selectChanged();
}

void TLarkCustomListBox::keyboardSearch(const QString& search)
{
    if (!FVirtual) {
        QListView::keyboardSearch(search);
        return;
    }
    if (!OnDataFind)
        return;
    const int found = OnDataFind(this, search);
    if (found >= 0 && found < Count())
        selectionModel()->setCurrentIndex(FModel->index(found, 0), QItemSelectionModel::ClearAndSelect);
}

//---- Heights and the horizontal extent ----------------------------------------------

bool TLarkCustomListBox::VariableHeights() const
{
    return !FVirtual && (FAutoHeight || FMeasureItem);
}

bool TLarkCustomListBox::HeightsCacheable() const
{
    return FHeightCaching && !OnMeasureItem;
}

int TLarkCustomListBox::RowHeight(int index)
{
    if (!VariableHeights() || index < 0 || index >= Count())
        return FItemHeight;
    const bool cacheable = HeightsCacheable();
    if (cacheable) {
        if (FMultiline && FHeightsWidth != viewport()->width()) {
            FHeights.clear();
            FHeightsWidth = viewport()->width();
        }
        if (int(FHeights.size()) != Count())
            FHeights.assign(size_t(Count()), -1);
        if (const int known = FHeights[size_t(index)]; known >= 0)
            return known;
    }
    int height = FItemHeight;
    MeasureItem(index, height);
    height = std::max(height, 1);
    // Measuring may have run a handler that changed the rows (and with
    // them the heights); a height of a row that moved is not kept.
    if (cacheable && int(FHeights.size()) == Count() && index < Count())
        FHeights[size_t(index)] = height;
    return height;
}

int TLarkCustomListBox::MeasureAllItems(bool fromTop, bool apply)
{
    const int top = fromTop ? std::max(TopIndex(), 0) : 0;
    int sum = 0;
    if (apply)
        FHeights.assign(size_t(Count()), -1);
    for (int i = 0; i < Count(); ++i) {
        int height = FItemHeight;
        MeasureItem(i, height);
        if (apply && size_t(i) < FHeights.size())
            FHeights[size_t(i)] = std::max(height, 1);
        if (i >= top)
            sum += height;
    }
    if (apply) {
        FHeightsWidth = viewport()->width();
        scheduleDelayedItemsLayout();
    }
    return sum;
}

void TLarkCustomListBox::RemeasureRows()
{
    FHeights.clear();
    scheduleDelayedItemsLayout();
    viewport()->update();
}

void TLarkCustomListBox::FontChanged()
{
    if (FLargeTextOptions == lbltHorzScrollBar)
        RecomputeHorzExtent();
    RemeasureRows();
}

int TLarkCustomListBox::SizeHintWidth() const
{
    if (FColumns > 0)
        return std::max(viewport()->width() / FColumns, 1);
    if (FLargeTextOptions == lbltHorzScrollBar && !FMultiline && FHorzWidth > 0)
        return FHorzWidth + 2 * FMargin;
    return 0;
}

void TLarkCustomListBox::NoteHorzExtent(int width)
{
    if (width <= FHorzWidth)
        return;
    FHorzWidth = width;
    scheduleDelayedItemsLayout();
}

void TLarkCustomListBox::RecomputeHorzExtent()
{
    FHorzWidthStale = false;
    int widest = 0;
    if (FLargeTextOptions == lbltHorzScrollBar)
        for (int i = 0; i < Count(); ++i)
            widest = std::max(widest, ItemTextWidth(i));
    FHorzWidth = widest;
    scheduleDelayedItemsLayout();
}

//---- Events -----------------------------------------------------------------------

void TLarkCustomListBox::keyPressEvent(QKeyEvent* event)
{
    HideHint();
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_Insert:
        if (FEditOptions.testFlag(lboAllowInsert)) {
            OpenEditor(true, ctrl ? ItemIndex() + 1 : ItemIndex());
            event->accept();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (FEditOptions.testFlag(lboAllowDelete)) {
            DeleteSelected();
            event->accept();
            return;
        }
        break;
    case Qt::Key_F2:
        if (FEditOptions.testFlag(lboAllowEdit)) {
            OpenEditor(false, -1);
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QListView::keyPressEvent(event);
}

void TLarkCustomListBox::mousePressEvent(QMouseEvent* event)
{
    HideHint();
    QListView::mousePressEvent(event);
}

void TLarkCustomListBox::resizeEvent(QResizeEvent* event)
{
    const int oldWidth = FHeightsWidth;
    QListView::resizeEvent(event);
    CloseEditor();
    if (FLargeTextOptions == lbltEndEllipsis || FLargeTextOptions == lbltPathEllipsis)
        viewport()->update();
    if (FAutoHeight && FMultiline && !FVirtual && oldWidth != viewport()->width())
        MeasureAllItems(true, true);
}

void TLarkCustomListBox::changeEvent(QEvent* event)
{
    QListView::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        HideHint();
        DoUpdate();
        break;
    case QEvent::FontChange:
        FontChanged();
        break;
    case QEvent::PaletteChange:
        DoUpdate();
        break;
    default:
        break;
    }
}

bool TLarkCustomListBox::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        UpdateHint(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    case QEvent::Leave:
        HideHint();
        break;
    default:
        break;
    }
    return QListView::viewportEvent(event);
}

} // namespace lark
