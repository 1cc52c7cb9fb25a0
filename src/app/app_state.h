#pragma once
// The state that several windows share, owned by main() and passed by
// reference: the folders, the station preferences, the shared preferences
// text, the reference tables and the keying state. Each part has one
// owning subsystem; the others read it.

#include "app/reference_tables.h"
#include "app/shared_prefs.h"
#include "app/station_prefs.h"
#include "keying/keyer_settings.h"
#include "keying/keying_state.h"
#include "log/county_table.h"
#include "log/log_state.h"
#include "platform/hardware.h"
#include "platform/services.h"

#include <QString>
#include <functional>

namespace app {

struct ProgramFolders {
    QString ProgramFolder;     ///< the working directory the program started in
    QString ProgramDrive;      ///< its first character
    QString UserDataFolder;    ///< …/Ostrel Software/Zivudaduri
    QString SharedDataFolder;  ///< …/Ostrel Software/Shared

    /// A file named without a folder: it lives in the program folder.
    [[nodiscard]] QString programFile(const QString& name) const;
};

struct AppState {
    explicit AppState(platform::Services& s) : services(s) {}

    platform::Services& services;
    ProgramFolders folders;
    StationPrefs prefs;
    SharedPrefs sharedPrefs;
    CountryPrefixTable countryPrefixes;
    StateLocationTable stateLocations;
    contactlog::CountyTable counties;
    contactlog::LogState log;  ///< the contact log and its shared values
    keying::KeyingState keying;
    keying::CwWindowSettings cwSettings;
    keying::PhoneWindowSettings phoneSettings;
    /// The serial links and the parallel port, shared by the keyers, rig
    /// control and the TNC.
    platform::Hardware hardware;

    /// Opens the main window of the operator's location (the setup window's
    /// hand-over); wired by the program's start.
    std::function<void()> openMainWindow;
    /// Ends the program (the event loop); wired by the program's start.
    std::function<void()> endProgram;

    /// Set while the last preferences write failed, so that a full disk is
    /// reported once and not after every band change.
    bool prefsWriteFailureShown = false;
};

/// Writes the 25 preferences to QSOpref.txt in the program folder, safely.
/// A failure is reported to the operator (once until a write succeeds again)
/// and the values in memory stay for the next try. Returns true on success.
bool SaveQSOPref(AppState& state);

/// Reads QSOpref.txt into the preferences; false when it is missing, short
/// or damaged (the values read before the failure are kept).
[[nodiscard]] bool readQSOPref(AppState& state);

}  // namespace app
