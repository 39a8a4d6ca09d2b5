#pragma once
// Internal: the list model a list box shows, and its tooltip window.
//
// The model owns no rows: it reads the list box's Items, or its Count and
// OnData in virtual mode. Items tells the list box about each change as it
// happens, and the list box passes the change on through the model's
// begin/end pairs, so that the view updates row by row.

#include <lark/controls/list_box.h>

#include <QAbstractItemDelegate>
#include <QAbstractListModel>
#include <QLabel>
#include <QPainter>
#include <QScopeGuard>
#include <QStyleOptionViewItem>

namespace lark::detail {

class TLarkListBoxModel : public QAbstractListModel
{
public:
    explicit TLarkListBoxModel(TLarkCustomListBox* owner)
        : FOwner(owner)
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : FOwner->ShownCount();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= FOwner->Count())
            return {};
        if (role == Qt::AccessibleTextRole)
            return FOwner->AccessibleRowText(index.row());
        if (role != Qt::DisplayRole)
            return {};
        return FOwner->GetStringValue(index.row());
    }

    using QAbstractListModel::beginInsertRows;
    using QAbstractListModel::beginRemoveRows;
    using QAbstractListModel::beginResetModel;
    using QAbstractListModel::endInsertRows;
    using QAbstractListModel::endRemoveRows;
    using QAbstractListModel::endResetModel;

    void RowChanged(int row)
    {
        const QModelIndex i = index(row, 0);
        Q_EMIT dataChanged(i, i);
    }

private:
    TLarkCustomListBox* const FOwner;
};

// The tooltip of a clipped row: a hint-coloured window laid over the row.
class TLarkListBoxHint : public QLabel
{
public:
    TLarkListBoxHint();
    // Shows Text with its top-left corner at the global point TopLeft,
    // wrapped at MaxWidth.
    void Activate(QPoint topLeft, const QString& text, int maxWidth);
};

} // namespace lark::detail

namespace lark {

// Paints and sizes the rows through the list box's own steps.
class TLarkCustomListBox::TLarkListBoxDelegate : public QAbstractItemDelegate
{
public:
    explicit TLarkListBoxDelegate(TLarkCustomListBox* owner)
        : QAbstractItemDelegate(owner)
        , FOwner(owner)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        TOwnerDrawState state;
        if (option.state & QStyle::State_Selected)
            state |= odSelected;
        if (option.state & QStyle::State_HasFocus)
            state |= odFocused;
        if (!FOwner->isEnabled())
            state |= odDisabled;
        ++FOwner->FViewPass;
        const auto done = qScopeGuard([this] { --FOwner->FViewPass; });
        FOwner->PaintRow(*painter, option.rect, index.row(), state);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        ++FOwner->FViewPass;
        const auto done = qScopeGuard([this] { --FOwner->FViewPass; });
        return {FOwner->SizeHintWidth(), FOwner->RowHeight(index.row())};
    }

private:
    TLarkCustomListBox* const FOwner;
};

} // namespace lark
