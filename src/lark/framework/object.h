#pragma once
// The notification type shared by every component: who changed.

#include <functional>

class QObject;

namespace lark {

using TNotifyEvent = std::function<void(QObject* sender)>;

} // namespace lark
