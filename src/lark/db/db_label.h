#pragma once
// TLarkHTMLDBLabel: an HTML label showing one field of a dataset's current
// record.
//
// In normal mode the field's text is the caption, rendered as HTML. In
// template mode (IsTemplate) the caption it held when the mode was switched
// on stays, and its variables (<~~name>) are filled from the fields of the
// same names, letter case ignored, on every record change; variables that
// name no field go to OnGetVariable.
//
//     auto* label = new TLarkHTMLDBLabel(form);
//     label->SetDataSource(&source);
//     label->SetDataField(u"Notes"_s);     // shows the notes of each record
//
//     label->SetCaption(u"<b><~~name></b> lives in <~~city>"_s);
//     label->SetIsTemplate(true);            // one snippet, live values
//
// The label only reads: it never writes to the dataset. Database text is
// rendered as HTML; turn Untrusted on for data users typed in.

#include <lark/controls/host_properties.h>
#include <lark/controls/label.h>
#include <lark/db/db_control.h>

namespace lark {

class TLarkHTMLDBLabel : public TLarkCustomHTMLLabel, public TLarkHTMLDBControl
{
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField RESET ResetDataField)
    Q_PROPERTY(lark::TDataSource* DataSource READ DataSource WRITE SetDataSource STORED false)
    Q_PROPERTY(bool IsTemplate READ IsTemplate WRITE SetIsTemplate RESET ResetIsTemplate)
    Q_PROPERTY(lark::ControlEnums::TAlignment Alignment READ Alignment WRITE SetAlignment RESET ResetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize RESET ResetAutoSize)
    Q_PROPERTY(lark::TColor Color READ Color WRITE SetColor DESIGNABLE false RESET ResetColor)
    Q_PROPERTY(QColor ColorValue READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor ColorSystem READ ColorSystem WRITE SetColorSystem)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor RESET ResetParentColor)
    Q_PROPERTY(lark::TCustomImageList* ImageList READ ImageList WRITE SetImageList STORED false)
    Q_PROPERTY(lark::ControlEnums::TTextLayout Layout READ Layout WRITE SetLayout RESET ResetLayout)
    LARK_HTML_OPTIONS_PROPERTIES
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent RESET ResetTransparent)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap RESET ResetWordWrap)
    Q_PROPERTY(bool Untrusted READ Untrusted WRITE SetUntrusted RESET ResetUntrusted)

public:
    // What uic calls for the properties of a form.
    using QWidget::setLayout;
    LARK_COLOR_CHOICE(Color)
    LARK_HTML_OPTIONS_SETTERS
    LARK_FORM_SETTER(DataField)
    LARK_FORM_SETTER(IsTemplate)
    LARK_FORM_SETTER(Alignment)
    LARK_FORM_SETTER(AutoSize)
    LARK_FORM_SETTER(Color)
    LARK_FORM_SETTER(ParentColor)
    LARK_FORM_SETTER(Layout)
    LARK_FORM_SETTER(Transparent)
    LARK_FORM_SETTER(WordWrap)
    LARK_FORM_SETTER(Untrusted)

    explicit TLarkHTMLDBLabel(QWidget* parent = nullptr);
    ~TLarkHTMLDBLabel() override;

    // Template mode fills variables that name a field from the field.
    void TriggerVariableNeededEvent(QObject* sender, const QString& aVarName, QString& aVarValue) override;

Q_SIGNALS:
    // Emitted right after OnDataChange.
    void dataChange(QObject* sender);
};

} // namespace lark
