// The document written back as simplified HTML: the text, hard breaks,
// variables with their values, and the inputs and controls with their current
// state. Formatting is not written, and soft breaks vanish, so wrapped lines
// join again.
#include <lark/html/model/data.h>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr QStringView kLineEnd = u"\r\n";

void AppendItemHTML(const TLarkHTMLItem& item, QString& html)
{
    switch (item.ItemType()) {
    case hitChar:
        // Written as it is: the text holds decoded characters, not markup.
        html += item.Text();
        break;
    case hitBreak:
        html += u"<br>";
        html += kLineEnd;
        break;
    case hitInput:
    case hitControl: {
        QString itemHTML;
        item.GetItemHTML(itemHTML);
        html += itemHTML;
        html += kLineEnd;
        break;
    }
    case hitVar:
        // The item holds only the substituted value, so that is what returns.
        html += u"<~~";
        html += item.Text();
        html += u'>';
        break;
    default:
        break;
    }
}

} // namespace

QString TLarkHTMLData::GenerateHTML() const
{
    QString html = u"<html>"_s;
    for (const auto& item : FArray)
        AppendItemHTML(*item, html);
    html += u"</html>"_s;
    return html;
}

} // namespace lark
