#include "html_editor_dialog.h"

#include <lark/controls/html_host_base.h>
#include <lark/controls/view.h>

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lark::designer {

THTMLEditorDialog::THTMLEditorDialog(const QString& source, const QWidget* widget, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(u"Edit HTML"_s);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    FEditor = new QPlainTextEdit(splitter);
    FEditor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    FEditor->setPlainText(source);
    FPreview = new TLarkHTMLView(splitter);
    FPreview->SetWordWrap(true);
    if (const auto* host = dynamic_cast<const TLarkHTMLHostBase*>(widget)) {
        FPreview->SetFont(host->Font());
        FPreview->Options()->Assign(host->Options());
    }
    if (widget)
        FPreview->setPalette(widget->palette());
    splitter->setSizes({360, 360});

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    resize(760, 420);

    connect(FEditor, &QPlainTextEdit::textChanged, this, &THTMLEditorDialog::UpdatePreview);
    UpdatePreview();
}

QString THTMLEditorDialog::Source() const
{
    return FEditor->toPlainText();
}

void THTMLEditorDialog::UpdatePreview()
{
    FPreview->SetCaption(Source());
}

} // namespace lark::designer
