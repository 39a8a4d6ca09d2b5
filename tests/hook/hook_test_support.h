#pragma once

// Small doubles for the hook tests: a log of who saw an event, a widget and
// a filter that write to it, and hook components that write to it.

#include <lark/hook/hook_component.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <string>

namespace lark::test {

// Records who saw events of one type ("widget", "A.before", ...). The handler
// whose line equals HandledBy sets Handled.
class EventLog
{
public:
    void OnlyType(QEvent::Type type) { FType = type; }
    void SetHandledBy(const QString& line) { FHandledBy = line; }

    bool Wants(const QEvent* e) const { return e->type() == FType; }
    // Logs line and tells whether it is the handler that sets Handled.
    bool Add(const QString& line)
    {
        FLines << line;
        return line == FHandledBy;
    }
    const QStringList& Lines() const { return FLines; }
    // The lines as "B.before, A.before, widget": readable in a failure.
    std::string Text() const { return FLines.join(QStringLiteral(", ")).toStdString(); }

private:
    QEvent::Type FType = QEvent::KeyPress;
    QString FHandledBy;
    QStringList FLines;
};

class LoggingWidget : public QWidget
{
public:
    explicit LoggingWidget(EventLog& log, const QString& name = QStringLiteral("widget"), QWidget* parent = nullptr)
        : QWidget(parent)
        , FLog(log)
        , FName(name)
    {
    }

protected:
    bool event(QEvent* e) override
    {
        if (FLog.Wants(e))
            FLog.Add(FName);
        return QWidget::event(e);
    }

private:
    EventLog& FLog;
    QString FName;
};

class LoggingFilter : public QObject
{
public:
    LoggingFilter(EventLog& log, const QString& name)
        : FLog(log)
        , FName(name)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (FLog.Wants(e))
            FLog.Add(FName);
        return false;
    }

private:
    EventLog& FLog;
    QString FName;
};

// A component logging "<name>.before" and "<name>.after".
inline std::unique_ptr<TLarkHookComponent> MakeLoggingHook(const char* name, EventLog& log)
{
    auto hook = std::make_unique<TLarkHookComponent>();
    const QString prefix = QString::fromLatin1(name);
    hook->OnBeforeProcess = [&log, prefix](QObject*, QEvent* e, bool& handled) {
        if (log.Wants(e) && log.Add(prefix + QStringLiteral(".before")))
            handled = true;
    };
    hook->OnAfterProcess = [&log, prefix](QObject*, QEvent* e, bool& handled) {
        if (log.Wants(e) && log.Add(prefix + QStringLiteral(".after")))
            handled = true;
    };
    return hook;
}

// A logging widget with the logging hooks "A" (first) and "B" (second)
// attached in that order.
struct TwoHookedWidget
{
    explicit TwoHookedWidget(EventLog& log)
        : widget(log)
        , first(MakeLoggingHook("A", log))
        , second(MakeLoggingHook("B", log))
    {
        first->SetControl(&widget);
        second->SetControl(&widget);
    }

    LoggingWidget widget;
    std::unique_ptr<TLarkHookComponent> first;
    std::unique_ptr<TLarkHookComponent> second;
};

inline bool SendKey(QWidget& widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    return QCoreApplication::sendEvent(&widget, &press);
}

} // namespace lark::test
