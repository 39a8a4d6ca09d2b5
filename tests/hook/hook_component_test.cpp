// Attaching and detaching: Active, Control, design mode, and the free
// notification in both directions (widget destroyed, hook destroyed).

#include "hook_test_support.h"

#include <lark/hook/hook_component.h>
#include "lark/hook/hook_list_p.h"

#include <gtest/gtest.h>

using namespace lark;
using lark::detail::TLarkHookList;
using lark::test::EventLog;
using lark::test::LoggingWidget;
using lark::test::MakeLoggingHook;
using lark::test::SendKey;
using lark::test::TwoHookedWidget;

namespace {

bool IsHooked(const QWidget* widget)
{
    const TLarkHookList* list = TLarkHookList::Instance();
    return list && list->Find(widget);
}

// Counts the installation notifications.
class CountingHook : public TLarkHookComponent
{
public:
    int installed = 0;
    int removed = 0;

protected:
    void HookInstalled() override { ++installed; }
    void HookRemoved() override { ++removed; }
};

TEST(HookComponent, StartsActiveWithoutControl)
{
    TLarkHookComponent hook;
    EXPECT_TRUE(hook.Active());
    EXPECT_FALSE(hook.DesignActive());
    EXPECT_EQ(hook.Control(), nullptr);
    EXPECT_FALSE(hook.Installed());
}

TEST(HookComponent, LastDetachRemovesTheFilter)
{
    EventLog log;
    TwoHookedWidget hooked(log);
    auto& [widget, first, second] = hooked;

    second->SetActive(false);
    SendKey(widget, Qt::Key_X);
    EXPECT_TRUE(IsHooked(&widget));

    first->SetControl(nullptr);
    SendKey(widget, Qt::Key_X);
    EXPECT_EQ(log.Text(), "A.before, widget, A.after, widget");
    EXPECT_FALSE(IsHooked(&widget));
    EXPECT_FALSE(first->Active());   // nil control leaves it inactive
}

TEST(HookComponent, WidgetCanBeHookedAgain)
{
    EventLog log;
    LoggingWidget widget(log);
    auto hook = MakeLoggingHook("A", log);
    hook->SetControl(&widget);
    hook->SetActive(false);
    hook->SetActive(true);

    SendKey(widget, Qt::Key_X);

    EXPECT_EQ(log.Text(), "A.before, widget, A.after");
}

TEST(HookComponent, NewControlMovesTheHook)
{
    EventLog log;
    LoggingWidget oldWidget(log, QStringLiteral("old"));
    LoggingWidget newWidget(log, QStringLiteral("new"));
    auto hook = MakeLoggingHook("A", log);
    hook->SetControl(&oldWidget);

    hook->SetControl(&newWidget);
    SendKey(oldWidget, Qt::Key_X);
    SendKey(newWidget, Qt::Key_X);

    EXPECT_EQ(log.Text(), "old, A.before, new, A.after");
    EXPECT_FALSE(IsHooked(&oldWidget));
    EXPECT_TRUE(hook->Active());
}

TEST(HookComponent, InactiveHookMovesInactive)
{
    QWidget first;
    QWidget second;
    TLarkHookComponent hook;
    hook.SetActive(false);
    hook.SetControl(&first);
    hook.SetControl(&second);
    EXPECT_FALSE(hook.Active());
    EXPECT_FALSE(IsHooked(&second));
}

TEST(HookComponent, DestroyedWidgetDetachesItsHooks)
{
    EventLog log;
    auto widget = std::make_unique<LoggingWidget>(log);
    const QWidget* address = widget.get();
    auto first = MakeLoggingHook("A", log);
    auto second = MakeLoggingHook("B", log);
    first->SetControl(widget.get());
    second->SetControl(widget.get());

    widget.reset();

    for (const auto* hook : {first.get(), second.get()})
    {
        EXPECT_EQ(hook->Control(), nullptr);
        EXPECT_FALSE(hook->Active());
        EXPECT_FALSE(hook->Installed());
    }
    EXPECT_FALSE(IsHooked(address));
}

TEST(HookComponent, DestroyedHookLeavesTheWidgetWorking)
{
    EventLog log;
    TwoHookedWidget hooked(log);
    auto& [widget, first, second] = hooked;

    second.reset();
    SendKey(widget, Qt::Key_X);
    first.reset();
    SendKey(widget, Qt::Key_X);

    EXPECT_EQ(log.Text(), "A.before, widget, A.after, widget");
    EXPECT_FALSE(IsHooked(&widget));
}

// A handler that removes every hook, itself included, while the event is on
// its way: nothing removed runs again, and the widget still gets the event once.
TEST(HookComponent, HandlerMayRemoveHooksDuringDispatch)
{
    EventLog log;
    LoggingWidget widget(log);
    auto first = MakeLoggingHook("A", log);
    auto second = std::make_unique<TLarkHookComponent>();
    first->SetControl(&widget);
    second->SetControl(&widget);
    second->OnBeforeProcess = [&](QObject*, QEvent* e, bool&) {
        if (!log.Wants(e))
            return;
        log.Add(QStringLiteral("B.before"));
        first->SetControl(nullptr);
        second.reset();
    };

    SendKey(widget, Qt::Key_X);

    EXPECT_EQ(log.Text(), "B.before, widget");
    EXPECT_EQ(second, nullptr);
    EXPECT_FALSE(IsHooked(&widget));
}

TEST(HookComponent, HandlerMayDestroyTheWidget)
{
    EventLog log;
    log.OnlyType(QEvent::User);
    auto* widget = new LoggingWidget(log);
    auto hook = MakeLoggingHook("A", log);
    hook->OnBeforeProcess = [&](QObject*, QEvent* e, bool&) {
        if (log.Wants(e))
            delete widget;
    };
    hook->SetControl(widget);

    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(widget, &event);

    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(hook->Control(), nullptr);
}

TEST(HookComponent, NotifiesInstallAndRemoval)
{
    auto widget = std::make_unique<QWidget>();
    CountingHook hook;

    hook.SetControl(widget.get());
    hook.SetActive(false);
    hook.SetActive(true);
    widget.reset();

    EXPECT_EQ(hook.installed, 2);
    EXPECT_EQ(hook.removed, 2);
}

// In design mode hooks run only with DesignActive; Active is kept either way.
TEST(HookComponent, DesignModeNeedsDesignActive)
{
    QWidget widget;
    TLarkHookComponent hook;
    hook.SetDesigning(true);
    hook.SetControl(&widget);

    struct Step
    {
        const char* name;
        std::function<void()> action;
        bool hooked;
    };
    const Step steps[] = {
        {"DesigningInactive", [] {}, false},
        {"DesignActiveOn", [&] { hook.SetDesignActive(true); }, true},
        {"DesignActiveOff", [&] { hook.SetDesignActive(false); }, false},
        {"RunTime", [&] { hook.SetDesigning(false); }, true},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.name);
        step.action();
        EXPECT_EQ(IsHooked(&widget), step.hooked);
        EXPECT_EQ(hook.Installed(), step.hooked);
        EXPECT_TRUE(hook.Active());
    }
}

} // namespace
