// The navigator's buttons: a table of what each shows and does, enabled
// from the dataset's Bof and Eof after every change the link hears of.
#include <lark/db/navigator.h>

#include "lark/db/callback_link_p.h"

#include <lark/db/data_source.h>
#include <lark/db/dataset.h>

#include <QHBoxLayout>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <QToolButton>

#include <exception>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

struct ButtonDef
{
    TDBNavigator::TNavigateBtn Button;
    QStyle::StandardPixmap Icon;
    const char16_t* Text;
    const char16_t* Hint;
};

constexpr ButtonDef kButtons[] = {
    {TDBNavigator::nbFirst, QStyle::SP_MediaSkipBackward, u"|<", u"First record"},
    {TDBNavigator::nbPrior, QStyle::SP_MediaSeekBackward, u"<", u"Prior record"},
    {TDBNavigator::nbNext, QStyle::SP_MediaSeekForward, u">", u"Next record"},
    {TDBNavigator::nbLast, QStyle::SP_MediaSkipForward, u">|", u"Last record"},
    {TDBNavigator::nbRefresh, QStyle::SP_BrowserReload, u"R", u"Refresh data"},
};

} // namespace

TDBNavigator::TDBNavigator(QWidget* parent)
    : QWidget(parent)
    , FDataLink(std::make_unique<detail::TCallbackDataLink>([this] { UpdateButtons(); }))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const ButtonDef& def : kButtons) {
        auto* button = new QToolButton(this);
        const QIcon icon = style()->standardIcon(def.Icon, nullptr, this);
        if (icon.isNull())
            button->setText(QString::fromUtf16(def.Text));
        else
            button->setIcon(icon);
        const QString hint = QString::fromUtf16(def.Hint);
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, which = def.Button] { BtnClick(which); });
        layout->addWidget(button);
        FButtons[size_t(def.Button)] = button;
    }
    UpdateButtons();
}

TDBNavigator::~TDBNavigator() = default;

TDataSource* TDBNavigator::DataSource() const
{
    return FDataLink->DataSource();
}

void TDBNavigator::SetDataSource(TDataSource* value)
{
    FDataLink->SetDataSource(value);
    UpdateButtons();
}

void TDBNavigator::UpdateButtons()
{
    const TDataSet* dataSet = FDataLink->Active() ? FDataLink->DataSet() : nullptr;
    const bool open = dataSet != nullptr;
    const bool bof = !open || dataSet->Bof();
    const bool eof = !open || dataSet->Eof();
    FButtons[nbFirst]->setEnabled(!bof);
    FButtons[nbPrior]->setEnabled(!bof);
    FButtons[nbNext]->setEnabled(!eof);
    FButtons[nbLast]->setEnabled(!eof);
    FButtons[nbRefresh]->setEnabled(open);
}

void TDBNavigator::BtnClick(TNavigateBtn index)
{
    TDataSet* dataSet = FDataLink->Active() ? FDataLink->DataSet() : nullptr;
    if (!dataSet)
        return;
    const QPointer<TDBNavigator> alive(this);
    // No exception may leave a Qt event handler.
    try {
        switch (index) {
        case nbFirst:
            dataSet->First();
            break;
        case nbPrior:
            dataSet->Prior();
            break;
        case nbNext:
            dataSet->Next();
            break;
        case nbLast:
            dataSet->Last();
            break;
        case nbRefresh:
            dataSet->Refresh();
            break;
        }
    } catch (const std::exception& error) {
        if (alive)
            ReportError(QString::fromUtf8(error.what()));
        return;
    }
    if (alive && OnClick)
        OnClick(this, index);
    if (alive)
        Q_EMIT clicked(index);
}

void TDBNavigator::ReportError(const QString& message)
{
    const QPointer<TDBNavigator> alive(this);
    const bool handled = OnError || isSignalConnected(QMetaMethod::fromSignal(&TDBNavigator::errorOccurred));
    if (OnError)
        OnError(this, message);
    if (alive)
        Q_EMIT errorOccurred(message);
    if (alive && !handled)
        QMessageBox::warning(this, windowTitle(), message);
}

} // namespace lark
