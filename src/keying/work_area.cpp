#include "keying/work_area.h"

#include "platform/scaling.h"

namespace keying {

bool scaleToWorkArea(QWidget* window, const platform::ScreenMetrics& screen)
{
    const QRectF work = screen.workAreaTwips;
    platform::ScreenMetrics area = screen;
    area.widthTwips = work.width();
    area.heightTwips = work.height();
    platform::ScaleRule rule = platform::ScaleRule::phoneSettings();
    rule.placement = platform::ScaleRule::Placement::ExactCentre;
    rule.sized.insert(platform::ControlKind::CheckBox);
    rule.fonted = rule.sized;
    if (!platform::scaleWindow(window, area, rule).isEmpty())
        return false;
    const QRectF g = platform::windowTwipGeometry(window);
    platform::setWindowTwipPos(window, work.left() + g.left(), work.top() + g.top());
    return true;
}

}  // namespace keying
