// The engine finds the host interface on a plain widget pointer, and the
// updating lock brackets a scope even when it is left by an exception.

#include <lark/framework/font.h>
#include <lark/html/host/host_control.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>

#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace lark;

namespace {

class MinimalHost : public QWidget, public ILarkHTMLControl
{
public:
    TFont* GetFont() override { return &font; }
    TLarkHTMLOptions* GetOptions() override { return &options; }
    QString GetHTML() const override { return html; }
    void SetHTML(const QString& value) override { html = value; }
    TPadding* GetPadding() override { return &padding; }
    QPoint GetOffset() const override { return {}; }
    void LockUpdating() override { ++locks; }
    void UnlockUpdating() override { --locks; }
    void SetParameter(const QString&, const QString&) override {}

    TFont font;
    TLarkHTMLOptions options{this};
    TLarkPadding padding{this};
    QString html;
    int locks = 0;
};

TEST(HostControl, FoundOnHostsOnly)
{
    MinimalHost host;
    QWidget plain;
    QWidget* asWidget = &host;

    ILarkHTMLControl* found = HTMLControlOf(asWidget);
    ASSERT_EQ(found, static_cast<ILarkHTMLControl*>(&host));
    EXPECT_EQ(found->GetOptions()->Owner(), &host);
    EXPECT_EQ(found->GetPadding()->Left(), 1);
    EXPECT_EQ(HTMLControlOf(&plain), nullptr);
    EXPECT_EQ(HTMLControlOf(nullptr), nullptr);
}

TEST(HostControl, UpdatingLockUnlocksOnEveryExit)
{
    MinimalHost host;
    {
        TLarkUpdatingLock lock(&host);
        EXPECT_EQ(host.locks, 1);
    }
    EXPECT_EQ(host.locks, 0);

    EXPECT_THROW(
        {
            TLarkUpdatingLock lock(&host);
            throw std::runtime_error("handler failed");
        },
        std::runtime_error);
    EXPECT_EQ(host.locks, 0);

    TLarkUpdatingLock none(nullptr);   // widgets without the interface
}

} // namespace
