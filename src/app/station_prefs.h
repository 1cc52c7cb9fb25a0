#pragma once
// The 25 station and general preferences, stored one value a line in
// QSOpref.txt in the program folder. The file is read once, when the setup
// window loads; after that these values are the truth and the file is
// rewritten whole after every change.

#include <QByteArray>
#include <QString>

namespace platform {
class SettingsReader;
}

namespace app {

/// A UTC offset the clocks can use: no place on Earth is more than a day
/// from UTC, and anything beyond would give contacts no valid date.
[[nodiscard]] constexpr bool isUsableUtcOffset(double hours) { return hours >= -24.0 && hours <= 24.0; }

struct StationPrefs {
    QString MyCall;
    QString MySPC;
    QString MyCountry;
    QString MyArrlSection;
    QString MyName;
    QString MyCategory;
    QString MyCounty;
    QString MyCity;
    QString CurrentMode;      ///< "CW", "PH" or "DG"
    QString CurrentBand;      ///< "160" … "2"
    float UtcOffsetHours = 0; ///< hours added to local time to get UTC
    float MyLongitude = 0;
    float MyLatitude = 0;
    QString MyContinent;
    quint8 FormSizePercent = 0;
    qint32 WorkedMultColor = 0;
    qint32 RemainingMultColor = 0;
    float BankedOpSeconds = 0;
    QString PartyState;
    quint8 OutOfStateFlag = 0;
    quint8 RoverFlag = 0;
    quint8 VoiceNavLevel = 0;
    QString RigType;
    quint8 TaskbarDisplay = 0;
    quint8 ListPreviousFlag = 0;

    bool operator==(const StationPrefs&) const = default;
};

constexpr int StationPrefCount = 25;

/// The file content for prefs: 25 lines, CR LF, texts quoted, numbers bare.
[[nodiscard]] QByteArray formatStationPrefs(const StationPrefs& prefs);

/// Reads the 25 values in file order, each straight into its preference.
/// Reading stops at the first value that is missing or does not convert to
/// its preference's type; the values read before it keep their new values.
/// Returns the number of values read (25 for a whole file).
int readStationPrefs(platform::SettingsReader& reader, StationPrefs& prefs);

}  // namespace app
