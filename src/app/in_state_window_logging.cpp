// The in-state logging routine and the rover's re-logging.
//
// One Enter logs one contact; a rover on a county line then has the same
// contact logged once more for each further county of the rover county
// window's list, the own county set to that county for the copy. The copies
// are made from the contact as it was stored, never from the entry boxes:
// keys typed while the copies are made (events run in between) go on into
// the boxes for the next contact and never into a copy, and an Enter that
// stored nothing starts no copies, so no earlier contact is logged again.
// However the re-logging ends, the own county is the list's first county
// afterwards.

#include "app/in_state_window.h"

#include "app/app_state.h"
#include "log/recent_contacts.h"
#include "platform/events.h"
#include "platform/prompt.h"
#include "reports/rover_county_change_dialog.h"

#include <QAction>
#include <QLabel>

void InStateWindow::runLoggingRoutine()
{
    const contactlog::RoverSource source = logEntry();
    RoverCountyWindow* rover = roverCountyWindow();
    const QStringList counties = rover ? rover->counties() : QStringList();
    if (m_relogger.shouldRun(m_state.prefs.RoverFlag == 1, counties, source))
        LogRoverCounties(source, counties, rover->incrementSerial());
}

contactlog::RoverSource InStateWindow::logEntry()
{
    const auto result = contactlog::attemptLogContact(m_state.log, entryValues(), loggingContext(),
                                                      m_state.services.clock.now(), m_state.services.clock);
    // Taken before any event can run: the copies repeat exactly this contact.
    contactlog::RoverSource source;
    if (result.stored == contactlog::StoreOutcome::Logged)
        source = contactlog::roverSourceOf(m_state.log.contacts, result.recordNumber);
    if (result.continentNA && continentLabel->text().isEmpty())
        continentLabel->setText(QStringLiteral("NA"));
    showLogAttempt(result);
    return source;
}

void InStateWindow::LogRoverCounties(const contactlog::RoverSource& source, const QStringList& counties,
                             bool incrementSerial)
{
    contactlog::RoverRelogHooks hooks;
    hooks.setOwnCounty = [this](const QString& county) {
        // Not saved: the saved own county stays the list's first county.
        m_state.prefs.MyCounty = county;
        showOwnCounty(county);
    };
    hooks.logCopy = [this](const contactlog::RoverCopy& copy) { return logRoverCopy(copy); };
    hooks.reportFailure = [this] { m_state.services.beeper.beep(); };
    // The own county is the re-logging's while it runs: a county chosen in
    // the middle of it would be overwritten by the list's first county.
    const bool changeCountyOffered = mnuChangeCounty->isEnabled();
    mnuChangeCounty->setEnabled(false);
    struct OfferAgain {
        QAction* item;
        bool offered;
        ~OfferAgain() { item->setEnabled(offered); }
    } offerAgain{mnuChangeCounty, changeCountyOffered};
    (void)m_relogger.LogRoverCounties(counties, incrementSerial, source, hooks);
}

contactlog::RoverCopyOutcome InStateWindow::logRoverCopy(const contactlog::RoverCopy& copy)
{
    // Each county takes a moment: a key, a CW message or the clock may need
    // the window meanwhile.
    platform::letPendingEventsRun();
    auto& clock = m_state.services.clock;
    const auto entry = contactlog::roverCopyEntry(copy, contactlog::NextSerial(m_state.log.contacts));
    const auto context = contactlog::roverCopyContext(loggingContext(), copy);
    const auto result = contactlog::attemptLogContact(m_state.log, entry, context, clock.now(), clock);

    for (const auto& notice : result.notices) {
        m_state.services.beeper.beep();
        setDialog(notice.text, notice.red);
    }
    if (result.dupeRecord > 0) {
        resetDupeLine();
        playDupePrompt();
    }
    if (result.stored == contactlog::StoreOutcome::WriteFailed)
        m_state.services.prompt.message(
            QStringLiteral("The copy of this contact for ") + copy.county +
                QStringLiteral(" was NOT logged: it could not be written to log.txt in the working "
                               "directory.\n") +
                result.writeError,
            QStringLiteral("File Error"), platform::MsgIcon::Critical);
    if (result.stored == contactlog::StoreOutcome::Logged) {
        setDialog(QString());
        resetDupeLine();
        ListRecentContacts();
        countStoredContact(true);
        ShowScore();
    }
    ShowQSORate();

    switch (result.stored) {
    case contactlog::StoreOutcome::Logged: return contactlog::RoverCopyOutcome::Stored;
    case contactlog::StoreOutcome::NotStored: return contactlog::RoverCopyOutcome::NotStored;
    case contactlog::StoreOutcome::LogFull:
    case contactlog::StoreOutcome::WriteFailed: break;
    }
    return contactlog::RoverCopyOutcome::Failed;
}
