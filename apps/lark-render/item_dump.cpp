#include "item_dump.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

using namespace Qt::StringLiterals;

namespace lark::render_app {

namespace {

// Enumeration names of TLarkHTMLItemType, indexed by value.
constexpr std::array<const char*, 14> kKindNames = {
    "hitChar", "hitSoftBreak", "hitBreak", "hitPara", "hitBitmap", "hitHR",  "hitLI",
    "hitUL",   "hitOL",        "hitIndent", "hitInput", "hitControl", "hitVar", "hitBody",
};
static_assert(kKindNames.size() == hitBody + 1, "one name per item kind");

// Style letters in set order: bold, italic, underline, strike-out.
constexpr std::array<std::pair<TFontStyle, char>, 4> kStyleLetters = {
    {{fsBold, 'b'}, {fsItalic, 'i'}, {fsUnderline, 'u'}, {fsStrikeOut, 's'}}};

const char* KindName(TLarkHTMLItemType kind)
{
    return std::size_t(kind) < kKindNames.size() ? kKindNames[kind] : "unknown";
}

QByteArray StyleLetters(TFontStyles style)
{
    QByteArray letters;
    for (const auto& [flag, letter] : kStyleLetters) {
        if (style.Contains(flag))
            letters.append(letter);
    }
    return letters;
}

// One JSON object on one line. Strings are written per UTF-16 unit: valid
// surrogate pairs become UTF-8, lone surrogates (which the parser keeps) are
// escaped, so the line stays valid UTF-8 whatever the snippet held.
class JsonLine
{
public:
    JsonLine() { FLine.append('{'); }

    JsonLine& Add(const char* key, const QString& value)
    {
        Key(key);
        AppendString(value);
        return *this;
    }
    JsonLine& Add(const char* key, const char* value) { return Add(key, QString::fromLatin1(value)); }
    JsonLine& Add(const char* key, bool value)
    {
        Key(key);
        FLine.append(value ? "true" : "false");
        return *this;
    }
    JsonLine& Add(const char* key, std::int64_t value)
    {
        Key(key);
        FLine.append(QByteArray::number(qlonglong(value)));
        return *this;
    }
    JsonLine& Add(const char* key, int value) { return Add(key, std::int64_t(value)); }
    // Colours are numbers; the unsigned type keeps system colours positive.
    JsonLine& AddColor(const char* key, TColor value) { return Add(key, std::int64_t(value)); }

    QByteArray Finish()
    {
        FLine.append("}\n");
        return FLine;
    }

private:
    void Key(const char* key)
    {
        if (FLine.size() > 1)
            FLine.append(',');
        FLine.append('"').append(key).append("\":");
    }

    void AppendString(const QString& text)
    {
        FLine.append('"');
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                FLine.append(QStringView(text).mid(i, 2).toUtf8());
                ++i;
            } else {
                AppendUnit(c);
            }
        }
        FLine.append('"');
    }

    void AppendUnit(QChar c)
    {
        const char16_t u = c.unicode();
        switch (u) {
        case u'"': FLine.append("\\\""); return;
        case u'\\': FLine.append("\\\\"); return;
        case u'\n': FLine.append("\\n"); return;
        case u'\r': FLine.append("\\r"); return;
        case u'\t': FLine.append("\\t"); return;
        default: break;
        }
        if (u < 0x20 || c.isSurrogate() || u == 0x7F) {
            FLine.append("\\u").append(QByteArray::number(u, 16).rightJustified(4, '0'));
            return;
        }
        FLine.append(QString(c).toUtf8());
    }

    QByteArray FLine;
};

void AddBreakFields(JsonLine& line, const TLarkHTMLBreakItem& item)
{
    line.Add("align", item.Alignment())
        .Add("descent", item.LineDescent())
        .Add("listLevel", item.FListLevel)
        .Add("listItemN", item.FListItemN);
}

void AddBackgroundFields(JsonLine& line, const TLarkHTMLItem& item)
{
    line.AddColor("bgColor1", item.FBgColor1)
        .AddColor("bgColor2", item.FBgColor2)
        .AddColor("borderColor", item.FBorderColor)
        .Add("bgVertical", item.FBgVertical)
        .Add("height2", item.FHeight2);
}

// Keys beyond the contract, for the kinds that carry more state.
void AddKindExtras(JsonLine& line, const TLarkHTMLItem& item)
{
    switch (item.ItemType()) {
    case hitBitmap:
        line.Add("transparent", item.Transparent());
        break;
    case hitInput:
        if (const auto* input = dynamic_cast<const TLarkHTMLInputItem*>(&item)) {
            line.Add("inputType", input->InputType() == itRadioButton ? "itRadioButton" : "itCheckBox")
                .Add("name", input->Name())
                .Add("value", input->Value())
                .Add("checked", input->Checked())
                .Add("group", item.FTag);
        }
        break;
    case hitControl:
        if (const auto* control = dynamic_cast<const TLarkHTMLControlItem*>(&item))
            line.Add("controlClass", control->FControlClass);
        break;
    default:
        break;
    }
}

QByteArray DumpItem(const TLarkHTMLItem& item)
{
    JsonLine line;
    line.Add("kind", KindName(item.ItemType()))
        .Add("text", item.Text())
        .Add("width", item.FWidth)
        .Add("height", item.FHeight)
        .Add("indent", item.FIndent)
        .Add("style", QString::fromLatin1(StyleLetters(item.FontStyle)))
        .Add("fontName", item.FFontRef)
        .Add("fontHeight", item.FontHeight)
        .AddColor("color", item.FontColor)
        .AddColor("bgColor", item.FontBgColor)
        .Add("link", item.IsLink())
        .Add("href", item.LinkRef())
        .Add("sub", item.IsSub())
        .Add("sup", item.IsSuper())
        .Add("fntCnt", item.FFntCnt);
    if (item.IsBreakItem())
        AddBreakFields(line, static_cast<const TLarkHTMLBreakItem&>(item));
    if (item.ItemType() == hitHR || item.ItemType() == hitBody)
        AddBackgroundFields(line, item);
    if (item.ItemType() == hitIndent)
        line.Add("absolute", item.IsAbsoluteIndent());
    AddKindExtras(line, item);
    line.Add("left", item.Left()).Add("top", item.Top());
    return line.Finish();
}

} // namespace

QByteArray DumpItems(const TLarkHTMLData& data)
{
    QByteArray out;
    for (const auto& item : data.Items())
        out.append(DumpItem(*item));
    return out;
}

} // namespace lark::render_app
