#pragma once
// TLarkHTMLDBView: the scrollable HTML view showing one field of a
// dataset's current record, in normal or template mode, as the data-aware
// label does (see db_label.h). Every record shows from the top.
//
//     auto* view = new TLarkHTMLDBView(form);
//     view->SetDataSource(&source);
//     view->SetDataField(u"Description"_s);
//
// The view only reads: it never writes to the dataset.

#include <lark/controls/form_setters.h>
#include <lark/controls/view.h>
#include <lark/db/db_control.h>

namespace lark {

class TLarkHTMLDBView : public TLarkHTMLView, public TLarkHTMLDBControl
{
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField RESET ResetDataField)
    Q_PROPERTY(lark::TDataSource* DataSource READ DataSource WRITE SetDataSource STORED false)
    Q_PROPERTY(bool IsTemplate READ IsTemplate WRITE SetIsTemplate RESET ResetIsTemplate)

public:
    // What uic calls for the properties of a form.
    LARK_FORM_SETTER(DataField)
    LARK_FORM_SETTER(IsTemplate)

    explicit TLarkHTMLDBView(QWidget* parent = nullptr);
    ~TLarkHTMLDBView() override;

    // Template mode fills variables that name a field from the field.
    void TriggerVariableNeededEvent(QObject* sender, const QString& aVarName, QString& aVarValue) override;

Q_SIGNALS:
    void dataChange(QObject* sender);
};

} // namespace lark
