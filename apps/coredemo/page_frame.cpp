#include "page_frame.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace lark::demo {

namespace {

constexpr int kStripMargin = 6;
constexpr int kStripSpacing = 4;

} // namespace

TDemoPanel::TDemoPanel(TColor color, QWidget* parent)
    : QWidget(parent)
    , FColor(color)
{
}

void TDemoPanel::SetColor(TColor value)
{
    FColor = value;
    update();
}

void TDemoPanel::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), ToQColor(FColor, this));
}

TPageFrame::TPageFrame(QWidget* parent)
    : QWidget(parent)
{
    Panel3 = new TDemoPanel(clAppWorkSpace, this);
    Panel3->setObjectName(u"Panel3"_s);
    Panel1 = new TDemoPanel(clBtnFace, this);
    Panel1->setObjectName(u"Panel1"_s);
    FStripRows = new QVBoxLayout(Panel1);
    FStripRows->setContentsMargins(kStripMargin, kStripMargin, kStripMargin, kStripMargin);
    FStripRows->setSpacing(kStripSpacing);

    FLayout = new QVBoxLayout(this);
    FLayout->setContentsMargins(0, 0, 0, 0);
    FLayout->setSpacing(0);
    FLayout->addWidget(Panel3, 1);
    FLayout->addWidget(Panel1);
}

QBoxLayout* TPageFrame::AddStripRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    FStripRows->addLayout(row);
    return row;
}

void TPageFrame::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        ApplyThemeColors();
}

QLabel* TPageFrame::StripLabel(const QString& caption)
{
    return new QLabel(caption, Panel1);
}

} // namespace lark::demo
