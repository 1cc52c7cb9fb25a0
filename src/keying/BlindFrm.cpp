#include "keying/BlindFrm.h"

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

BlindFrm::BlindFrm(app::AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("BlindFrm"));
    setWindowTitle(QStringLiteral("Voice Navigation Settings"));
    platform::setWindowTwipSize(this, 6240, 4920);
    buildControls();
    connect(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
    connect(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
    connect(Option3, &QRadioButton::clicked, this, [this] { Option3_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

BlindFrm::~BlindFrm() { Form_Unload(); }

void BlindFrm::buildControls()
{
    Label1 = makeLabel(this, "Label1", QRectF(240, 120, 5760, 840),
                       QStringLiteral("Choose one of the options below.  Select Off to turn the navigation "
                                      "function off, Call to indicate the Call field only and All Data "
                                      "Fields to provide verbal prompts through all the data fields."));
    Label2 = makeLabel(this, "Label2", QRectF(240, 1020, 5760, 285), QStringLiteral("Background:"), true);
    Label3 = makeLabel(this, "Label3", QRectF(240, 1305, 5760, 660),
                       QStringLiteral("Recorded prompts name each entry field as it gains the focus, and "
                                      "a duplicate contact is announced, so the log can be kept without "
                                      "seeing the screen."));
    Label4 = makeLabel(this, "Label4", QRectF(240, 2025, 5760, 285),
                       QStringLiteral("To Enable Voice Navigation:"), true);
    Label7 = makeLabel(this, "Label7", QRectF(240, 2310, 5760, 660), QString());

    Frame1 = makeControl<QGroupBox>(this, "Frame1", ControlKind::Frame, QRectF(240, 3060, 4200, 1560));
    Frame1->setTitle(QStringLiteral("Choose your preferred option:"));
    Option1 = makeControl<QRadioButton>(Frame1, "Option1", ControlKind::OptionButton,
                                        QRectF(240, 300, 3600, 330));
    Option1->setText(QStringLiteral("Off"));
    Option2 = makeControl<QRadioButton>(Frame1, "Option2", ControlKind::OptionButton,
                                        QRectF(240, 690, 3600, 330));
    Option2->setText(QStringLiteral("Call Only"));
    Option3 = makeControl<QRadioButton>(Frame1, "Option3", ControlKind::OptionButton,
                                        QRectF(240, 1080, 3600, 330));
    Option3->setText(QStringLiteral("All Data Fields"));

    Command1 = makeControl<QPushButton>(this, "Command1", ControlKind::CommandButton,
                                        QRectF(4680, 4140, 1320, 450));
    Command1->setText(QStringLiteral("Done"));
    Command1->setAutoDefault(true);
}

void BlindFrm::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    platform::ResizeForm(this, m_state.services.screen, m_state.services.prompt);
    Label7->setText(QStringLiteral("Put the audio wave files in this program's working directory: ") +
                    QDir::toNativeSeparators(m_state.folders.ProgramFolder));
    selectLevel(m_state.prefs.VoiceNavLevel);
}

void BlindFrm::selectLevel(int level)
{
    QRadioButton* options[] = {Option1, Option2, Option3};
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

void BlindFrm::hideEvent(QHideEvent* event)
{
    selectLevel(m_state.prefs.VoiceNavLevel);
    QDialog::hideEvent(event);
}

void BlindFrm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (promptPlaying())
            MMControl1.stop();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void BlindFrm::Form_Unload() { MMControl1.close(); }

void BlindFrm::showModeless()
{
    Form_Load();
    show();
    raise();
    activateWindow();
}

void BlindFrm::BlindKeyPhone(const QString& name)
{
    MMControl1.close();
    MMControl1.open(QDir(m_state.folders.ProgramFolder).filePath(name + QStringLiteral(".wav")));
    MMControl1.play();
}

bool BlindFrm::promptPlaying() const { return MMControl1.isPlaying(); }

qint64 BlindFrm::promptWaitLimitMs() const { return MMControl1.lengthMs() + PromptWaitMarginMs; }

void BlindFrm::Option1_Click() { BlindKeyPhone(QStringLiteral("NavDis")); }

void BlindFrm::Option2_Click()
{
    BlindKeyPhone(QStringLiteral("NavEn"));
    // "Call" follows "NavEn" whole; nothing else runs meanwhile.
    const qint64 limitNs = promptWaitLimitMs() * 1'000'000;
    const std::int64_t start = platform::monotonicNs();
    while (promptPlaying() && platform::monotonicNs() - start < limitNs)
        QThread::msleep(2);
    BlindKeyPhone(QStringLiteral("Call"));
}

void BlindFrm::Option3_Click() { BlindKeyPhone(QStringLiteral("NavEn")); }

void BlindFrm::Command1_Click()
{
    m_state.prefs.VoiceNavLevel = Option2->isChecked() ? 1 : Option3->isChecked() ? 2 : 0;
    hide();
    app::SaveQSOPref(m_state);
}

}  // namespace keying
