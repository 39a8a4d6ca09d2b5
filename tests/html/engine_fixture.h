#pragma once
// Helpers of the engine tests: a render object to parse with, and a compact
// dump of the item list ("P T'abc' SB T'def'") that tables compare against.
#include <lark/html/render.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lark::test {

inline std::string KindName(TLarkHTMLItemType kind)
{
    static const char* const names[] = {"T",  "SB", "BR",  "P",  "IMG", "HR", "LI",
                                        "UL", "OL", "IND", "IN", "CTL", "V",  "BODY"};
    return kind < std::size(names) ? names[kind] : "?";
}

// Text in a dump: printable ASCII as it is, everything else escaped.
inline std::string EscapedText(const QString& text)
{
    std::string out;
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\n')
            out += "\\n";
        else if (c >= 0x20 && c < 0x7F)
            out += char(c);
        else
            out += QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0')).toStdString();
    }
    return out;
}

// One token per item: its kind, and for text runs and variables the text.
inline std::string DumpItems(const TLarkHTMLData& data)
{
    std::string out;
    for (const auto& item : data.Items()) {
        if (!out.empty())
            out += ' ';
        out += KindName(item->ItemType());
        if (item->ItemType() == hitChar || item->ItemType() == hitVar) {
            // Appended piece by piece: GCC 12 at -O3 misreads "'" + string&&
            // as an overflowing copy (-Wstringop-overflow).
            out += '\'';
            out += EscapedText(item->Text());
            out += '\'';
        }
    }
    return out;
}

class EngineTest : public testing::Test
{
protected:
    TLarkHTMLData& Data() { return *Render.Data(); }
    void Parse(const QString& html, int width = 100000, bool wrap = false) { Render.PrepareText(html, width, wrap); }
    std::string Dump(const QString& html, int width = 100000, bool wrap = false)
    {
        Parse(html, width, wrap);
        return DumpItems(Data());
    }
    TLarkHTMLItem& Item(int index) { return *Data().GetItem(index); }
    // The items of one kind, in list order.
    std::vector<TLarkHTMLItem*> OfKind(TLarkHTMLItemType kind)
    {
        std::vector<TLarkHTMLItem*> found;
        for (const auto& item : Data().Items()) {
            if (item->ItemType() == kind)
                found.push_back(item.get());
        }
        return found;
    }
    // The first text run with exactly this text; fails the test when none.
    TLarkHTMLItem& Run(const QString& text)
    {
        for (const auto& item : Data().Items()) {
            if (item->ItemType() == hitChar && item->Text() == text)
                return *item;
        }
        ADD_FAILURE() << "no run '" << text.toStdString() << "' in " << DumpItems(Data());
        static TLarkHTMLItem missing(nullptr);
        return missing;
    }
    // The width the engine gives a run of this text in the default font.
    int RunWidth(const QString& text)
    {
        TLarkHTMLItem run(&Data());
        run.FFontRef = Data().DefaultFont();
        run.FontHeight = Data().DefaultHeight();
        run.FontStyle = Data().DefaultStyle();
        run.SetText(text);
        return run.GetWidth();
    }

    TLarkHTMLRender Render;
};

} // namespace lark::test
