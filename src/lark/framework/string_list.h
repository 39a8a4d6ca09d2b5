#pragma once
// TStringList: a list of strings with the component model's name=value
// lines. A line's name is the text before its first "=", its value the text
// after it; names compare without regard to letter case and the first
// matching line wins. Text joins every line with CR LF after it.
//
// Example:
//   TStringList attrs;
//   attrs.SetText(u"width=60\r\nCaption=OK"_s);
//   attrs.Values(u"caption"_s);  // "OK"
//   attrs[2];                    // throws EListError "List index out of bounds (2)"

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace lark {

class TStringList
{
public:
    TStringList() = default;
    TStringList(std::initializer_list<QString> lines);
    explicit TStringList(const QStringList& lines);

    int Count() const { return int(FLines.size()); }
    // Throw EListError for an index outside 0 .. Count() - 1.
    const QString& Strings(int index) const;
    const QString& operator[](int index) const { return Strings(index); }
    void SetStrings(int index, const QString& value);

    // Appends; returns the new line's index.
    int Add(const QString& line);
    // index may be Count() (append).
    void Insert(int index, const QString& line);
    void Delete(int index);
    void Clear() { FLines.clear(); }
    // First line equal to s (letter case ignored unless CaseSensitive); -1.
    int IndexOf(const QString& s) const;
    // First line whose name equals name (same case rule); lines without
    // "=" have no name. -1 when none.
    int IndexOfName(const QString& name) const;

    // The name of line index; empty when the line has no "=".
    QString Names(int index) const;
    // The value of line index; empty when the line has no "=".
    QString ValueFromIndex(int index) const;
    // The value of the first line named name; empty when none.
    QString Values(const QString& name) const;
    // Replaces the first line named name by "name=value", or appends it; an
    // empty value deletes that line instead.
    void SetValues(const QString& name, const QString& value);

    // Every line followed by CR LF.
    QString Text() const;
    // Splits at CR LF, LF or CR; a final line break adds no empty line.
    void SetText(const QString& text);

    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value) { FCaseSensitive = value; }

    void Assign(const TStringList& source);
    const QStringList& ToStringList() const { return FLines; }

    friend bool operator==(const TStringList& a, const TStringList& b) { return a.FLines == b.FLines; }

private:
    void CheckIndex(int index) const;
    Qt::CaseSensitivity Sensitivity() const;

    QStringList FLines;
    bool FCaseSensitive = false;
};

} // namespace lark
