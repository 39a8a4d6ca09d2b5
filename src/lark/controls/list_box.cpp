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

void TLarkCustomListBox::SetCount(int Value)
{
    if (!FVirtual || Value < 0 || Value == FVirtualCount)
        return;
    RowsResetting();
    FVirtualCount = Value;
    RowsReset();
}

QString TLarkCustomListBox::GetStringValue(int Index) const
{
    if (FVirtual) {
        QString data;
        if (OnData && Index >= 0 && Index < FVirtualCount)
            OnData(const_cast<TLarkCustomListBox*>(this), Index, data);
        return data;
    }
    return FItems.Strings(Index);
}

QObject* TLarkCustomListBox::DataObject(int Index) const
{
    QObject* object = nullptr;
    if (FVirtual && OnDataObject && Index >= 0 && Index < FVirtualCount)
        OnDataObject(const_cast<TLarkCustomListBox*>(this), Index, object);
    return object;
}

// In virtual mode the rows are OnData's: a change to Items is not one of
// theirs, and its indexes may lie past them.
void TLarkCustomListBox::RowsInserting(int First, int Last)
{
    if (FVirtual || DeferRowChange())
        return;
    CloseEditorForRowChange();
    if (int(FHeights.size()) == Count())
        FHeights.insert(FHeights.begin() + First, size_t(Last - First + 1), -1);
    else
        FHeights.clear();
    FModel->beginInsertRows({}, First, Last);
}

void TLarkCustomListBox::RowsInserted(int First, int Last)
{
    if (FVirtual || RowChangeWaits())
        return;
    FModel->endInsertRows();
    if (FLargeTextOptions == lbltHorzScrollBar)
        for (int i = First; i <= Last; ++i)
            NoteHorzExtent(ItemTextWidth(i));
}

void TLarkCustomListBox::RowsRemoving(int First, int Last)
{
    if (FVirtual || DeferRowChange())
        return;
    CloseEditorForRowChange();
    if (FLargeTextOptions == lbltHorzScrollBar) {
        for (int i = First; i <= Last && !FHorzWidthStale; ++i)
            FHorzWidthStale = ItemTextWidth(i) >= FHorzWidth;
        if (FHorzWidthStale)
            MoveHorz(QAbstractSlider::SliderToMinimum);
    }
    if (int(FHeights.size()) == Count())
        FHeights.erase(FHeights.begin() + First, FHeights.begin() + Last + 1);
    else
        FHeights.clear();
    FModel->beginRemoveRows({}, First, Last);
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
void TLarkCustomListBox::RowChanging(int Index)
{
    if (FVirtual || DeferRowChange())
        return;
    if (FLargeTextOptions == lbltHorzScrollBar && ItemTextWidth(Index) >= FHorzWidth)
        FHorzWidthStale = true;
}

void TLarkCustomListBox::RowChanged(int Index)
{
    if (FVirtual || RowChangeWaits())
        return;
    if (FHorzWidthStale)
        RecomputeHorzExtent();
    else if (FLargeTextOptions == lbltHorzScrollBar)
        NoteHorzExtent(ItemTextWidth(Index));
    if (Index < int(FHeights.size()))
        FHeights[size_t(Index)] = -1;
    FModel->RowChanged(Index);
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

void TLarkCustomListBox::SetItemIndex(int Value)
{
    ProgramSelection([&] {
        if (Value < 0 || Value >= Count()) {
            if (!FMultiSelect)
                selectionModel()->clearSelection();
            selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
            return;
        }
        const QModelIndex index = FModel->index(Value, 0);
        selectionModel()->setCurrentIndex(index, FMultiSelect ? QItemSelectionModel::NoUpdate
                                                              : QItemSelectionModel::ClearAndSelect);
    });
}

bool TLarkCustomListBox::Selected(int Index) const
{
    return selectionModel()->isRowSelected(Index, {});
}

void TLarkCustomListBox::SetSelected(int Index, bool Value)
{
    if (Index < 0 || Index >= Count())
        return;
    ProgramSelection([&] {
        const QModelIndex index = FModel->index(Index, 0);
        if (!FMultiSelect) {
            if (Value)
                selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            else
                selectionModel()->select(index, QItemSelectionModel::Deselect);
            return;
        }
        selectionModel()->select(index, Value ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
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

void TLarkCustomListBox::SetTopIndex(int Value)
{
    if (Value >= 0 && Value < Count())
        scrollTo(FModel->index(Value, 0), PositionAtTop);
}

int TLarkCustomListBox::ItemAtPos(QPoint Pos) const
{
    const QModelIndex index = indexAt(Pos);
    return index.isValid() ? index.row() : -1;
}

QRect TLarkCustomListBox::GetItemRect(int Index) const
{
    if (Index < 0 || Index >= Count())
        return {};
    return visualRect(FModel->index(Index, 0));
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

int TLarkCustomListBox::RowHeight(int Index)
{
    if (!VariableHeights() || Index < 0 || Index >= Count())
        return FItemHeight;
    const bool cacheable = HeightsCacheable();
    if (cacheable) {
        if (FMultiline && FHeightsWidth != viewport()->width()) {
            FHeights.clear();
            FHeightsWidth = viewport()->width();
        }
        if (int(FHeights.size()) != Count())
            FHeights.assign(size_t(Count()), -1);
        if (const int known = FHeights[size_t(Index)]; known >= 0)
            return known;
    }
    int height = FItemHeight;
    MeasureItem(Index, height);
    height = std::max(height, 1);
    // Measuring may have run a handler that changed the rows (and with
    // them the heights); a height of a row that moved is not kept.
    if (cacheable && int(FHeights.size()) == Count() && Index < Count())
        FHeights[size_t(Index)] = height;
    return height;
}

int TLarkCustomListBox::MeasureAllItems(bool FromTop, bool Apply)
{
    const int top = FromTop ? std::max(TopIndex(), 0) : 0;
    int sum = 0;
    if (Apply)
        FHeights.assign(size_t(Count()), -1);
    for (int i = 0; i < Count(); ++i) {
        int height = FItemHeight;
        MeasureItem(i, height);
        if (Apply && size_t(i) < FHeights.size())
            FHeights[size_t(i)] = std::max(height, 1);
        if (i >= top)
            sum += height;
    }
    if (Apply) {
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

void TLarkCustomListBox::NoteHorzExtent(int Width)
{
    if (Width <= FHorzWidth)
        return;
    FHorzWidth = Width;
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
