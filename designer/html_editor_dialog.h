#pragma once
// "Edit HTML...": the snippet's source beside a live preview drawn by the
// library, in the widget's own font and colours.

#include <QDialog>

class QPlainTextEdit;

namespace lark {
class TLarkHTMLView;
}

namespace lark::designer {

class THTMLEditorDialog : public QDialog
{
    Q_OBJECT

public:
    // Source is the snippet to start with; Widget (may be nullptr) lends
    // the preview its font and palette.
    THTMLEditorDialog(const QString& source, const QWidget* widget, QWidget* parent = nullptr);

    QString Source() const;
    // The preview, for tests.
    TLarkHTMLView* Preview() const { return FPreview; }
    QPlainTextEdit* Editor() const { return FEditor; }

private:
    void UpdatePreview();

    QPlainTextEdit* FEditor = nullptr;
    TLarkHTMLView* FPreview = nullptr;
};

} // namespace lark::designer
