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

#include <lark/controls/view.h>
#include <lark/controls/form_setters.h>
#include <lark/db/data_link.h>
#include <lark/db/data_source.h>

#include <memory>

namespace lark {

namespace detail {
class TDBBinding;
}

class TLarkHTMLDBView : public TLarkHTMLView
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

    QString DataField() const;
    void SetDataField(const QString& Value);
    void ResetDataField() { SetDataField({}); }
    // Not owned; cleared when the source is destroyed.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    bool IsTemplate() const;
    void SetIsTemplate(bool Value);
    void ResetIsTemplate() { SetIsTemplate(false); }
    TFieldDataLink* DataLink() const;

    // Normal mode: Caption := the field's text when it differs (the view
    // parses every caption it is given). Template mode: the caption parsed
    // again. Then OnDataChange. Runs once at a time.
    virtual void DataChange(QObject* Sender);
    QString GetFieldText() const;

    void TriggerVariableNeededEvent(QObject* Sender, const QString& aVarName, QString& aVarValue) override;

    TNotifyEvent OnDataChange;

Q_SIGNALS:
    void dataChange(QObject* sender);

private:
    std::unique_ptr<detail::TDBBinding> FBinding;
};

} // namespace lark
