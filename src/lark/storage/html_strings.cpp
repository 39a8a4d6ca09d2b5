#include <lark/storage/html_strings.h>

namespace lark {

void TLarkHTMLStrings::SetStrings(int index, const QString& value)
{
    TStringList::SetStrings(index, value);
    Changed();
}

int TLarkHTMLStrings::Add(const QString& line)
{
    const int index = TStringList::Add(line);
    Changed();
    return index;
}

void TLarkHTMLStrings::Insert(int index, const QString& line)
{
    TStringList::Insert(index, line);
    Changed();
}

void TLarkHTMLStrings::Delete(int index)
{
    TStringList::Delete(index);
    Changed();
}

void TLarkHTMLStrings::Clear()
{
    if (Count() == 0)
        return;
    TStringList::Clear();
    Changed();
}

void TLarkHTMLStrings::SetValues(const QString& name, const QString& value)
{
    TStringList::SetValues(name, value);
    Changed();
}

void TLarkHTMLStrings::SetText(const QString& text)
{
    TStringList::SetText(text);
    Changed();
}

void TLarkHTMLStrings::Assign(const TStringList& source)
{
    TStringList::Assign(source);
    Changed();
}

void TLarkHTMLStrings::Assign(const TLarkHTMLStrings& source)
{
    Assign(source.AsStringList());
}

void TLarkHTMLStrings::BeginUpdate()
{
    ++FUpdateCount;
}

void TLarkHTMLStrings::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount > 0 || !FChangedWhileUpdating)
        return;
    FChangedWhileUpdating = false;
    Changed();
}

void TLarkHTMLStrings::Changed()
{
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}

} // namespace lark
