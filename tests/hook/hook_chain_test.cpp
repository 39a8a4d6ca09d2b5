// The chain around a widget's own handling: order, Handled, after-process,
// and delivery that stays exactly-once.

#include "hook_test_support.h"

#include <lark/hook/hook_component.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace lark;
using lark::test::EventLog;
using lark::test::LoggingWidget;
using lark::test::MakeLoggingHook;
using lark::test::SendKey;
using lark::test::TwoHookedWidget;

namespace {

TEST(HookChain, LastAttachedRunsFirstAroundTheWidget)
{
    EventLog log;
    TwoHookedWidget hooked(log);
    auto& [widget, first, second] = hooked;

    SendKey(widget, Qt::Key_X);

    EXPECT_EQ(log.Text(), "B.before, A.before, widget, B.after, A.after");
}

// Which handler sets Handled, and what runs.
struct HandledCase
{
    const char* name;
    const char* handler;   // "B.before", "A.before", "B.after"
    const char* expected;
};

void PrintTo(const HandledCase& row, std::ostream* os)
{
    *os << row.name;
}

class HookHandled : public testing::TestWithParam<HandledCase>
{
};

TEST_P(HookHandled, StopsItsChain)
{
    const HandledCase& row = GetParam();
    EventLog log;
    log.SetHandledBy(QString::fromLatin1(row.handler));
    TwoHookedWidget hooked(log);
    auto& [widget, first, second] = hooked;

    SendKey(widget, Qt::Key_X);

    EXPECT_EQ(log.Text(), row.expected);
}

const HandledCase kHandledCases[] = {
    {"LastAttachedSuppressesAll", "B.before", "B.before, B.after, A.after"},
    {"FirstAttachedSuppressesWidget", "A.before", "B.before, A.before, B.after, A.after"},
    {"AfterStopsOnlyAfterChain", "B.after", "B.before, A.before, widget, B.after"},
};

INSTANTIATE_TEST_SUITE_P(Rows, HookHandled, testing::ValuesIn(kHandledCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HookChain, QuitSkipsBeforeProcessOnly)
{
    EventLog log;
    LoggingWidget widget(log);
    log.OnlyType(QEvent::Quit);
    auto hook = MakeLoggingHook("A", log);
    hook->SetControl(&widget);

    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(&widget, &quit);

    EXPECT_EQ(log.Text(), "widget, A.after");
}

TEST(HookChain, HandlerSeesTheEventItself)
{
    QWidget widget;
    TLarkHookComponent hook;
    QObject* sender = nullptr;
    int key = 0;
    hook.OnBeforeProcess = [&](QObject* from, QEvent* message, bool&) {
        sender = from;
        if (message->type() == QEvent::KeyPress)
            key = static_cast<QKeyEvent*>(message)->key();
    };
    hook.SetControl(&widget);

    SendKey(widget, Qt::Key_Q);

    EXPECT_EQ(sender, &hook);
    EXPECT_EQ(key, Qt::Key_Q);
}

// A click the child ignores goes on to its parent. With a listener after
// processing, the chain delivers to the child itself: the parent must still
// get the press exactly once, and the child too.
TEST(HookChain, AfterProcessKeepsPropagationExactlyOnce)
{
    EventLog log;
    LoggingWidget parent(log, QStringLiteral("parent"));
    LoggingWidget* child = new LoggingWidget(log, QStringLiteral("child"), &parent);
    parent.resize(100, 100);
    child->setGeometry(10, 10, 50, 50);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    auto hook = MakeLoggingHook("A", log);
    hook->SetControl(child);
    log.OnlyType(QEvent::MouseButtonPress);

    QTest::mousePress(child, Qt::LeftButton, {}, QPoint(5, 5));

    EXPECT_EQ(log.Text(), "A.before, child, A.after, parent");
    QTest::mouseRelease(child, Qt::LeftButton, {}, QPoint(5, 5));
}

// Filters already on the widget keep seeing each event once as long as no
// component listens after processing.
TEST(HookChain, BeforeOnlyHooksLeaveDeliveryToQt)
{
    EventLog log;
    LoggingWidget widget(log);
    lark::test::LoggingFilter earlier(log, QStringLiteral("filter"));
    widget.installEventFilter(&earlier);
    TLarkHookComponent hook;
    hook.OnBeforeProcess = [&](QObject*, QEvent* e, bool&) {
        if (e->type() == QEvent::KeyPress)
            log.Add(QStringLiteral("A.before"));
    };
    hook.SetControl(&widget);

    SendKey(widget, Qt::Key_X);

    EXPECT_EQ(log.Text(), "A.before, filter, widget");
}

} // namespace
