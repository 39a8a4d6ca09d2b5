#pragma once
// TField: one column of a dataset, read at the dataset's current record.
//
// A dataset makes a field per column of its model when it opens and frees
// them when it closes; a field found by name stays valid while the dataset
// is open and its column exists (hold a QPointer to be safe across closes).
//
//     TField& name = table.FieldByName(u"name"_s);   // letter case ignored
//     for (table.First(); !table.Eof(); table.Next())
//         qDebug() << name.AsString() << name.IsNull();
//
// Values are read in the column's declared type when the dataset knows it
// (SQL tables do), so that a boolean, number or date column reads the same
// on every database: SQLite's 0/1 booleans come back as booleans, numeric
// text as numbers, ISO date text as dates.

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

namespace lark {

class TDataSet;
class TField;

// Text of a field as shown (DisplayText true) or as read (AsString);
// the handler may replace Text.
using TFieldGetTextEvent = std::function<void(TField* sender, QString& text, bool displayText)>;

class TField : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString FieldName READ FieldName CONSTANT)

public:
    TDataSet* DataSet() const { return FDataSet; }
    // The column's name: the SQL column name, or the model's horizontal
    // header text.
    QString FieldName() const { return FFieldName; }
    // The model column, from 0; FieldNo counts from 1.
    int Index() const { return FIndex; }
    int FieldNo() const { return FIndex + 1; }
    // The declared type; invalid when the model declares none (the value's
    // own type is used then).
    QMetaType DataType() const { return FDataType; }

    // The current record's value in the declared type; a null QVariant for
    // SQL NULL, an empty model cell or no current record.
    QVariant Value() const;
    bool IsNull() const { return Value().isNull(); }
    // The value as text: empty for null, "true"/"false" for booleans, ISO
    // dates ("2024-01-31", "2024-01-31 09:30:00"), numbers without padding.
    QString AsString() const;
    // The value converted; 0 (false) when null or not convertible.
    qint64 AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    // The text the model shows for the cell (its display role), by the same
    // rules as AsString.
    QString DisplayText() const;

    // Lets the application present the value its own way.
    TFieldGetTextEvent OnGetText;

private:
    friend class TDataSet;
    TField(TDataSet* aDataSet, const QString& aFieldName, int aIndex, QMetaType aDataType);

    QString Text(int role, bool display) const;

    TDataSet* const FDataSet;
    QString FFieldName;
    int FIndex;
    QMetaType FDataType;
};

} // namespace lark
