#pragma once
// TLarkHTMLAccessibleTextModel: HTML rows read as plain text by screen
// readers.
//
// Qt's item views give assistive technology each cell's
// Qt::AccessibleTextRole, else its Qt::DisplayRole; with
// TLarkHTMLItemDelegate drawing the display text as HTML, a screen reader
// would read the tags. Put this proxy between the model and the view: it
// passes everything through and answers Qt::AccessibleTextRole with the
// display text's plain form (the source model's own accessible text wins
// when it has one).
//
//     auto* readable = new TLarkHTMLAccessibleTextModel(view);
//     readable->setSourceModel(model);
//     view->setModel(readable);
//     view->setItemDelegate(new TLarkHTMLItemDelegate(view));
//
// The text is made only when asked for, so views without a screen reader
// pay nothing. The HTML list box needs no proxy: its rows answer the role
// themselves.

#include <QIdentityProxyModel>
#include <QString>

namespace lark {

class TLarkHTMLAccessibleTextModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    explicit TLarkHTMLAccessibleTextModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // An HTML snippet's text without markup, as the document would show it
    // (character references resolved, line breaks as CR LF; no embedded
    // controls are made and no files read).
    static QString PlainText(const QString& html);
};

} // namespace lark
