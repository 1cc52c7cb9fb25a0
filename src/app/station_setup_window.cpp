#include "app/station_setup_window.h"

#include "app/app_state.h"
#include "app/utc_check.h"
#include "keying/keyer_settings.h"
#include "log/county_table.h"
#include "log/key_filters.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/number_text.h"
#include "platform/paste_filter.h"
#include "platform/scaling.h"
#include "platform/settings_stream.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using platform::ControlKind;
using platform::FontSpec;
using platform::makeControl;

namespace {

const FontSpec LabelFont{QStringLiteral("Arial"), 9.75, true};
const FontSpec FrameFont{QStringLiteral("MS Sans Serif"), 8.25, true};
const FontSpec ButtonFont{QStringLiteral("Arial"), 9.75, false};
const FontSpec BoxFont{QStringLiteral("MS Sans Serif"), 8.25, false};

const char* const StateCodes[50] = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DE", "FL", "GA", "HI", "IA", "ID",
    "IL", "IN", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT",
    "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA", "RI",
    "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};

void setBold(QWidget* w, bool bold)
{
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

}  // namespace

StationSetupWindow::StationSetupWindow(app::AppState& state, QWidget* parent)
    : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("StationSetupWindow"));
    setWindowTitle(QStringLiteral(" Setup Information"));
    platform::setWindowTwipSize(this, 4950, 5400);
    buildControls();
    wireEvents();
}

void StationSetupWindow::buildControls()
{
    struct Row {
        QLineEdit** box;
        const char* name;
        const char* label;
        const char* caption;
    };
    const Row rows[] = {
        {&callBox, "callBox", "callLabel", "Please Enter your Call Sign:"},
        {&stateProvinceBox, "stateProvinceBox", "stateProvinceLabel", "Your State / Province:"},
        {&countyBox, "countyBox", "countyLabel", "Your County:"},
        {&utcOffsetBox, "utcOffsetBox", "utcOffsetLabel", "Hours added for UTC:"},
        {&countryBox, "countryBox", "countryLabel", "Your Country:"},
        {&longitudeBox, "longitudeBox", "longitudeLabel", "Your Longitude:"},
        {&latitudeBox, "latitudeBox", "latitudeLabel", "Your Latitude:"},
        {&continentBox, "continentBox", "continentLabel", "Your Continent:"},
        {&arrlSectionBox, "arrlSectionBox", "arrlSectionLabel", "Your ARRL Section:"},
        {&nameBox, "nameBox", "nameLabel", "Your Name:"},
        {&categoryBox, "categoryBox", "categoryLabel", "Your Category:"},
        {&cityBox, "cityBox", "cityLabel", "Your City:"},
    };
    double top = 150;
    int index = 0;
    for (const Row& r : rows) {
        const bool hidden = index >= 9;
        // The three hidden fields sit under the visible ones, at the same rows.
        const double rowTop = hidden ? 150 + (index - 9 + 6) * 370 : top;
        auto* label = makeControl<QLabel>(this, r.label, ControlKind::Label,
                                          QRectF(120, rowTop + 30, 2700, 285), LabelFont);
        label->setText(QString::fromLatin1(r.caption));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        *r.box = makeControl<QLineEdit>(this, r.name, ControlKind::TextBox,
                                        QRectF(2900, rowTop, 1850, 330), BoxFont);
        if (hidden) {
            label->hide();
            (*r.box)->hide();
        } else {
            top += 370;
        }
        ++index;
    }
    utcOffsetBox->setMaxLength(7);
    auto* md = makeControl<QLabel>(this, "mdPartyNote", ControlKind::Label,
                                   QRectF(120, 150 + 9 * 370, 2700, 285), LabelFont);
    md->setText(QStringLiteral("(for MD party)"));
    md->hide();

    inStateGroup = makeControl<QGroupBox>(this, "inStateGroup", ControlKind::Frame,
                                    QRectF(120, 3540, 4710, 600), FrameFont);
    inStateGroup->setTitle(QStringLiteral("Are you in Zivudaduri?"));
    inStateYes = makeControl<QRadioButton>(inStateGroup, "inStateYes", ControlKind::OptionButton,
                                        QRectF(1200, 240, 900, 300), BoxFont);
    inStateYes->setText(QStringLiteral("Yes"));
    inStateNo = makeControl<QRadioButton>(inStateGroup, "inStateNo", ControlKind::OptionButton,
                                        QRectF(2700, 240, 900, 300), BoxFont);
    inStateNo->setText(QStringLiteral("No"));

    roverGroup = makeControl<QGroupBox>(this, "roverGroup", ControlKind::Frame,
                                    QRectF(120, 4200, 4710, 600), FrameFont);
    roverGroup->setTitle(QStringLiteral("Are you operating as a Rover?"));
    roverYes = makeControl<QRadioButton>(roverGroup, "roverYes", ControlKind::OptionButton,
                                        QRectF(1200, 240, 900, 300), BoxFont);
    roverYes->setText(QStringLiteral("Yes"));
    roverNo = makeControl<QRadioButton>(roverGroup, "roverNo", ControlKind::OptionButton,
                                        QRectF(2700, 240, 900, 300), BoxFont);
    roverNo->setText(QStringLiteral("No"));

    doneButton = makeControl<QPushButton>(this, "doneButton", ControlKind::CommandButton,
                                        QRectF(1800, 4890, 1350, 420), ButtonFont);
    doneButton->setText(QStringLiteral("Done"));

    // Beyond the right edge of the window as it opens.
    partyGroup = makeControl<QGroupBox>(this, "partyGroup", ControlKind::Frame,
                                    QRectF(5160, 150, 3900, 4560), FrameFont);
    partyGroup->setTitle(QStringLiteral("Please select the state QSO party:"));
    for (int i = 0; i < 50; ++i) {
        const QByteArray name = "optState(" + QByteArray::number(i) + ")";
        optState[i] = makeControl<QRadioButton>(
            partyGroup, name.constData(), ControlKind::OptionButton,
            QRectF(120 + (i / 10) * 750, 300 + (i % 10) * 405, 720, 330), BoxFont);
        optState[i]->setText(QString::fromLatin1(StateCodes[i]));
    }

    QWidget* order[] = {callBox, stateProvinceBox, countyBox, utcOffsetBox, countryBox, longitudeBox, latitudeBox, continentBox, arrlSectionBox,
                        nameBox, categoryBox, cityBox, inStateYes, inStateNo, roverYes, roverNo, doneButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void StationSetupWindow::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    auto enterRunsDone = [this](int& KeyAscii) {
        if (KeyAscii == 13) {
            KeyAscii = 0;
            onDoneClicked();
        }
    };
    for (QLineEdit* box : {callBox, stateProvinceBox, continentBox, arrlSectionBox, nameBox, categoryBox, cityBox}) {
        m_keys->onKeyPress(box, [enterRunsDone](int& KeyAscii) {
            enterRunsDone(KeyAscii);
            upperCaseKey(KeyAscii);
        });
    }
    for (QLineEdit* box : {longitudeBox, latitudeBox, utcOffsetBox}) {
        m_keys->onKeyPress(box, [enterRunsDone](int& KeyAscii) {
            enterRunsDone(KeyAscii);
            numberKeyOnly(KeyAscii);
        });
    }
    m_keys->onKeyPress(countyBox, [this, enterRunsDone](int& KeyAscii) {
        onCountyKeyPress(KeyAscii);
        enterRunsDone(KeyAscii);
    });
    m_keys->onKeyPress(countryBox, [this](int& KeyAscii) { onCountryKeyPress(KeyAscii); });
    // A paste, a drop or a middle click gives each box what typing the same
    // characters gives it: what Done stores, and writes to the shared
    // preferences file, is never what no key could have typed.
    for (QLineEdit* box : {callBox, stateProvinceBox, continentBox, arrlSectionBox, nameBox, categoryBox, cityBox})
        platform::filterPastes(box, upperCaseKey);
    for (QLineEdit* box : {longitudeBox, latitudeBox, utcOffsetBox})
        platform::filterPastes(box, numberKeyOnly);
    platform::filterPastes(countyBox, [](int& k, QString& before) { contactlog::WordCapitalKey(k, before); });
    platform::filterPastes(countryBox, [](int& k, QString& before) {
        if (before.isEmpty())
            upperCaseKey(k);
    });
    m_keys->onLostFocus(utcOffsetBox, [this] { onUtcOffsetLostFocus(); });

    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
    connect(inStateYes, &QRadioButton::clicked, this, [this] { onInStateYesClicked(); });
    connect(inStateNo, &QRadioButton::clicked, this, [this] { onInStateNoClicked(); });
    for (int i = 0; i < 50; ++i)
        connect(optState[i], &QRadioButton::clicked, this, [this, i] { onPartyClicked(i); });
}

void StationSetupWindow::upperCaseKey(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

void StationSetupWindow::numberKeyOnly(int& KeyAscii)
{
    if (KeyAscii == 8 || (KeyAscii >= 45 && KeyAscii <= 57))
        return;
    KeyAscii = 0;
}

void StationSetupWindow::onLoad()
{
    platform::ResizeForm(this, m_state.services.screen, m_state.services.prompt);
    if (!loadSteps())
        m_state.services.prompt.message(QStringLiteral("Error opening file"),
                                        QStringLiteral("Error opeining file"));
    // The fields always show what was read, so that Done after a failed
    // load never writes empty fields over good preferences.
    fillFields();
}

bool StationSetupWindow::loadSteps()
{
    app::AppState& s = m_state;
    if (!app::readQSOPref(s))
        return false;
    app::CheckUtcOffset(s);

    const auto& f = s.folders;
    const QStringList prefixPlaces = {
        f.SharedDataFolder + QStringLiteral("/arrlpre2.txt"),
        f.UserDataFolder + QStringLiteral("/arrlpre2.txt"),
        f.ProgramFolder + QStringLiteral("/arrlpre2.txt"),
    };
    if (!app::loadCountryPrefixTable(s.countryPrefixes, prefixPlaces))
        return false;
    if (!app::loadStateLocationTable(s.stateLocations, f.programFile(QStringLiteral("states.txt"))))
        return false;

    for (int i = 0; i < 50; ++i) {
        const bool mine = optState[i]->text().compare(s.prefs.PartyState, Qt::CaseInsensitive) == 0;
        if (mine)
            optState[i]->setChecked(true);
        setBold(optState[i], mine);
    }
    if (s.prefs.OutOfStateFlag != 0) {
        inStateNo->setChecked(true);
        onInStateNoClicked();
        roverGroup->setEnabled(false);
    } else {
        inStateYes->setChecked(true);
        onInStateYesClicked();
        roverGroup->setEnabled(true);
    }
    if (s.prefs.RoverFlag == 1)
        roverYes->setChecked(true);
    else
        roverNo->setChecked(true);

    auto wave = platform::SettingsReader::open(f.programFile(QStringLiteral("wave2.txt")),
                                               platform::TextAfterQuote::Kept);
    if (!wave || !keying::readVoiceKeyerSettings(*wave, s.phoneSettings))
        return false;

    keying::LoadCWSettings(f.programFile(QStringLiteral("cw.txt")), s.cwSettings,
                           s.keying.CWKeyingOption);
    return true;
}

void StationSetupWindow::fillFields()
{
    const app::StationPrefs& p = m_state.prefs;
    callBox->setText(p.MyCall);
    stateProvinceBox->setText(p.MySPC);
    countyBox->setText(p.MyCounty);
    utcOffsetBox->setText(platform::localNumberText(p.UtcOffsetHours));
    countryBox->setText(p.MyCountry);
    longitudeBox->setText(platform::localNumberText(p.MyLongitude));
    latitudeBox->setText(platform::localNumberText(p.MyLatitude));
    continentBox->setText(p.MyContinent);
    arrlSectionBox->setText(p.MyArrlSection);
    nameBox->setText(p.MyName);
    categoryBox->setText(p.MyCategory);
    cityBox->setText(p.MyCity);
}

void StationSetupWindow::onDoneClicked()
{
    if (m_done)
        return;
    for (QLineEdit* box : {utcOffsetBox, longitudeBox, latitudeBox})
        if (!platform::isNumeric(box->text()))
            box->setText(QStringLiteral("0"));

    app::StationPrefs& p = m_state.prefs;
    p.PartyState = QStringLiteral("CA");
    // The own county is kept as the county table spells it, as every logged
    // county is: the preferences, the shared file and the main window then
    // agree with the log however the name was typed. A name the table does
    // not hold stays as typed; a missing table is the main window's to report.
    contactlog::CountyTable counties;
    (void)contactlog::LoadCountyTable(counties, m_state.folders.programFile(QStringLiteral("county2.txt")),
                                      p.PartyState);
    countyBox->setText(counties.spelling(countyBox->text()));
    p.OutOfStateFlag = inStateYes->isChecked() ? 0 : 1;
    p.RoverFlag = roverYes->isChecked() ? 1 : 0;
    p.MyCall = callBox->text();
    p.MySPC = stateProvinceBox->text();
    const double offset = platform::typedNumber(utcOffsetBox->text()).value_or(0);
    p.UtcOffsetHours = app::isUsableUtcOffset(offset) ? static_cast<float>(offset) : 0.0f;
    p.MyCountry = countryBox->text();
    p.MyLongitude = static_cast<float>(platform::typedNumber(longitudeBox->text()).value_or(0));
    p.MyLatitude = static_cast<float>(platform::typedNumber(latitudeBox->text()).value_or(0));
    p.MyContinent = continentBox->text();
    p.MyCounty = countyBox->text();
    p.MyArrlSection = arrlSectionBox->text();
    p.MyName = nameBox->text();
    p.MyCategory = categoryBox->text();
    p.MyCity = cityBox->text();
    app::SaveQSOPref(m_state);

    const std::pair<const char*, QLineEdit*> keys[] = {
        {"OWN_CALL", callBox},      {"OWN_SPC", stateProvinceBox},       {"OWN_UTC", utcOffsetBox},
        {"OWN_COUNTY", countyBox},    {"OWN_COUNTRY", countryBox},   {"OWN_LONGITUDE", longitudeBox},
        {"OWN_LATITUDE", latitudeBox},  {"OWN_CONTINENT", continentBox}, {"OWN_ARRL_SECTION", arrlSectionBox},
    };
    for (const auto& [name, box] : keys) {
        QString key = QString::fromLatin1(name);
        const quint8 save = box == arrlSectionBox ? 1 : 0;
        const auto written = app::SetPreference(m_state.sharedPrefs, key, box->text(), save);
        if (written && !written->ok)
            m_state.services.prompt.message(
                QStringLiteral("The shared preferences could not be saved to ") +
                    m_state.sharedPrefs.SharedPrefsPath + QStringLiteral(":\n") + written->error,
                QStringLiteral("File Error"), platform::MsgIcon::Exclamation);
    }

    m_done = true;
    // The main window's loading begins by closing this window, so its
    // questions never appear over the setup window.
    hide();
    if (m_state.openMainWindow)
        m_state.openMainWindow();
    unloadWindow();
}

void StationSetupWindow::unloadWindow()
{
    hide();
    deleteLater();
}

void StationSetupWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    // Leaving the setup window without Done opens no main window: the
    // program ends, with nothing saved.
    if (!m_done && m_state.endProgram)
        m_state.endProgram();
}

void StationSetupWindow::onInStateYesClicked()
{
    roverGroup->setEnabled(true);
    roverNo->setEnabled(true);
    roverYes->setEnabled(true);
}

void StationSetupWindow::onInStateNoClicked()
{
    roverYes->setChecked(false);
    roverNo->setChecked(true);
    roverGroup->setEnabled(false);
    roverNo->setEnabled(false);
    roverYes->setEnabled(false);
}

void StationSetupWindow::onPartyClicked(int index)
{
    for (QRadioButton* b : optState)
        setBold(b, false);
    setBold(optState[index], true);
}

void StationSetupWindow::onCountyKeyPress(int& KeyAscii)
{
    if (KeyAscii == 0)
        return;
    const QString text = countyBox->text();
    const int caret = countyBox->hasSelectedText() ? countyBox->selectionStart() : countyBox->cursorPosition();
    if (text.isEmpty() || caret == 0 || text.endsWith(u' '))
        contactlog::UpperCaseKey(KeyAscii);
}

void StationSetupWindow::onCountryKeyPress(int& KeyAscii)
{
    const int caret = countryBox->hasSelectedText() ? countryBox->selectionStart() : countryBox->cursorPosition();
    if (caret == 0)
        upperCaseKey(KeyAscii);
    if (KeyAscii == 0 || KeyAscii < 32)
        return;
    const QString candidate = countryBox->text().left(caret) + QChar(static_cast<char16_t>(KeyAscii));
    const auto& rows = m_state.countryPrefixes.rows;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (!it->CountryName.startsWith(candidate, Qt::CaseInsensitive))
            continue;
        const QString full = candidate + it->CountryName.mid(candidate.size());
        countryBox->setText(full);
        countryBox->setSelection(full.size(), -(full.size() - candidate.size()));
        KeyAscii = 0;
        longitudeBox->setText(platform::localNumberText(it->CountryLongitude));
        latitudeBox->setText(platform::localNumberText(it->CountryLatitude));
        continentBox->setText(it->CountryContinent);
        return;
    }
}

void StationSetupWindow::onUtcOffsetLostFocus()
{
    if (m_done || platform::isNumeric(utcOffsetBox->text()))
        return;
    m_state.services.beeper.beep();
    QTimer::singleShot(0, this, [this] {
        if (!m_done && isVisible())
            utcOffsetBox->setFocus();
    });
}
