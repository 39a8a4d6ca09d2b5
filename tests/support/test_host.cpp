#include "support/test_host.h"

#include <lark/framework/canvas.h>

#include <QPaintEvent>
#include <QPainter>

namespace lark::test {

TestHost::TestHost(QWidget* parent)
    : QWidget(parent)
{
    FRender.SetControl(this);
    FRender.OnChange = [this](QObject*) { update(); };
    FOptions.OnChange = [this](QObject*) { Rebuild(); };
    FPadding.OnChange = [this](QObject*) { Rebuild(); };
}

TestHost::~TestHost()
{
    // Embedded controls are children of the host; the render object leaves
    // them alone once it is being destroyed, so free it first.
    FRender.SetControl(nullptr);
}

void TestHost::SetHTML(const QString& value)
{
    FHTML = value;
    Rebuild();
}

void TestHost::LockUpdating()
{
    ++FLockCount;
    FMaxLockCount = std::max(FMaxLockCount, FLockCount);
}

void TestHost::UnlockUpdating()
{
    --FLockCount;
}

void TestHost::SetParameter(const QString& aName, const QString& aValue)
{
    FRender.SetParameter(aName, aValue);
    Rebuild();
}

void TestHost::SetDesigning(bool v)
{
    FDesigning = v;
    update();
}

QRect TestHost::TextRect() const
{
    return rect().marginsRemoved(FPadding.Margins());
}

void TestHost::SetScrollPos(QPoint p)
{
    FScrollPos = p;
    update();
}

void TestHost::SetAutoWrap(bool v)
{
    FAutoWrap = v;
    Rebuild();
}

void TestHost::SetUntrusted(bool v)
{
    FRender.SetUntrusted(v);
    Rebuild();
}

void TestHost::Rebuild()
{
    if (FLockCount > 0)
        return;
    ++FRebuildCount;
    FRender.Data()->AssignSettings(this);
    FRender.PrepareText(FHTML, TextRect().width(), FAutoWrap);
    update();
}

QImage TestHost::Grab()
{
    return grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void TestHost::paintEvent(QPaintEvent*)
{
    if (FLockCount > 0)
        return;
    ++FPaintCount;
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    TCanvas canvas(&painter);
    FRender.DrawText(canvas, FScrollPos, TextRect(), clNone, rect());
}

void TestHost::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Rebuild();
}

std::vector<TLarkHTMLControlItem*> TestHost::ControlItems()
{
    std::vector<TLarkHTMLControlItem*> found;
    for (const auto& item : Data().Items()) {
        if (item->ItemType() == hitControl)
            found.push_back(static_cast<TLarkHTMLControlItem*>(item.get()));
    }
    return found;
}

} // namespace lark::test
