#include "platform/events.h"

#include <QCoreApplication>

namespace platform {

void letPendingEventsRun() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace platform
