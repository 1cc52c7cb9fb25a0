#include "reports/summary_sheet_dialog.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "app/program_version.h"
#include "log/call_file_name.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"
#include "platform/scaling.h"
#include "reports/cabrillo_writer.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using platform::ControlKind;
using platform::makeControl;

namespace {

const QString Section = QStringLiteral("Settings");

// The remembered boxes: registry value and shared preferences key.
struct Remembered {
    const char* value;
    const char* sharedKey;
};
constexpr Remembered RememberedBoxes[5] = {
    {"UserAddressName", "OWN_ADDRESS_NAME"}, {"UserAddressLine1", "OWN_ADDRESS_Line1"},
    {"UserAddressLine2", "OWN_ADDRESS_Line2"}, {"UserEMail", "OWN_EMAIL"}, {"UserClubName", "OWN_CLUB_NAME"},
};

}  // namespace

SummarySheetDialog::SummarySheetDialog(app::AppState& state, MainWindowBase& owner)
    : QDialog(&owner), m_state(state), m_owner(owner)
{
    setObjectName(QStringLiteral("SummarySheetDialog"));
    setWindowTitle(QStringLiteral("Summary Sheet Information"));
    platform::setWindowTwipSize(this, 7080, 5700);
    buildControls();
}

void SummarySheetDialog::buildControls()
{
    auto label = [this](const char* name, const QRectF& at, const char* caption) {
        auto* l = makeControl<QLabel>(this, name, ControlKind::Label, at);
        l->setText(QString::fromLatin1(caption));
        return l;
    };
    auto row = [&](int i, const char* labelName, const char* caption, const char* boxName) {
        const double top = 120 + i * 400;
        label(labelName, QRectF(120, top + 30, 2400, 255), caption);
        return makeControl<QLineEdit>(this, boxName, ControlKind::TextBox, QRectF(2580, top, 4380, 315));
    };
    nameBox = row(0, "nameLabel", "Your Name:", "nameBox");
    address1Box = row(1, "address1Label", "Address Line 1:", "address1Box");
    address2Box = row(2, "address2Label", "Address Line 2:", "address2Box");
    emailBox = row(3, "emailLabel", "Email Address:", "emailBox");
    clubBox = row(4, "clubLabel", "Club Name:", "clubBox");
    operatorsBox = row(5, "operatorsLabel", "If Multi Op, list all calls:", "operatorsBox");
    label("soapboxLabel", QRectF(120, 2580, 6840, 255),
          "Soapbox (Add any comments you would like to make about the contest):");
    soapboxBox = makeControl<QLineEdit>(this, "soapboxBox", ControlKind::TextBox, QRectF(120, 2880, 6840, 315));

    auto frame = [this](const char* name, const QRectF& at, const char* caption) {
        auto* f = makeControl<QGroupBox>(this, name, ControlKind::Frame, at);
        f->setTitle(QString::fromLatin1(caption));
        return f;
    };
    auto option = [](QGroupBox* f, const char* name, int i, double width, const char* caption) {
        auto* o = makeControl<QRadioButton>(f, name, ControlKind::OptionButton,
                                            QRectF(120, 240 + i * 270, width, 255));
        o->setText(QString::fromLatin1(caption));
        return o;
    };
    categoryGroup = frame("categoryGroup", QRectF(120, 3330, 3300, 2250), "Category");
    categorySingleOp = option(categoryGroup, "categorySingleOp", 0, 3060, "Single Op");
    categoryMultiSingle = option(categoryGroup, "categoryMultiSingle", 1, 3060, "Multi Single");
    categoryMultiMulti = option(categoryGroup, "categoryMultiMulti", 2, 3060, "Multi Multi");
    categoryMobile = option(categoryGroup, "categoryMobile", 3, 3060, "Mobile");
    categoryClubSchool = option(categoryGroup, "categoryClubSchool", 4, 3060, "Club / School");
    categoryNoviceTech = option(categoryGroup, "categoryNoviceTech", 5, 3060, "N/T");
    categoryCountyExpedition = option(categoryGroup, "categoryCountyExpedition", 6, 3060, "Zivudaduri County Expedition");
    powerGroup = frame("powerGroup", QRectF(3540, 3330, 1620, 1140), "Power");
    powerHigh = option(powerGroup, "powerHigh", 0, 1380, "High");
    powerLow = option(powerGroup, "powerLow", 1, 1380, "Low (200W)");
    powerQrp = option(powerGroup, "powerQrp", 2, 1380, "QRP (5W)");
    modeGroup = frame("modeGroup", QRectF(5280, 3330, 1680, 1140), "Mode");
    modeMixed = option(modeGroup, "modeMixed", 0, 1440, "Mixed");
    modeSsb = option(modeGroup, "modeSsb", 1, 1440, "SSB");
    modeCw = option(modeGroup, "modeCw", 2, 1440, "CW");
    categorySingleOp->setChecked(true);
    powerLow->setChecked(true);
    modeMixed->setChecked(true);

    countyAbbreviationsCheck = makeControl<QCheckBox>(this, "countyAbbreviationsCheck", ControlKind::CheckBox, QRectF(3540, 4560, 3420, 285));
    countyAbbreviationsCheck->setText(QStringLiteral("Use county abbreviations in Cabrillo output."));
    countyAbbreviationsCheck->setChecked(true);

    writeCabrilloButton = makeControl<QPushButton>(this, "writeCabrilloButton", ControlKind::CommandButton, QRectF(3540, 5040, 1980, 450));
    writeCabrilloButton->setText(QStringLiteral("Write Cabrillo File"));
    doneButton = makeControl<QPushButton>(this, "doneButton", ControlKind::CommandButton, QRectF(5640, 5040, 1320, 450));
    doneButton->setText(QStringLiteral("Done"));
    for (QPushButton* b : {writeCabrilloButton, doneButton}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(writeCabrilloButton, &QPushButton::clicked, this, [this] { onWriteCabrilloClicked(); });
    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });

    m_keys = new platform::KeyRouter(this);
    m_keys->onKeyPress(operatorsBox, [this](int& k) { onOperatorsKeyPress(k); });
    // A paste gives a box what typing the same characters gives it: no line
    // break or tab reaches the submission file or the shared preferences.
    platform::filterPastes(operatorsBox, [this](int& k) { onOperatorsKeyPress(k); });
    for (QLineEdit* box : {nameBox, address1Box, address2Box, emailBox, clubBox, soapboxBox})
        platform::filterPastes(box, platform::TypedKeyRule());
}

void SummarySheetDialog::onLoad()
{
    platform::ResizeForm(this, m_state.services.screen, m_state.services.prompt);
    QLineEdit* boxes[5] = {nameBox, address1Box, address2Box, emailBox, clubBox};
    for (int i = 0; i < 5; ++i)
        boxes[i]->setText(
            m_state.services.registry.GetSetting(Section, QString::fromLatin1(RememberedBoxes[i].value)));
    nameBox->setFocus();
}

void SummarySheetDialog::showModal(app::AppState& state, MainWindowBase& owner)
{
    SummarySheetDialog dialog(state, owner);
    dialog.onLoad();
    if (owner.runModal)
        owner.runModal(dialog);
    else
        dialog.exec();
    owner.activateWindow();
}

void SummarySheetDialog::onOperatorsKeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

reports::CabrilloEntry SummarySheetDialog::entry() const
{
    reports::CabrilloEntry e;
    const std::pair<QRadioButton*, const char*> categories[] = {
        {categorySingleOp, "SINGLE-OP"}, {categoryMultiSingle, "MULTI-SINGLE"},   {categoryMultiMulti, "MULTI-MULTI"},
        {categoryMobile, "MOBILE"},    {categoryClubSchool, "CLUB AND SCHOOL"}, {categoryNoviceTech, "NOVICE / TECH"},
        {categoryCountyExpedition, "ZIVUDADURI COUNTY EXPEDITION"},
    };
    for (const auto& [button, text] : categories)
        if (button->isChecked())
            e.category = QString::fromLatin1(text);
    e.power = powerHigh->isChecked() ? QStringLiteral("HIGH") : powerQrp->isChecked() ? QStringLiteral("QRP")
                                                                                    : QStringLiteral("LOW");
    e.mode = modeSsb->isChecked() ? QStringLiteral("SSB") : modeCw->isChecked() ? QStringLiteral("CW")
                                                                                    : QStringLiteral("MIXED");
    e.useCountyAbbrevs = countyAbbreviationsCheck->isChecked();
    e.clubName = clubBox->text();
    e.operators = operatorsBox->text();
    e.name = nameBox->text();
    e.address1 = address1Box->text();
    e.address2 = address2Box->text();
    e.email = emailBox->text();
    e.soapbox = soapboxBox->text();
    return e;
}

void SummarySheetDialog::reportFailure(const QString& description)
{
    QDir::setCurrent(m_state.folders.ProgramFolder);
    m_state.services.beeper.beep();
    m_state.services.prompt.message(description, QStringLiteral("Unable to write file."));
}

QString SummarySheetDialog::rememberBoxes()
{
    const QString values[5] = {nameBox->text().trimmed(), address1Box->text().trimmed(), address2Box->text().trimmed(),
                               emailBox->text().trimmed(), clubBox->text().trimmed()};
    bool registryOk = true;
    for (int i = 0; i < 5; ++i)
        registryOk = m_state.services.registry.SaveSetting(Section, QString::fromLatin1(RememberedBoxes[i].value),
                                                           values[i]) &&
                     registryOk;
    // The shared file is written once, with all five.
    std::optional<platform::FileWriteResult> shared;
    for (int i = 0; i < 5; ++i) {
        QString key = QString::fromLatin1(RememberedBoxes[i].sharedKey);
        shared = app::SetPreference(m_state.sharedPrefs, key, values[i], i == 4 ? 1 : 0);
    }
    QString error;
    if (!registryOk)
        error = QStringLiteral("your name, address and club could not be saved in the program's settings.");
    if (shared && !shared->ok)
        error += (error.isEmpty() ? QString() : QStringLiteral("\r\n")) +
                 QStringLiteral("SharedUserPreferences.xml could not be written: ") + shared->error;
    return error;
}

void SummarySheetDialog::onWriteCabrilloClicked()
{
    auto& prefs = m_state.prefs;
    prefs.MyCall = prefs.MyCall.trimmed();
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Save Cabrillo File");
    request.initialDir = m_state.folders.UserDataFolder;
    request.fileName = contactlog::CallToFileName(prefs.MyCall) + QStringLiteral(".log");
    request.filter = QStringLiteral("LOG Files (*.log) | *.log");
    const QString path = m_state.services.prompt.saveFileName(request);
    if (path.isEmpty())
        return;
    QDir::setCurrent(m_state.folders.ProgramFolder);

    reports::CabrilloStation station;
    station.MyCall = prefs.MyCall;
    station.MySPC = prefs.MySPC;
    station.MyArrlSection = prefs.MyArrlSection;
    station.PartyState = prefs.PartyState;
    station.outOfState = prefs.OutOfStateFlag != 0;
    station.programVersion = QString::fromLatin1(app::ProgramVersion);
    station.claimedScore = reports::claimedScoreOf(m_state.log, station.outOfState);
    const QByteArray bytes = reports::writeCabrillo(m_state.log.contacts, m_state.counties, station, entry());
    // The whole file goes to a temporary file first: a failure leaves an
    // earlier file of that name as it was.
    const auto written = platform::writeFileSafely(path, bytes);
    if (!written.ok) {
        reportFailure(written.error);
        return;
    }
    if (const QString error = rememberBoxes(); !error.isEmpty()) {
        reportFailure(QStringLiteral("The file was written to ") + QDir::toNativeSeparators(path) +
                      QStringLiteral(", but ") + error);
        return;
    }
    QDir::setCurrent(m_state.folders.ProgramFolder);
    m_state.services.beeper.beep();
    m_state.services.prompt.message(
        QStringLiteral("The file was successfully written to the directory:\r\n\r\n") +
            QDir::toNativeSeparators(path) +
            QStringLiteral(".\r\n\r\nAttach this file to an e-mail addressed for contest submission.  If you wish to "
                           "print this file, you can open it with Notepad or Wordpad to print."),
        QStringLiteral("File Written Successfully."));
    m_state.services.beeper.beep();
    m_state.services.prompt.message(
        QStringLiteral("Thanks for using this program.  I hope that you enjoyed it!  If so, please tell a "
                       "friend!\r\n\r\n73, Arlen\r\nOstrel"),
        QStringLiteral("  Thanks!"));
    doneButton->setFocus();
}

void SummarySheetDialog::onDoneClicked() { hide(); }
