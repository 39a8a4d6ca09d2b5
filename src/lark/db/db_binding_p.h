#pragma once
// Internal: what the data-aware label and view share. The binding owns the
// field data link and runs the two modes:
//
//   normal    the caption is the bound field's text of the current record;
//   template  the caption stays, and its variables are filled from the
//             fields of the same names on every re-layout, which each data
//             change starts.
//
// The control supplies the hooks: re-lay out its caption, show a text as its
// caption, and tell the application (OnDataChange, its signal).

#include <lark/db/data_link.h>

#include <QString>

#include <functional>

class QObject;

namespace lark::detail {

class TDBBinding
{
public:
    struct Hooks
    {
        std::function<void()> Relayout;
        std::function<void(const QString& text)> ShowText;
        std::function<void(QObject* sender)> Notify;
        // The control's name at design time, empty at run time.
        std::function<QString()> DesignName;
    };

    TDBBinding(QObject* control, Hooks aHooks);
    ~TDBBinding();
    TDBBinding(const TDBBinding&) = delete;
    TDBBinding& operator=(const TDBBinding&) = delete;

    TFieldDataLink& Link() { return FDataLink; }
    QString DataField() const { return FDataLink.FieldName(); }
    void SetDataField(const QString& value);
    TDataSource* DataSource() const { return FDataLink.DataSource(); }
    void SetDataSource(TDataSource* value);
    bool IsTemplate() const { return FIsTemplate; }
    void SetIsTemplate(bool value);

    // The control's DataChange: runs once at a time, then notifies.
    void DataChange(QObject* sender);
    QString GetFieldText() const;
    // Template mode and a field of that name: binds it, sets Value and
    // returns true. Otherwise false (the variable is the application's).
    bool FillVariable(const QString& name, QString& value);

    // Points the link's notification at the control's (overridable)
    // DataChange; disarmed again before the control goes.
    void ConnectDataChange(std::function<void(QObject* sender)> handler);

private:
    // Rebinds the link without the notification reaching the control.
    void RebindQuietly(const QString& fieldName);

    QObject* const FControl;
    Hooks FHooks;
    std::function<void(QObject* sender)> FControlDataChange;
    TFieldDataLink FDataLink;
    bool FIsTemplate = false;
    bool FDataChanging = false;
    QString FOldFieldName;
};

} // namespace lark::detail
