#pragma once
// The in-state window on its own program folder, with a small prefix table
// and the operator at 38.5 N 121.5 W, and an operator's ways of entering a
// contact into it.

#include "app/main_window_fixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace testing_support {

/// A prefix table sorted by prefix, digits before letters. The first "USA"
/// row and "4U1U" lie at 40.7 N 74.0 W.
inline app::CountryPrefixTable testPrefixTable()
{
    app::CountryPrefixTable t;
    auto row = [&t](const char* prefix, const char* name, const char* continent, float lat, float lon) {
        t.rows.push_back({QString::fromLatin1(prefix), QString::fromLatin1(name), QString::fromLatin1(continent),
                          lon, lat});
    };
    row("3D2", "Fiji", "OC", -18.0f, -178.0f);
    row("4U1U", "United Nations HQ", "NA", 40.7f, 74.0f);
    row("4X", "Israel", "AS", 31.5f, -34.8f);
    row("DL", "Germany", "EU", 51.0f, -10.0f);
    row("JA", "Japan", "AS", 36.0f, -138.0f);
    row("JD1", "Ogasawara", "AS", 27.0f, -142.0f);
    row("K", "USA", "NA", 40.7f, 74.0f);
    row("KG4", "Guantanamo Bay", "NA", 20.0f, 75.2f);
    row("KH6", "Hawaii", "OC", 21.3f, 157.8f);
    row("KL", "Alaska", "NA", 61.2f, 149.9f);
    row("VE", "Canada", "NA", 45.4f, 75.7f);
    row("VY", "Canada", "NA", 62.5f, 114.4f);
    row("W", "USA", "NA", 39.0f, 95.0f);
    row("XE", "Mexico", "NA", 19.4f, 99.1f);
    return t;
}

class InStateFixture : public MainWindowFixture {
public:
    InStateFixture()
    {
        auto& p = fx.state.prefs;
        p.OutOfStateFlag = 0;
        p.MyLatitude = 38.5f;
        p.MyLongitude = 121.5f;
        fx.state.countryPrefixes = testPrefixTable();
        auto& states = fx.state.stateLocations.rows;
        states[0] = {QStringLiteral("NY"), 40.7f, 74.0f};
        states[1] = {QStringLiteral("TX"), 31.0f, 100.0f};
        states[2] = {QStringLiteral("AK"), 64.0f, 150.0f};
    }

    InStateWindow& in() { return static_cast<InStateWindow&>(*window); }

    /// Opens the window and starts the operating-time clock.
    InStateWindow& openTimedOn()
    {
        open();
        QTest::mouseClick(window->cmdLogOn, Qt::LeftButton);
        fx.fakes.beeper.resetCount();
        return in();
    }

    /// Enters one contact the way an operator types it: the call, a blank,
    /// the serial, a blank (the state/province/country box offers the party
    /// state), the state or province or nothing for a DX station whose
    /// country the lookup filled in, then the county for a party-state
    /// station, and Enter.
    void logIn(const QString& call, const QString& serial, const QString& spc, const QString& county = {})
    {
        window->txtCall->setFocus();
        type(call);
        press(Qt::Key_Space);
        type(serial);
        press(Qt::Key_Space);
        if (!spc.isEmpty())
            type(spc);
        if (!county.isEmpty()) {
            press(Qt::Key_Space);
            type(county);
        }
        enter();
    }

    [[nodiscard]] const contactlog::ContactRecord& record(int n) const
    {
        return fx.state.log.contacts.record(n);
    }

    /// Runs fn once, the next time the window lets pending events run.
    static void duringNextEvents(std::function<void()> fn) { QTimer::singleShot(0, std::move(fn)); }

    [[nodiscard]] static QStringList items(const QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

}  // namespace testing_support
