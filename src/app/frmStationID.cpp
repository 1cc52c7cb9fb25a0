#include "app/frmStationID.h"

#include "app/app_state.h"
#include "app/utc_check.h"
#include "keying/keyer_settings.h"
#include "log/key_filters.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/number_text.h"
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

frmStationID::frmStationID(app::AppState& state, QWidget* parent)
    : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmStationID"));
    setWindowTitle(QStringLiteral(" Setup Information"));
    platform::setWindowTwipSize(this, 4950, 5400);
    buildControls();
    wireEvents();
}

void frmStationID::buildControls()
{
    struct Row {
        QLineEdit** box;
        const char* name;
        const char* label;
        const char* caption;
    };
    const Row rows[] = {
        {&Text1, "Text1", "Label1", "Please Enter your Call Sign:"},
        {&Text5, "Text5", "Label5", "Your State / Province:"},
        {&Text8, "Text8", "Label8", "Your County:"},
        {&Text6, "Text6", "Label6", "Hours added for UTC:"},
        {&Text2, "Text2", "Label2", "Your Country:"},
        {&Text3, "Text3", "Label3", "Your Longitude:"},
        {&Text4, "Text4", "Label4", "Your Latitude:"},
        {&Text7, "Text7", "Label7", "Your Continent:"},
        {&Text9, "Text9", "Label9", "Your ARRL Section:"},
        {&Text10, "Text10", "Label10", "Your Name:"},
        {&Text11, "Text11", "Label11", "Your Category:"},
        {&Text12, "Text12", "Label12", "Your City:"},
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
    Text6->setMaxLength(7);
    auto* md = makeControl<QLabel>(this, "Label13", ControlKind::Label,
                                   QRectF(120, 150 + 9 * 370, 2700, 285), LabelFont);
    md->setText(QStringLiteral("(for MD party)"));
    md->hide();

    Frame2 = makeControl<QGroupBox>(this, "Frame2", ControlKind::Frame,
                                    QRectF(120, 3540, 4710, 600), FrameFont);
    Frame2->setTitle(QStringLiteral("Are you in Zivudaduri?"));
    Option1 = makeControl<QRadioButton>(Frame2, "Option1", ControlKind::OptionButton,
                                        QRectF(1200, 240, 900, 300), BoxFont);
    Option1->setText(QStringLiteral("Yes"));
    Option2 = makeControl<QRadioButton>(Frame2, "Option2", ControlKind::OptionButton,
                                        QRectF(2700, 240, 900, 300), BoxFont);
    Option2->setText(QStringLiteral("No"));

    Frame3 = makeControl<QGroupBox>(this, "Frame3", ControlKind::Frame,
                                    QRectF(120, 4200, 4710, 600), FrameFont);
    Frame3->setTitle(QStringLiteral("Are you operating as a Rover?"));
    Option4 = makeControl<QRadioButton>(Frame3, "Option4", ControlKind::OptionButton,
                                        QRectF(1200, 240, 900, 300), BoxFont);
    Option4->setText(QStringLiteral("Yes"));
    Option3 = makeControl<QRadioButton>(Frame3, "Option3", ControlKind::OptionButton,
                                        QRectF(2700, 240, 900, 300), BoxFont);
    Option3->setText(QStringLiteral("No"));

    Command1 = makeControl<QPushButton>(this, "Command1", ControlKind::CommandButton,
                                        QRectF(1800, 4890, 1350, 420), ButtonFont);
    Command1->setText(QStringLiteral("Done"));

    // Beyond the right edge of the window as it opens.
    Frame1 = makeControl<QGroupBox>(this, "Frame1", ControlKind::Frame,
                                    QRectF(5160, 150, 3900, 4560), FrameFont);
    Frame1->setTitle(QStringLiteral("Please select the state QSO party:"));
    for (int i = 0; i < 50; ++i) {
        const QByteArray name = "optState(" + QByteArray::number(i) + ")";
        optState[i] = makeControl<QRadioButton>(
            Frame1, name.constData(), ControlKind::OptionButton,
            QRectF(120 + (i / 10) * 750, 300 + (i % 10) * 405, 720, 330), BoxFont);
        optState[i]->setText(QString::fromLatin1(StateCodes[i]));
    }

    QWidget* order[] = {Text1, Text5, Text8, Text6, Text2, Text3, Text4, Text7, Text9,
                        Text10, Text11, Text12, Option1, Option2, Option4, Option3, Command1};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmStationID::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    auto enterRunsDone = [this](int& KeyAscii) {
        if (KeyAscii == 13) {
            KeyAscii = 0;
            Command1_Click();
        }
    };
    for (QLineEdit* box : {Text1, Text5, Text7, Text9, Text10, Text11, Text12}) {
        m_keys->onKeyPress(box, [enterRunsDone](int& KeyAscii) {
            enterRunsDone(KeyAscii);
            Cap3(KeyAscii);
        });
    }
    for (QLineEdit* box : {Text3, Text4, Text6}) {
        m_keys->onKeyPress(box, [enterRunsDone](int& KeyAscii) {
            enterRunsDone(KeyAscii);
            NumBerr(KeyAscii);
        });
    }
    m_keys->onKeyPress(Text8, [this, enterRunsDone](int& KeyAscii) {
        Text8_KeyPress(KeyAscii);
        enterRunsDone(KeyAscii);
    });
    m_keys->onKeyPress(Text2, [this](int& KeyAscii) { Text2_KeyPress(KeyAscii); });
    m_keys->onLostFocus(Text6, [this] { Text6_LostFocus(); });

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
    connect(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
    for (int i = 0; i < 50; ++i)
        connect(optState[i], &QRadioButton::clicked, this, [this, i] { optState_Click(i); });
}

void frmStationID::Cap3(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

void frmStationID::NumBerr(int& KeyAscii)
{
    if (KeyAscii == 8 || (KeyAscii >= 45 && KeyAscii <= 57))
        return;
    KeyAscii = 0;
}

void frmStationID::Form_Load()
{
    platform::ResizeForm(this, m_state.services.screen, m_state.services.prompt);
    if (!loadSteps())
        m_state.services.prompt.message(QStringLiteral("Error opening file"),
                                        QStringLiteral("Error opeining file"));
    // The fields always show what was read, so that Done after a failed
    // load never writes empty fields over good preferences.
    fillFields();
}

bool frmStationID::loadSteps()
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
        Option2->setChecked(true);
        Option2_Click();
        Frame3->setEnabled(false);
    } else {
        Option1->setChecked(true);
        Option1_Click();
        Frame3->setEnabled(true);
    }
    if (s.prefs.RoverFlag == 1)
        Option4->setChecked(true);
    else
        Option3->setChecked(true);

    auto wave = platform::SettingsReader::open(f.programFile(QStringLiteral("wave2.txt")));
    if (!wave || !keying::readVoiceKeyerSettings(*wave, s.phoneSettings))
        return false;

    keying::LoadCWSettings(f.programFile(QStringLiteral("cw.txt")), s.cwSettings,
                           s.keying.CWKeyingOption);
    return true;
}

void frmStationID::fillFields()
{
    const app::StationPrefs& p = m_state.prefs;
    Text1->setText(p.MyCall);
    Text5->setText(p.MySPC);
    Text8->setText(p.MyCounty);
    Text6->setText(platform::localNumberText(p.UtcOffsetHours));
    Text2->setText(p.MyCountry);
    Text3->setText(platform::localNumberText(p.MyLongitude));
    Text4->setText(platform::localNumberText(p.MyLatitude));
    Text7->setText(p.MyContinent);
    Text9->setText(p.MyArrlSection);
    Text10->setText(p.MyName);
    Text11->setText(p.MyCategory);
    Text12->setText(p.MyCity);
}

void frmStationID::Command1_Click()
{
    if (m_done)
        return;
    for (QLineEdit* box : {Text6, Text3, Text4})
        if (!platform::isNumeric(box->text()))
            box->setText(QStringLiteral("0"));

    app::StationPrefs& p = m_state.prefs;
    p.PartyState = QStringLiteral("CA");
    p.OutOfStateFlag = Option1->isChecked() ? 0 : 1;
    p.RoverFlag = Option4->isChecked() ? 1 : 0;
    p.MyCall = Text1->text();
    p.MySPC = Text5->text();
    const double offset = platform::typedNumber(Text6->text()).value_or(0);
    p.UtcOffsetHours = app::isUsableUtcOffset(offset) ? static_cast<float>(offset) : 0.0f;
    p.MyCountry = Text2->text();
    p.MyLongitude = static_cast<float>(platform::typedNumber(Text3->text()).value_or(0));
    p.MyLatitude = static_cast<float>(platform::typedNumber(Text4->text()).value_or(0));
    p.MyContinent = Text7->text();
    p.MyCounty = Text8->text();
    p.MyArrlSection = Text9->text();
    p.MyName = Text10->text();
    p.MyCategory = Text11->text();
    p.MyCity = Text12->text();
    app::SaveQSOPref(m_state);

    const std::pair<const char*, QLineEdit*> keys[] = {
        {"OWN_CALL", Text1},      {"OWN_SPC", Text5},       {"OWN_UTC", Text6},
        {"OWN_COUNTY", Text8},    {"OWN_COUNTRY", Text2},   {"OWN_LONGITUDE", Text3},
        {"OWN_LATITUDE", Text4},  {"OWN_CONTINENT", Text7}, {"OWN_ARRL_SECTION", Text9},
    };
    for (const auto& [name, box] : keys) {
        QString key = QString::fromLatin1(name);
        const quint8 save = box == Text9 ? 1 : 0;
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

void frmStationID::unloadWindow()
{
    hide();
    deleteLater();
}

void frmStationID::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    // Leaving the setup window without Done opens no main window: the
    // program ends, with nothing saved.
    if (!m_done && m_state.endProgram)
        m_state.endProgram();
}

void frmStationID::Option1_Click()
{
    Frame3->setEnabled(true);
    Option3->setEnabled(true);
    Option4->setEnabled(true);
}

void frmStationID::Option2_Click()
{
    Option4->setChecked(false);
    Option3->setChecked(true);
    Frame3->setEnabled(false);
    Option3->setEnabled(false);
    Option4->setEnabled(false);
}

void frmStationID::optState_Click(int index)
{
    for (QRadioButton* b : optState)
        setBold(b, false);
    setBold(optState[index], true);
}

void frmStationID::Text8_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 0)
        return;
    const QString text = Text8->text();
    const int caret = Text8->hasSelectedText() ? Text8->selectionStart() : Text8->cursorPosition();
    if (text.isEmpty() || caret == 0 || text.endsWith(u' '))
        contactlog::UpperCaseKey(KeyAscii);
}

void frmStationID::Text2_KeyPress(int& KeyAscii)
{
    const int caret = Text2->hasSelectedText() ? Text2->selectionStart() : Text2->cursorPosition();
    if (caret == 0)
        Cap3(KeyAscii);
    if (KeyAscii == 0 || KeyAscii < 32)
        return;
    const QString candidate = Text2->text().left(caret) + QChar(static_cast<char16_t>(KeyAscii));
    const auto& rows = m_state.countryPrefixes.rows;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (!it->CountryName.startsWith(candidate, Qt::CaseInsensitive))
            continue;
        const QString full = candidate + it->CountryName.mid(candidate.size());
        Text2->setText(full);
        Text2->setSelection(full.size(), -(full.size() - candidate.size()));
        KeyAscii = 0;
        Text3->setText(platform::localNumberText(it->CountryLongitude));
        Text4->setText(platform::localNumberText(it->CountryLatitude));
        Text7->setText(it->CountryContinent);
        return;
    }
}

void frmStationID::Text6_LostFocus()
{
    if (m_done || platform::isNumeric(Text6->text()))
        return;
    m_state.services.beeper.beep();
    QTimer::singleShot(0, this, [this] {
        if (!m_done && isVisible())
            Text6->setFocus();
    });
}
