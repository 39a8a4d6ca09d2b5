#pragma once
// A label, a grid and a navigator bound to one table, as a form binds them;
// the navigator's errors are collected. Shared by the database tests and the
// hostile database cases, which both pull databases away under it.
#include <lark/db/data_source.h>
#include <lark/db/db_label.h>
#include <lark/db/grid.h>
#include <lark/db/navigator.h>
#include <lark/db/sql_table.h>

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace lark::test {

struct BoundForm
{
    TSQLTable Table;
    TDataSource Source;
    QWidget Window;
    TLarkHTMLDBLabel* Label = new TLarkHTMLDBLabel(&Window);
    TDBGrid* Grid = new TDBGrid(&Window);
    TDBNavigator* Navigator = new TDBNavigator(&Window);
    QStringList Errors;

    explicit BoundForm(const QString& field)
    {
        Window.resize(400, 300);
        Label->setGeometry(0, 0, 400, 40);
        Grid->setGeometry(0, 40, 400, 220);
        Navigator->setGeometry(0, 260, 200, 30);
        Source.SetDataSet(&Table);
        Label->SetDataSource(&Source);
        Label->SetDataField(field);
        Grid->SetDataSource(&Source);
        Navigator->SetDataSource(&Source);
        Navigator->OnError = [this](QObject*, const QString& message) { Errors.append(message); };
    }

    // Paints the whole form, as a screen would.
    void Paint()
    {
        QImage image(Window.size(), QImage::Format_RGB32);
        Window.render(&image);
    }

    // Every navigator button, then a paint: the errors they met.
    QStringList Browse()
    {
        Errors.clear();
        for (int b = 0; b < TDBNavigator::ButtonCount; ++b)
            Navigator->BtnClick(TDBNavigator::TNavigateBtn(b));
        Paint();
        return Errors;
    }

    // The error Open raised, or nothing when it opened.
    std::optional<QString> OpenError()
    {
        try {
            Table.Open();
            return std::nullopt;
        } catch (const EDatabaseError& error) {
            return error.Message();
        }
    }
};

} // namespace lark::test
