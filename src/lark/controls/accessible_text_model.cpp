// Plain row text for screen readers in item views drawn with HTML.
#include <lark/controls/accessible_text_model.h>

#include "lark/controls/accessible_html_p.h"

namespace lark {

TLarkHTMLAccessibleTextModel::TLarkHTMLAccessibleTextModel(QObject* parent)
    : QIdentityProxyModel(parent)
{
}

QVariant TLarkHTMLAccessibleTextModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::AccessibleTextRole)
        return QIdentityProxyModel::data(index, role);
    const QVariant own = QIdentityProxyModel::data(index, role);
    if (own.isValid() && !own.toString().isEmpty())
        return own;
    const QVariant display = QIdentityProxyModel::data(index, Qt::DisplayRole);
    if (!display.isValid())
        return own;
    return PlainText(display.toString());
}

QString TLarkHTMLAccessibleTextModel::PlainText(const QString& html)
{
    return detail::HTMLPlainText(html);
}

} // namespace lark
