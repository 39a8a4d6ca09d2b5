#pragma once
// TDBNavigator: buttons that move a dataset's current record and read its
// data again.
//
//     auto* navigator = new TDBNavigator(form);
//     navigator->SetDataSource(&source);
//
// First and Prior are enabled while the dataset is open and not at its
// beginning (Bof), Next and Last while not at its end (Eof), Refresh while
// it is open. An error while reading again goes to OnError (and the
// errorOccurred signal); without a handler it is shown in a message box.

#include <lark/db/data_source.h>
#include <lark/framework/object.h>

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QToolButton;

namespace lark {

namespace detail {
class TCallbackDataLink;
}

class TDBNavigator : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(lark::TDataSource* DataSource READ DataSource WRITE SetDataSource STORED false)

public:
    enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast, nbRefresh };
    Q_ENUM(TNavigateBtn)
    static constexpr int ButtonCount = nbRefresh + 1;

    explicit TDBNavigator(QWidget* parent = nullptr);
    ~TDBNavigator() override;

    // Not owned; cleared when the source is destroyed.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* value);

    // Does what the button does, as a click on it would.
    void BtnClick(TNavigateBtn index);
    QToolButton* Button(TNavigateBtn index) const { return FButtons[size_t(index)]; }

    // After a button did its work.
    std::function<void(QObject* sender, TNavigateBtn button)> OnClick;
    std::function<void(QObject* sender, const QString& message)> OnError;

Q_SIGNALS:
    void clicked(lark::TDBNavigator::TNavigateBtn button);
    void errorOccurred(const QString& message);

private:
    void UpdateButtons();
    void ReportError(const QString& message);

    std::array<QToolButton*, ButtonCount> FButtons{};
    std::unique_ptr<detail::TCallbackDataLink> FDataLink;
};

} // namespace lark
