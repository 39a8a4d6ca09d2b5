#pragma once
// TLarkHTMLDBControl: the data binding the data-aware label and view share,
// mixed into the widget after its HTML control base. It owns the field data
// link, answers the binding's settings and raises OnDataChange; the widget
// publishes the settings as Qt properties and emits its dataChange signal
// through the hook it passes in.
//
// Normal mode shows the bound field's text as the caption; template mode
// (IsTemplate) keeps the caption and fills its variables from the fields of
// the same names. The binding only reads: it never writes to the dataset.

#include <lark/controls/control_defaults.h>
#include <lark/db/data_link.h>
#include <lark/db/data_source.h>
#include <lark/framework/object.h>

#include <QString>

#include <functional>
#include <memory>

class QObject;

namespace lark {

namespace detail {
class TDBBinding;
}

class TLarkHTMLDBControl
{
public:
    virtual ~TLarkHTMLDBControl();
    TLarkHTMLDBControl(const TLarkHTMLDBControl&) = delete;
    TLarkHTMLDBControl& operator=(const TLarkHTMLDBControl&) = delete;

    // The field shown in normal mode; setting it rebinds the link.
    QString DataField() const;
    void SetDataField(const QString& value);
    void ResetDataField() { SetDataField({}); }
    // Not owned; cleared when the source is destroyed.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* value);
    // Switching on keeps the caption as the template and remembers
    // DataField; switching off binds that field again and shows it.
    bool IsTemplate() const;
    void SetIsTemplate(bool value);
    void ResetIsTemplate() { SetIsTemplate(TDBControlDefaults::IsTemplate); }
    // The link grids and navigators may ask for.
    TFieldDataLink* DataLink() const;

    // Shows the current record: the field's text (normal mode) or the
    // template laid out again; then OnDataChange. Runs once at a time.
    virtual void DataChange(QObject* sender);
    // The bound field's text; without a field, the control's name at design
    // time and nothing at run time.
    QString GetFieldText() const;

    // After the control showed a data change. Sender is the data link, or
    // the control when it refreshed itself.
    TNotifyEvent OnDataChange;

protected:
    // What the widget does for the binding.
    struct TWidgetHooks
    {
        // Lays the caption out again (template mode fills the variables).
        std::function<void()> Relayout;
        // Shows a field's text as the caption.
        std::function<void(const QString& text)> ShowText;
        // Emits the widget's signal, right after OnDataChange.
        std::function<void(QObject* sender)> EmitDataChange;
        // The widget's name at design time, empty at run time.
        std::function<QString()> DesignName;
    };
    TLarkHTMLDBControl(QObject* control, TWidgetHooks hooks);

    // Derived destructors call this first: the link is disarmed and leaves
    // its source before the widget goes.
    void ReleaseBinding();
    // Template mode and a field of that name: sets value and returns true;
    // otherwise the variable is the application's.
    bool FillVariable(const QString& name, QString& value);

private:
    std::unique_ptr<detail::TDBBinding> FBinding;
};

} // namespace lark
