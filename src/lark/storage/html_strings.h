#pragma once
// TLarkHTMLStrings: the lines of one HTML snippet. It reads like the
// framework's TStringList and reports every change through OnChange, once per
// operation: one Add, one SetText or one Assign is one notification. Changes
// made between BeginUpdate and EndUpdate are reported once, at the last
// EndUpdate.
//
// Example:
//   TLarkHTMLStrings lines;
//   lines.OnChange = [](TLarkHTMLStrings*) { qDebug() << "changed"; };
//   lines.SetText(u"<b>Intro</b>\r\nsecond line"_s);  // one "changed"
//   lines.Text();                                     // both lines, each + CR LF
//
// It holds a TStringList privately, so no mutation can slip past OnChange.

#include <lark/framework/string_list.h>

#include <QString>
#include <QStringList>

#include <functional>

namespace lark {

class TLarkHTMLStrings;

using TLarkHTMLStringsChangeEvent = std::function<void(TLarkHTMLStrings* sender)>;

class TLarkHTMLStrings : private TStringList
{
public:
    TLarkHTMLStrings() = default;
    virtual ~TLarkHTMLStrings() = default;
    TLarkHTMLStrings(const TLarkHTMLStrings&) = delete;
    TLarkHTMLStrings& operator=(const TLarkHTMLStrings&) = delete;

    using TStringList::Count;
    using TStringList::Strings;
    using TStringList::operator[];
    using TStringList::IndexOf;
    using TStringList::IndexOfName;
    using TStringList::Names;
    using TStringList::ValueFromIndex;
    using TStringList::Values;
    using TStringList::Text;
    using TStringList::CaseSensitive;
    // Only changes how lines are looked up, not the lines: not a change.
    using TStringList::SetCaseSensitive;
    using TStringList::ToStringList;

    const TStringList& AsStringList() const { return *this; }

    // The same operations as TStringList, each followed by one notification.
    // Index errors raise EListError before anything changes or is reported.
    void SetStrings(int index, const QString& value);
    int Add(const QString& line);
    void Insert(int index, const QString& line);
    void Delete(int index);
    // Emptying an empty list changes nothing and is not reported.
    void Clear();
    void SetValues(const QString& name, const QString& value);
    void SetText(const QString& text);
    void Assign(const TStringList& source);
    void Assign(const TLarkHTMLStrings& source);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    TLarkHTMLStringsChangeEvent OnChange;

    friend bool operator==(const TLarkHTMLStrings& a, const TLarkHTMLStrings& b)
    {
        return a.ToStringList() == b.ToStringList();
    }

protected:
    // Raises OnChange, or remembers the change until the last EndUpdate.
    virtual void Changed();

private:
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};

} // namespace lark
