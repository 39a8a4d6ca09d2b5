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

void TDataSet::SetModel(QAbstractItemModel* Value)
{
    if (Value == FModel)
        return;
    const bool wasActive = FActive;
    Close();
    FModel = Value;
    if (wasActive && Value)
        Open();
}

//---- Opening and closing ----------------------------------------------------

QAbstractItemModel* TDataSet::OpenCursor()
{
    if (!FModel)
        throw EDatabaseError(u"Cannot open dataset \"%1\": no model is set"_s.arg(objectName()));
    return FModel;
}

void TDataSet::SetActive(bool Value)
{
    if (Value == FActive || FOpening)
        return;
    if (!Value) {
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

bool TDataSet::IsLastRow(int Row) const
{
    return Row == LoadedRows() - 1 && !CanFetchMore();
}

void TDataSet::MoveTo(int Row, bool Bof, bool Eof)
{
    const int distance = Row - FRow;
    if (distance == 0 && Bof == FBof && Eof == FEof)
        return;
    FRow = Row;
    FBof = Bof;
    FEof = Eof;
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

int TDataSet::MoveBy(int Distance)
{
    if (!FActive || FRow < 0 || Distance == 0)
        return 0;
    bool bof = false;
    bool eof = false;
    // 64-bit: FRow + INT_MAX must not wrap.
    qint64 target = qint64(FRow) + Distance;
    if (Distance > 0) {
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

void TDataSet::SetRecNo(int Value)
{
    if (!FActive || FRow < 0)
        return;
    int row = std::max(Value - 1, 0);
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

QString TDataSet::ColumnFieldName(int Column) const
{
    const QString header = FOpenModel->headerData(Column, Qt::Horizontal, Qt::DisplayRole).toString();
    return header.isEmpty() ? u"Column%1"_s.arg(Column + 1) : header;
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

TField* TDataSet::Fields(int Index) const
{
    if (Index < 0 || Index >= FieldCount())
        throw EListError(u"Field index out of range (%1)"_s.arg(Index));
    return FFields[size_t(Index)];
}

TField* TDataSet::FindField(const QString& FieldName) const
{
    return FFieldsByName.value(FieldName.toCaseFolded(), nullptr);
}

TField& TDataSet::FieldByName(const QString& FieldName) const
{
    TField* field = FindField(FieldName);
    if (!field) {
        const QString owner = objectName().isEmpty() ? QString() : objectName() + u": "_s;
        throw EDatabaseError(u"%1Field '%2' not found"_s.arg(owner, FieldName));
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

QVariant TDataSet::CurrentData(int Column, int Role) const
{
    if (FRow < 0 || !FOpenModel)
        return {};
    return FOpenModel->data(FOpenModel->index(FRow, Column), Role);
}

//---- Data sources -------------------------------------------------------------

void TDataSet::AttachDataSource(TDataSource* Source)
{
    if (!FDataSources.contains(Source))
        FDataSources.append(Source);
}

void TDataSet::DetachDataSource(TDataSource* Source)
{
    FDataSources.removeAll(Source);
}

void TDataSet::DataEvent(TDataEvent Event, TField* Info)
{
    // A handler may attach or detach sources, or free them.
    const QList<TDataSource*> sources = FDataSources;
    for (TDataSource* source : sources) {
        if (FDataSources.contains(source))
            source->DataEvent(Event, Info);
    }
}

} // namespace lark
