// The in-state entry boxes beyond the common ones: the state, province or
// country box with its type-ahead of country names, the county box's focus
// rule, the country lookup from the call sign on every keystroke, the
// province code of a Canadian call, and the distance and bearing display.

#include "app/in_state_window.h"

#include "app/app_state.h"
#include "log/country_lookup.h"
#include "log/instate_score.h"
#include "log/key_filters.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// The caret as the rules see it: the start of the selection when there is
// one, so a completed name with its rest selected has the caret after the
// typed part.
int caretOf(const QLineEdit* box)
{
    return box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
}

bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

void InStateWindow::handKeyOnFromSerial(int& KeyAscii)
{
    contactlog::UpperCaseKey(KeyAscii);
    onCountryKeyPress(KeyAscii);
}

void InStateWindow::onCountryKeyPress(int& KeyAscii)
{
    auto& log = m_state.log;
    if (KeyAscii == '"')
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii == 32 && caretOf(txtCntry) == 0 && log.KeyCarryState == 0) {
        // A blank at the start accepts the box as it is and moves on.
        KeyAscii = 0;
        txtSec->setFocus();
        return;
    }
    if (log.KeyCarryState == 3) {
        // A letter typed in the serial box starts this box.
        txtCntry->setText(QString(QChar(static_cast<char16_t>(KeyAscii))));
        txtCntry->setCursorPosition(1);
        log.KeyCarryState = 0;
        return;
    }
    if (KeyAscii == 0)
        return;

    const int caret = caretOf(txtCntry);
    // Typing at the start replaces the whole entry.
    if (caret == 0 && KeyAscii != 32)
        txtCntry->clear();
    // State and province codes come out in capitals...
    if (txtCntry->text().isEmpty() || caret < 2)
        contactlog::UpperCaseKey(KeyAscii);
    // ...and a third character makes a name with an initial capital: "NE"
    // becomes "Ne" before the third letter is added.
    if (caret == 2 && KeyAscii != 32) {
        const QString text = txtCntry->text();
        const int selected = txtCntry->hasSelectedText() ? static_cast<int>(txtCntry->selectedText().size()) : 0;
        if (text.size() >= 2) {
            txtCntry->setText(text.left(1) + text.mid(1, 1).toLower() + text.mid(2));
            if (selected > 0)
                txtCntry->setSelection(2, selected);
            else
                txtCntry->setCursorPosition(2);
        }
    }

    const QString text = txtCntry->text();
    if (text.size() < 2)
        return;
    // Type-ahead from the country names of the prefix table: the last row
    // whose name goes on from what is typed offers the rest of its name,
    // selected, so that the next key replaces it.
    const QString typed = text.left(caret) + QChar(static_cast<char16_t>(KeyAscii));
    const auto& table = m_state.countryPrefixes;
    if (const int row = contactlog::countryCompletionRow(table, typed)) {
        const app::CountryPrefixRow& r = table.rows[static_cast<std::size_t>(row - 1)];
        const QString completed = typed + r.CountryName.mid(typed.size());
        KeyAscii = 0;
        txtCntry->setText(completed);
        txtCntry->setSelection(static_cast<int>(typed.size()), static_cast<int>(completed.size() - typed.size()));
        continentLabel->setText(r.CountryContinent);
        ShowDistanceBearing(r.CountryLatitude, r.CountryLongitude);
        return;
    }
    // A blank that continues no country name ends the entry.
    if (KeyAscii == 32) {
        KeyAscii = 0;
        txtSec->setFocus();
    }
}

void InStateWindow::onCountryGotFocus()
{
    if (m_state.prefs.VoiceNavLevel >= 2)
        m_services.BlindKeyPhone(QStringLiteral("SPC"));
    // An empty box offers the party state: Space or Enter keeps it.
    if (txtCntry->text().isEmpty()) {
        txtCntry->setText(m_state.prefs.PartyState);
        txtCntry->selectAll();
    }
}

void InStateWindow::onCountryChanged()
{
    newCountryLabel->hide();
    const QString text = txtCntry->text();
    lblStation[4]->setEnabled(sameText(text, m_state.prefs.PartyState));
    if (text.size() == 2) {
        if (const auto at = contactlog::statePosition(m_state.stateLocations, text)) {
            continentLabel->setText(QStringLiteral("NA"));
            ShowDistanceBearing(at->latitude, at->longitude);
        }
    }
    if (contactlog::isNewDxCountry(text, m_dxList))
        newCountryLabel->show();
}

void InStateWindow::onCountyGotFocus()
{
    // The county box belongs to stations in the party state only.
    if (!sameText(txtCntry->text(), m_state.prefs.PartyState)) {
        txtCall->setFocus();
        lblStation[4]->setEnabled(false);
    } else {
        lblStation[4]->setEnabled(true);
    }
    if (m_state.prefs.VoiceNavLevel >= 2)
        m_services.BlindKeyPhone(QStringLiteral("County"));
}

void InStateWindow::afterBandOrModeChange()
{
    if (!txtCall->text().isEmpty())
        onCountryChanged();
}

void InStateWindow::afterCallChange() { LookupCallCountry(); }

void InStateWindow::LookupCallCountry()
{
    const contactlog::GeoPoint own{m_state.prefs.MyLatitude, m_state.prefs.MyLongitude};
    const auto shown =
        contactlog::LookupCallCountry(m_state.countryPrefixes, txtCall->text(), txtCntry->text(), own);
    // The box first, so that its change rules have run before the lookup's
    // own continent, bearing and distance are shown.
    if (shown.box)
        txtCntry->setText(*shown.box);
    if (shown.continent)
        continentLabel->setText(*shown.continent);
    if (shown.bearing)
        bearingLabel->setText(*shown.bearing);
    if (shown.distance)
        distanceLabel->setText(*shown.distance);
    if (shown.selectBox)
        txtCntry->selectAll();
}

void InStateWindow::afterCallLeft()
{
    // A Canadian call tells its province: offered selected, so that typing
    // replaces it.
    const QString call = txtCall->text();
    if (!txtCntry->text().isEmpty() || call.size() <= 2)
        return;
    const QString code = contactlog::canadianProvinceCode(call);
    if (code.isEmpty())
        return;
    txtCntry->setText(code);
    txtCntry->setSelection(0, static_cast<int>(code.size()));
}

void InStateWindow::ShowDistanceBearing(double latitude, double longitude)
{
    const contactlog::GeoPoint own{m_state.prefs.MyLatitude, m_state.prefs.MyLongitude};
    const auto texts = contactlog::ShowDistanceBearing(own, {latitude, longitude});
    bearingLabel->setText(texts.bearing);
    distanceLabel->setText(texts.distance);
}

void InStateWindow::showOwnCounty(const QString& county)
{
    ownLocationLabel->setText(county);
    onOwnCountyChanged();
}

void InStateWindow::onOwnCountyChanged() { m_state.log.OperatorCountyText = ownLocationLabel->text(); }
