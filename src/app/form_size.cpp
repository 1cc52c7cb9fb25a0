#include "app/form_size.h"

#include "app/app_state.h"
#include "platform/caption_label.h"
#include "platform/controls.h"
#include "platform/number_text.h"
#include "platform/scaling.h"

#include <QAction>
#include <cmath>

namespace app {

namespace {

using K = platform::ControlKind;

/// Multiplies a font size by p / 100; a size that would reach zero cannot
/// be shown, and counts as a failure.
bool scaleFontPercent(QWidget* w, double p)
{
    QFont f = w->font();
    if (f.pointSizeF() > 0) {
        const double size = p * f.pointSizeF() / 100;
        if (!(size > 0))
            return false;
        f.setPointSizeF(size);
        w->setFont(f);
    }
    return true;
}

/// The window's controls in the order the window holds them.
QList<QWidget*> controlsOf(QWidget* window)
{
    QList<QWidget*> result;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (platform::kindOf(w) != K::Other)
            result.append(w);
    return result;
}

bool resizedByFormSize(K kind)
{
    return kind == K::Label || kind == K::TextBox || kind == K::CommandButton ||
           kind == K::ListBox || kind == K::ListView;
}

/// The steps of ApplyFormSize after hiding the window; false at the first
/// step that fails.
bool applyFormSizeSteps(const MainWindowFrame& frame, double p, const platform::ScreenMetrics& screen)
{
    QWidget* window = frame.window;
    const double width = p * screen.widthTwips / 100;
    const double height = p * screen.heightTwips / 100;
    platform::setWindowTwipSize(window, width, height);
    platform::setWindowTwipPos(window, (screen.widthTwips - width) / 2,
                               (screen.heightTwips - height) / 2);
    if (!scaleFontPercent(window, p))
        return false;

    for (QWidget* c : controlsOf(window)) {
        const K kind = platform::kindOf(c);
        if (kind == K::Line) {
            auto* line = static_cast<platform::LineControl*>(c);
            line->setLine(p * line->X1() / 100, p * line->Y1() / 100, p * line->X2() / 100,
                          p * line->Y2() / 100);
        } else if (resizedByFormSize(kind)) {
            if (!scaleFontPercent(c, p))
                return false;
            const QRectF t = platform::twipGeometry(c);
            platform::setTwipGeometry(c, QRectF(p * t.left() / 100, p * t.top() / 100,
                                                p * t.width() / 100, p * t.height() / 100));
        }
    }
    if (!FitListHeights(frame))
        return false;
    platform::scaleColumns(frame.contactListView, p / 100);
    platform::fitColumnsToContents(frame.contactListView);
    platform::scaleColumns(frame.txtDX, p / 100);
    return true;
}

}  // namespace

std::optional<double> listHeightToLine(double lineY1, double listTop)
{
    const double height = lineY1 - listTop;
    if (!(height >= 0))
        return std::nullopt;
    return height;
}

bool FitListHeights(const MainWindowFrame& frame)
{
    if (!frame.multiplierListsLine || !frame.firstMultiplierList)
        return true;
    QRectF g = platform::twipGeometry(frame.firstMultiplierList);
    const auto height = listHeightToLine(frame.multiplierListsLine->Y1(), g.top());
    if (!height)
        return false;
    g.setHeight(*height);
    platform::setTwipGeometry(frame.firstMultiplierList, g);
    for (QWidget* list : frame.sameHeightLists) {
        if (!list)
            continue;
        QRectF lg = platform::twipGeometry(list);
        lg.setHeight(*height);
        platform::setTwipGeometry(list, lg);
    }
    return true;
}

bool ApplyFormSize(const MainWindowFrame& frame, AppState& state)
{
    frame.window->hide();
    const bool ok = applyFormSizeSteps(frame, state.prefs.FormSizePercent,
                                       state.services.screen.metrics());
    if (!ok) {
        // The window opens full size from the next start on.
        state.prefs.FormSizePercent = 100;
        SaveQSOPref(state);
    }
    frame.window->show();
    return ok;
}

void FitToScreen(const MainWindowFrame& frame, AppState& state)
{
    if (frame.mnuTaskbar) {
        frame.mnuTaskbar->setCheckable(true);
        frame.mnuTaskbar->setChecked(state.prefs.TaskbarDisplay != 0);
    }
    if (state.prefs.FormSizePercent != 100)
        return;

    QWidget* window = frame.window;
    const bool wasActive = window->isActiveWindow();
    window->hide();
    const QRectF old = platform::windowTwipGeometry(window);
    const platform::ScreenMetrics screen = state.services.screen.metrics();
    if (state.prefs.TaskbarDisplay == 1)
        platform::setWindowTwipSize(window, screen.workAreaTwips.width(),
                                    screen.workAreaTwips.height());
    else
        platform::setWindowTwipSize(window, screen.widthTwips, screen.heightTwips);
    platform::setWindowTwipPos(window, 0, 0);

    // A window that had no size gives no ratio; the stretching is passed over.
    const QRectF now = platform::windowTwipGeometry(window);
    if (old.width() > 0 && old.height() > 0) {
        const double rw = now.width() / old.width();
        const double rh = now.height() / old.height();
        for (QWidget* c : controlsOf(window)) {
            if (platform::kindOf(c) == K::Line) {
                auto* line = static_cast<platform::LineControl*>(c);
                line->setLine(line->X1() * rw, line->Y1() * rh, line->X2() * rw, line->Y2() * rh);
                continue;
            }
            const QRectF t = platform::twipGeometry(c);
            platform::setTwipGeometry(
                c, QRectF(t.left() * rw, t.top() * rh, t.width() * rw, t.height() * rh));
        }
        platform::scaleColumns(frame.txtDX, rw);
    }
    FitListHeights(frame);
    window->show();
    // Hiding took the keyboard away; the operator goes on typing where the
    // Taskbar item was chosen.
    if (wasActive)
        window->activateWindow();
}

std::optional<quint8> formSizeFromAnswer(const QString& answer)
{
    const auto value = platform::typedNumber(answer);
    // "nan" and "inf" read as numbers but are none the operator could mean.
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    double v = *value;
    if (v > 100)
        v = 100;
    if (v < 30)
        v = 30;
    // Halves go to the even neighbour, as the stored byte always has.
    return static_cast<quint8>(std::nearbyint(v));
}

void askFormSizePercent(AppState& state)
{
    platform::Prompt& prompt = state.services.prompt;
    const QString answer = prompt.inputBox(
        QStringLiteral("Enter the % of the screen you would like the form to cover.  Try between "
                       "90 and 100 for best results.  Values below 75 do not display well."),
        QStringLiteral("Please enter screen percentage."),
        QString::number(state.prefs.FormSizePercent));
    const auto percent = formSizeFromAnswer(answer);
    if (!percent) {
        prompt.message(QStringLiteral("Please enter only numeric values."),
                       QStringLiteral("Numeric Values Required"));
        return;
    }
    state.prefs.FormSizePercent = *percent;
    prompt.message(
        QStringLiteral("This program must be closed and restarted for this setting to take effect."),
        QStringLiteral("For this setting to take effect please restart this program."));
    SaveQSOPref(state);
}

void toggleTaskbarDisplay(const MainWindowFrame& frame, AppState& state)
{
    if (state.prefs.FormSizePercent != 100) {
        state.services.prompt.message(
            QStringLiteral("The form size must be set to 100% to use the taskbar display option."),
            QStringLiteral("Please set your form size to 100% to use this option."));
        return;
    }
    state.prefs.TaskbarDisplay = state.prefs.TaskbarDisplay == 0 ? 1 : 0;
    SaveQSOPref(state);
    FitToScreen(frame, state);
}

}  // namespace app
