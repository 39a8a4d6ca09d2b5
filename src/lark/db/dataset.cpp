// The dataset's cursor: opening and closing, moving, fields by name, and the
// events it sends to its data sources. The model's own signals are handled
// in dataset_model.cpp.
#include <lark/db/dataset.h>

#include <lark/db/data_source.h>
#include <lark/db/field.h>

#include <QAbstractItemModel>
#include <QScopeGuard>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace lark {

TDataSet::TDataSet(QObject* parent)
    : QObject(parent)
{
}

TDataSet::~TDataSet()
{
    // The sources' links drop their fields while the fields still exist.
    for (TDataSource* source : std::exchange(FDataSources, {}))
        source->DataSetDestroyed(this);
    DisconnectModel();
}

void TDataSet::SetModel(QAbstractItemModel* value)
{
    if (value == FModel)
        return;
    const bool wasActive = FActive;
    Close();
    FModel = value;
    if (wasActive && value)
        Open();
}

//---- Opening and closing ----------------------------------------------------

QAbstractItemModel* TDataSet::OpenCursor()
{
    if (!FModel)
        throw EDatabaseError(u"Cannot open dataset \"%1\": no model is set"_s.arg(objectName()));
    return FModel;
}

void TDataSet::SetActive(bool value)
{
    if (value == FActive || FOpening)
        return;
    if (!value) {
        if (BeforeClose)
            BeforeClose(this);
        DisconnectModel();
        FActive = false;
        FRow = -1;
        FBof = FEof = true;
        DataEvent(deActiveChanged);
        for (TField* field : std::exchange(FFields, {}))
            delete field;
        FFieldsByName.clear();
        FOpenModel = nullptr;
        CloseCursor();
        if (AfterClose)
            AfterClose(this);
        Q_EMIT activeChanged(false);
        return;
    }

    FOpening = true;
    const auto opened = qScopeGuard([this] { FOpening = false; });
    if (BeforeOpen)
        BeforeOpen(this);
    FOpenModel = OpenCursor();
    RebuildFields();
    ConnectModel();
    if (LoadedRows() == 0)
        FetchMore();
    FActive = true;
    FRow = LoadedRows() > 0 ? 0 : -1;
    FBof = true;
    FEof = FRow < 0;
    FOpening = false;
    DataEvent(deActiveChanged);
    if (AfterOpen)
        AfterOpen(this);
    Q_EMIT activeChanged(true);
}

void TDataSet::Refresh()
{
    if (!FActive)
        return;
    const int keep = FRow;
    // Whatever the model holds afterwards, the cursor must point into it.
    const auto settle = [this, keep] {
        if (!FActive)
            return;
        if (RebuildFields())
            DataEvent(deLayoutChange);
        FRow = std::max(keep, 0);
        while (FRow >= LoadedRows() && FetchMore()) {
        }
        FRow = std::min(FRow, LoadedRows() - 1);
        ResetFlagsAfterChange();
        RowsChanged();
    };
    FRefreshing = true;
    try {
        InternalRefresh();
    } catch (...) {
        FRefreshing = false;
        settle();
        throw;
    }
    FRefreshing = false;
    settle();
}

//---- Moving -------------------------------------------------------------------

int TDataSet::LoadedRows() const
{
    return FOpenModel ? FOpenModel->rowCount() : 0;
}

bool TDataSet::CanFetchMore() const
{
    return FOpenModel && FOpenModel->canFetchMore(QModelIndex());
}

// Reads the next batch of a lazily read model; false when nothing came.
bool TDataSet::FetchMore()
{
    if (!CanFetchMore())
        return false;
    const int before = LoadedRows();
    FFetching = true;
    const auto done = qScopeGuard([this] { FFetching = false; });
    FOpenModel->fetchMore(QModelIndex());
    return LoadedRows() > before;
}

bool TDataSet::IsLastRow(int row) const
{
    return row == LoadedRows() - 1 && !CanFetchMore();
}

void TDataSet::MoveTo(int row, bool bof, bool eof)
{
    const int distance = row - FRow;
    if (distance == 0 && bof == FBof && eof == FEof)
        return;
    FRow = row;
    FBof = bof;
    FEof = eof;
    DataEvent(deDataSetScroll);
    if (AfterScroll)
        AfterScroll(this);
    Q_EMIT scrolled(RecNo());
}

void TDataSet::First()
{
    if (!FActive || FRow < 0)
        return;
    MoveTo(0, true, false);
}

void TDataSet::Last()
{
    if (!FActive || FRow < 0)
        return;
    while (FetchMore()) {
    }
    MoveTo(LoadedRows() - 1, false, true);
}

int TDataSet::MoveBy(int distance)
{
    if (!FActive || FRow < 0 || distance == 0)
        return 0;
    bool bof = false;
    bool eof = false;
    // 64-bit: FRow + INT_MAX must not wrap.
    qint64 target = qint64(FRow) + distance;
    if (distance > 0) {
        while (target >= LoadedRows() && FetchMore()) {
        }
        if (target >= LoadedRows()) {
            target = LoadedRows() - 1;
            eof = true;
        }
    } else if (target < 0) {
        target = 0;
        bof = true;
    }
    const int moved = int(target) - FRow;
    MoveTo(int(target), bof, eof);
    return moved;
}

void TDataSet::SetRecNo(int value)
{
    if (!FActive || FRow < 0)
        return;
    int row = std::max(value - 1, 0);
    while (row >= LoadedRows() && FetchMore()) {
    }
    row = std::min(row, LoadedRows() - 1);
    MoveTo(row, row == 0, IsLastRow(row));
}

int TDataSet::RecordCount()
{
    if (!FActive)
        return 0;
    while (FetchMore()) {
    }
    return LoadedRows();
}

// After rows changed, Bof and Eof stay set only where they are still true.
void TDataSet::ResetFlagsAfterChange()
{
    if (FRow < 0) {
        FBof = FEof = true;
        return;
    }
    FBof = FBof && FRow == 0;
    FEof = FEof && IsLastRow(FRow);
}

//---- Fields -------------------------------------------------------------------

QString TDataSet::ColumnFieldName(int column) const
{
    const QString header = FOpenModel->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return header.isEmpty() ? u"Column%1"_s.arg(column + 1) : header;
}

QMetaType TDataSet::ColumnDataType(int) const
{
    return {};
}

// Fields of the model's columns; a field whose column is still there (same
// name and type) is kept, so that pointers to it stay valid. True when the
// set of fields changed.
bool TDataSet::RebuildFields()
{
    const int count = FOpenModel ? FOpenModel->columnCount() : 0;
    std::vector<TField*> fields;
    fields.reserve(count);
    std::vector<TField*> old = FFields;
    bool changed = int(old.size()) != count;
    for (int column = 0; column < count; ++column) {
        const QString name = ColumnFieldName(column);
        const QMetaType type = ColumnDataType(column);
        const auto kept = std::find_if(old.begin(), old.end(), [&](TField* f) {
            return f && f->FFieldName == name && f->FDataType == type;
        });
        if (kept != old.end()) {
            changed = changed || (*kept)->FIndex != column;
            (*kept)->FIndex = column;
            fields.push_back(*kept);
            *kept = nullptr;
        } else {
            changed = true;
            fields.push_back(new TField(this, name, column, type));
        }
    }
    for (TField* gone : old)
        delete gone;
    FFields = std::move(fields);
    FFieldsByName.clear();
    for (TField* field : FFields) {
        const QString key = field->FieldName().toCaseFolded();
        if (!FFieldsByName.contains(key))
            FFieldsByName.insert(key, field);
    }
    return changed;
}

TField* TDataSet::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw EListError(u"Field index out of range (%1)"_s.arg(index));
    return FFields[size_t(index)];
}

TField* TDataSet::FindField(const QString& fieldName) const
{
    return FFieldsByName.value(fieldName.toCaseFolded(), nullptr);
}

TField& TDataSet::FieldByName(const QString& fieldName) const
{
    TField* field = FindField(fieldName);
    if (!field) {
        const QString owner = objectName().isEmpty() ? QString() : objectName() + u": "_s;
        throw EDatabaseError(u"%1Field '%2' not found"_s.arg(owner, fieldName));
    }
    return *field;
}

QStringList TDataSet::FieldNames() const
{
    QStringList names;
    for (const TField* field : FFields)
        names.append(field->FieldName());
    return names;
}

QVariant TDataSet::CurrentData(int column, int role) const
{
    if (FRow < 0 || !FOpenModel)
        return {};
    return FOpenModel->data(FOpenModel->index(FRow, column), role);
}

//---- Data sources -------------------------------------------------------------

void TDataSet::AttachDataSource(TDataSource* source)
{
    if (!FDataSources.contains(source))
        FDataSources.append(source);
}

void TDataSet::DetachDataSource(TDataSource* source)
{
    FDataSources.removeAll(source);
}

void TDataSet::DataEvent(TDataEvent event, TField* info)
{
    // A handler may attach or detach sources, or free them.
    const QList<TDataSource*> sources = FDataSources;
    for (TDataSource* source : sources) {
        if (FDataSources.contains(source))
            source->DataEvent(event, info);
    }
}

} // namespace lark
