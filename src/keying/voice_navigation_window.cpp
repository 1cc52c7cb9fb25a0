#include "keying/voice_navigation_window.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/line_recorder.h"
#include "platform/scaling.h"

#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>

using platform::ControlKind;
using platform::makeControl;

namespace keying {

namespace {

/// Beyond a prompt's own length, what a wait for its end allows.
constexpr qint64 PromptWaitMarginMs = 500;

QLabel* makeLabel(QWidget* parent, const char* name, const QRectF& twips, const QString& text,
                  bool bold = false)
{
    platform::FontSpec font;
    font.bold = bold;
    auto* l = makeControl<QLabel>(parent, name, ControlKind::Label, twips, font);
    l->setText(text);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace

VoiceNavigationWindow::VoiceNavigationWindow(app::AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("VoiceNavigationWindow"));
    setWindowTitle(QStringLiteral("Voice Navigation Settings"));
    platform::setWindowTwipSize(this, 6240, 4920);
    buildControls();
    connect(levelOff, &QRadioButton::clicked, this, [this] { onLevelOffClicked(); });
    connect(levelCallOnly, &QRadioButton::clicked, this, [this] { onLevelCallOnlyClicked(); });
    connect(levelAllFields, &QRadioButton::clicked, this, [this] { onLevelAllFieldsClicked(); });
    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
}

VoiceNavigationWindow::~VoiceNavigationWindow() { onUnload(); }

void VoiceNavigationWindow::buildControls()
{
    introLabel = makeLabel(this, "introLabel", QRectF(240, 120, 5760, 840),
                       QStringLiteral("Choose one of the options below.  Select Off to turn the navigation "
                                      "function off, Call to indicate the Call field only and All Data "
                                      "Fields to provide verbal prompts through all the data fields."));
    backgroundHeading = makeLabel(this, "backgroundHeading", QRectF(240, 1020, 5760, 285), QStringLiteral("Background:"), true);
    backgroundLabel = makeLabel(this, "backgroundLabel", QRectF(240, 1305, 5760, 660),
                       QStringLiteral("Recorded prompts name each entry field as it gains the focus, and "
                                      "a duplicate contact is announced, so the log can be kept without "
                                      "seeing the screen."));
    enableHeading = makeLabel(this, "enableHeading", QRectF(240, 2025, 5760, 285),
                       QStringLiteral("To Enable Voice Navigation:"), true);
    folderLabel = makeLabel(this, "folderLabel", QRectF(240, 2310, 5760, 660), QString());

    levelGroup = makeControl<QGroupBox>(this, "levelGroup", ControlKind::Frame, QRectF(240, 3060, 4200, 1560));
    levelGroup->setTitle(QStringLiteral("Choose your preferred option:"));
    levelOff = makeControl<QRadioButton>(levelGroup, "levelOff", ControlKind::OptionButton,
                                        QRectF(240, 300, 3600, 330));
    levelOff->setText(QStringLiteral("Off"));
    levelCallOnly = makeControl<QRadioButton>(levelGroup, "levelCallOnly", ControlKind::OptionButton,
                                        QRectF(240, 690, 3600, 330));
    levelCallOnly->setText(QStringLiteral("Call Only"));
    levelAllFields = makeControl<QRadioButton>(levelGroup, "levelAllFields", ControlKind::OptionButton,
                                        QRectF(240, 1080, 3600, 330));
    levelAllFields->setText(QStringLiteral("All Data Fields"));

    doneButton = makeControl<QPushButton>(this, "doneButton", ControlKind::CommandButton,
                                        QRectF(4680, 4140, 1320, 450));
    doneButton->setText(QStringLiteral("Done"));
    doneButton->setAutoDefault(true);
}

void VoiceNavigationWindow::onLoad()
{
    if (m_loaded)
        return;
    m_loaded = true;
    platform::ResizeForm(this, m_state.services.screen, m_state.services.prompt);
    folderLabel->setText(QStringLiteral("Put the audio wave files in this program's working directory: ") +
                    QDir::toNativeSeparators(m_state.folders.ProgramFolder));
    selectLevel(m_state.prefs.VoiceNavLevel);
}

void VoiceNavigationWindow::selectLevel(int level)
{
    QRadioButton* options[] = {levelOff, levelCallOnly, levelAllFields};
    if (level >= 0 && level <= 2) {
        options[level]->setChecked(true);
        return;
    }
    for (QRadioButton* o : options) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
}

void VoiceNavigationWindow::hideEvent(QHideEvent* event)
{
    selectLevel(m_state.prefs.VoiceNavLevel);
    QDialog::hideEvent(event);
}

void VoiceNavigationWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (promptPlaying())
            wavPlayer.stop();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void VoiceNavigationWindow::onUnload() { wavPlayer.close(); }

void VoiceNavigationWindow::showModeless()
{
    onLoad();
    show();
    raise();
    activateWindow();
}

void VoiceNavigationWindow::BlindKeyPhone(const QString& name)
{
    wavPlayer.close();
    wavPlayer.open(QDir(m_state.folders.ProgramFolder).filePath(name + QStringLiteral(".wav")));
    wavPlayer.play();
}

bool VoiceNavigationWindow::promptPlaying() const { return wavPlayer.isPlaying(); }

qint64 VoiceNavigationWindow::promptWaitLimitMs() const { return wavPlayer.lengthMs() + PromptWaitMarginMs; }

void VoiceNavigationWindow::onLevelOffClicked() { BlindKeyPhone(QStringLiteral("NavDis")); }

void VoiceNavigationWindow::onLevelCallOnlyClicked()
{
    BlindKeyPhone(QStringLiteral("NavEn"));
    // "Call" follows "NavEn" whole; nothing else runs meanwhile.
    const qint64 limitNs = promptWaitLimitMs() * 1'000'000;
    const std::int64_t start = platform::monotonicNs();
    while (promptPlaying() && platform::monotonicNs() - start < limitNs)
        QThread::msleep(2);
    BlindKeyPhone(QStringLiteral("Call"));
}

void VoiceNavigationWindow::onLevelAllFieldsClicked() { BlindKeyPhone(QStringLiteral("NavEn")); }

void VoiceNavigationWindow::onDoneClicked()
{
    m_state.prefs.VoiceNavLevel = levelCallOnly->isChecked() ? 1 : levelAllFields->isChecked() ? 2 : 0;
    hide();
    app::SaveQSOPref(m_state);
}

}  // namespace keying
