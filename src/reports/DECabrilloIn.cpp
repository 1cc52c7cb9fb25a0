#include "reports/DECabrilloIn.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "app/program_version.h"
#include "log/call_file_name.h"
#include "platform/controls.h"
#include "platform/key_events.h"
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

DECabrilloIn::DECabrilloIn(app::AppState& state, MainWindowBase& owner)
    : QDialog(&owner), m_state(state), m_owner(owner)
{
    setObjectName(QStringLiteral("DECabrilloIn"));
    setWindowTitle(QStringLiteral("Summary Sheet Information"));
    platform::setWindowTwipSize(this, 7080, 5700);
    buildControls();
}

void DECabrilloIn::buildControls()
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
    Text5 = row(0, "Label5", "Your Name:", "Text5");
    Text6 = row(1, "Label6", "Address Line 1:", "Text6");
    Text7 = row(2, "Label7", "Address Line 2:", "Text7");
    Text8 = row(3, "Label8", "Email Address:", "Text8");
    Text2 = row(4, "Label2", "Club Name:", "Text2");
    Text1 = row(5, "Label1", "If Multi Op, list all calls:", "Text1");
    label("Label11", QRectF(120, 2580, 6840, 255),
          "Soapbox (Add any comments you would like to make about the contest):");
    Text11 = makeControl<QLineEdit>(this, "Text11", ControlKind::TextBox, QRectF(120, 2880, 6840, 315));

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
    Frame1 = frame("Frame1", QRectF(120, 3330, 3300, 2250), "Category");
    Option6 = option(Frame1, "Option6", 0, 3060, "Single Op");
    Option5 = option(Frame1, "Option5", 1, 3060, "Multi Single");
    Option8 = option(Frame1, "Option8", 2, 3060, "Multi Multi");
    Option2 = option(Frame1, "Option2", 3, 3060, "Mobile");
    Option7 = option(Frame1, "Option7", 4, 3060, "Club / School");
    Option9 = option(Frame1, "Option9", 5, 3060, "N/T");
    Option16 = option(Frame1, "Option16", 6, 3060, "Zivudaduri County Expedition");
    Frame2 = frame("Frame2", QRectF(3540, 3330, 1620, 1140), "Power");
    Option4 = option(Frame2, "Option4", 0, 1380, "High");
    Option3 = option(Frame2, "Option3", 1, 1380, "Low (200W)");
    Option1 = option(Frame2, "Option1", 2, 1380, "QRP (5W)");
    Frame3 = frame("Frame3", QRectF(5280, 3330, 1680, 1140), "Mode");
    Option10 = option(Frame3, "Option10", 0, 1440, "Mixed");
    Option11 = option(Frame3, "Option11", 1, 1440, "SSB");
    Option12 = option(Frame3, "Option12", 2, 1440, "CW");
    Option6->setChecked(true);
    Option3->setChecked(true);
    Option10->setChecked(true);

    Check1 = makeControl<QCheckBox>(this, "Check1", ControlKind::CheckBox, QRectF(3540, 4560, 3420, 285));
    Check1->setText(QStringLiteral("Use county abbreviations in Cabrillo output."));
    Check1->setChecked(true);

    Command4 = makeControl<QPushButton>(this, "Command4", ControlKind::CommandButton, QRectF(3540, 5040, 1980, 450));
    Command4->setText(QStringLiteral("Write Cabrillo File"));
    Command3 = makeControl<QPushButton>(this, "Command3", ControlKind::CommandButton, QRectF(5640, 5040, 1320, 450));
    Command3->setText(QStringLiteral("Done"));
    for (QPushButton* b : {Command4, Command3}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    m_keys = new platform::KeyRouter(this);
    m_keys->onKeyPress(Text1, [this](int& k) { Text1_KeyPress(k); });
}

void DECabrilloIn::Form_Load()
{
    platform::ResizeForm(this, m_state.services.screen, m_state.services.prompt);
    QLineEdit* boxes[5] = {Text5, Text6, Text7, Text8, Text2};
    for (int i = 0; i < 5; ++i)
        boxes[i]->setText(
            m_state.services.registry.GetSetting(Section, QString::fromLatin1(RememberedBoxes[i].value)));
    Text5->setFocus();
}

void DECabrilloIn::showModal(app::AppState& state, MainWindowBase& owner)
{
    DECabrilloIn dialog(state, owner);
    dialog.Form_Load();
    if (owner.runModal)
        owner.runModal(dialog);
    else
        dialog.exec();
    owner.activateWindow();
}

void DECabrilloIn::Text1_KeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

reports::CabrilloEntry DECabrilloIn::entry() const
{
    reports::CabrilloEntry e;
    const std::pair<QRadioButton*, const char*> categories[] = {
        {Option6, "SINGLE-OP"}, {Option5, "MULTI-SINGLE"},   {Option8, "MULTI-MULTI"},
        {Option2, "MOBILE"},    {Option7, "CLUB AND SCHOOL"}, {Option9, "NOVICE / TECH"},
        {Option16, "ZIVUDADURI COUNTY EXPEDITION"},
    };
    for (const auto& [button, text] : categories)
        if (button->isChecked())
            e.category = QString::fromLatin1(text);
    e.power = Option4->isChecked() ? QStringLiteral("HIGH") : Option1->isChecked() ? QStringLiteral("QRP")
                                                                                    : QStringLiteral("LOW");
    e.mode = Option11->isChecked() ? QStringLiteral("SSB") : Option12->isChecked() ? QStringLiteral("CW")
                                                                                    : QStringLiteral("MIXED");
    e.useCountyAbbrevs = Check1->isChecked();
    e.clubName = Text2->text();
    e.operators = Text1->text();
    e.name = Text5->text();
    e.address1 = Text6->text();
    e.address2 = Text7->text();
    e.email = Text8->text();
    e.soapbox = Text11->text();
    return e;
}

void DECabrilloIn::reportFailure(const QString& description)
{
    QDir::setCurrent(m_state.folders.ProgramFolder);
    m_state.services.beeper.beep();
    m_state.services.prompt.message(description, QStringLiteral("Unable to write file."));
}

QString DECabrilloIn::rememberBoxes()
{
    const QString values[5] = {Text5->text().trimmed(), Text6->text().trimmed(), Text7->text().trimmed(),
                               Text8->text().trimmed(), Text2->text().trimmed()};
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

void DECabrilloIn::Command4_Click()
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
    Command3->setFocus();
}

void DECabrilloIn::Command3_Click() { hide(); }
