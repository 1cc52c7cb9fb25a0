// Clocks, contact rates, the operating-time clock, and the post-contest
// date and time boxes.

#include "app/main_window_base.h"

#include "app/app_state.h"
#include "log/post_contest.h"
#include "log/rates_clock.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void MainWindowBase::onClockTick()
{
    const QDateTime now = m_state.services.clock.now();
    const auto texts = contactlog::clockTexts(now, m_state.prefs.UtcOffsetHours);
    lblCurTime->setText(texts.lblCurTime);
    amPmLabel->setText(texts.amPm);
    lblutctime->setText(texts.lblutctime);
    if (contactlog::tickOperatingClock(m_state.log, m_state.prefs.BankedOpSeconds, now))
        lblttrack->setText(contactlog::formatOperatingTime(m_state.log.OperatingSeconds));
}

void MainWindowBase::onRateTick() { ShowQSORate(); }

void MainWindowBase::ShowQSORate()
{
    const QDateTime utcNow =
        contactlog::contestUtc(m_state.services.clock.now(), m_state.prefs.UtcOffsetHours);
    const auto rates = contactlog::computeQsoRates(m_state.log.contacts, utcNow);
    if (!rates)
        return;
    lblAQSO60->setText(QString::number(rates->last60));
    lblAQSO20->setText(QString::number(rates->last20x3));
}

void MainWindowBase::ShowOperatingTime()
{
    m_state.log.OperatingSeconds = m_state.prefs.BankedOpSeconds;
    lblttrack->setText(contactlog::formatOperatingTime(m_state.log.OperatingSeconds));
}

void MainWindowBase::onTimeOnClicked()
{
    const QDateTime now = m_state.services.clock.now();
    if (m_state.log.TimedOnFlag == 0) {
        contactlog::TimeOn(m_state.log, now);
        cmdLogOn->setText(QStringLiteral("&Log \"Time Off\""));
        lblDialog->setText(QStringLiteral(" "));
    } else {
        const QString text = contactlog::TimeOff(m_state.log, m_state.prefs.BankedOpSeconds, now,
                                                 m_state.prefs.UtcOffsetHours);
        cmdLogOn->setText(QStringLiteral("&Log \"Time On\""));
        lblDialog->setText(text);
        app::SaveQSOPref(m_state);
    }
    txtCall->setFocus();
}

void MainWindowBase::onPostContestClicked()
{
    // The item's check mark has already changed with the click.
    const bool shown = mnuPostContest->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(lblPostConTime), static_cast<QWidget*>(txtPostConTime),
                       static_cast<QWidget*>(lblPostConDate), static_cast<QWidget*>(txtPostConDate)})
        w->setVisible(shown);
}

void MainWindowBase::onPostContestDateGotFocus()
{
    if (!txtPostConDate->text().isEmpty())
        return;
    txtPostConDate->setText(contactlog::postContestDateFill(m_state.services.clock.now().date()));
    txtPostConDate->selectAll();
}

void MainWindowBase::onPostContestTimeGotFocus() { txtPostConTime->selectAll(); }

void MainWindowBase::onPostContestDateKeyPress(int& KeyAscii)
{
    if (KeyAscii == 32) {
        KeyAscii = 0;
        tabFrom(txtPostConDate);
    } else if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    } else if (!contactlog::postContestDateKeyAllowed(KeyAscii)) {
        KeyAscii = 0;
    }
}

void MainWindowBase::onPostContestTimeKeyPress(int& KeyAscii)
{
    if (KeyAscii == 32) {
        KeyAscii = 0;
        tabFrom(txtPostConTime);
    } else if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    } else if (!contactlog::postContestTimeKeyAllowed(KeyAscii)) {
        KeyAscii = 0;
    }
}
