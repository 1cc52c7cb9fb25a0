#include "radio/frequency_test_window.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/number_text.h"
#include "platform/scaling.h"
#include "radio/rig_interface_window.h"
#include "radio/rig_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using platform::ControlKind;
using platform::makeControl;

namespace radio {

namespace {

QLabel* instruction(QWidget* parent, const char* name, const char* text, const QRectF& twips)
{
    auto* l = makeControl<QLabel>(parent, name, ControlKind::Label, twips);
    l->setText(QString::fromLatin1(text));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

platform::ScaleRule frequencyTestRule()
{
    using K = ControlKind;
    platform::ScaleRule r;
    r.placement = platform::ScaleRule::Placement::ExactCentre;
    r.sized = {K::Label, K::TextBox, K::CommandButton, K::CheckBox};
    r.fonted = r.sized;
    r.controlFont = platform::ScaleRule::ControlFont::WCappedAt15;
    return r;
}

}  // namespace

FrequencyTestWindow::FrequencyTestWindow(app::AppState& state, RigInterfaceWindow& rig, QWidget* parent)
    : QDialog(parent), m_state(state), m_rig(rig)
{
    setObjectName(QStringLiteral("frmFrequencyTest"));
    setWindowTitle(QStringLiteral("Test Change Frequency Function"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    platform::setWindowTwipSize(this, 5535, 3975);
    buildControls();
    wireEvents();
}

void FrequencyTestWindow::buildControls()
{
    commandNote = instruction(this, "commandNote",
                         "Please use the text box below to enter a complete command to send to your "
                         "radio.  The default example is the command used for Kenwood radios.",
                         QRectF(120, 120, 5295, 435));
    hexNote = instruction(this, "hexNote",
                         "If your radio requires a hexidecimal format, please enter in the format of XX XX "
                         "XX (using spaces between each two digits) and click the Convert to Hex check box "
                         "below.",
                         QRectF(120, 600, 5295, 615));
    commandBox = makeControl<QLineEdit>(this, "commandBox", ControlKind::TextBox, QRectF(120, 1290, 2880, 315));
    commandBox->setText(QStringLiteral("FA00028475000;"));
    convertToHexCheck = makeControl<QCheckBox>(this, "convertToHexCheck", ControlKind::CheckBox, QRectF(3120, 1320, 1380, 255));
    convertToHexCheck->setText(QStringLiteral("Convert to Hex"));
    sendCommandButton = makeControl<QPushButton>(this, "sendCommandButton", ControlKind::CommandButton,
                                        QRectF(4560, 1260, 855, 375));
    sendCommandButton->setText(QStringLiteral("Send"));
    reportNote = instruction(this, "reportNote",
                         "Once you have a working command, please e-mail me the exact command and the "
                         "frequency (in Mhz) specified in the command.",
                         QRectF(120, 1740, 5295, 435));
    dividerLine = new platform::LineControl(this);
    dividerLine->setObjectName(QStringLiteral("dividerLine"));
    dividerLine->setLine(60, 2280, 5475, 2280);
    frequencyNote = instruction(this, "frequencyNote",
                         "Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any supported "
                         "radio, you should be able to enter a frequency in Mhz, click send and your radio "
                         "should switch to the specified frequency.",
                         QRectF(120, 2400, 5295, 795));
    frequencyBox = makeControl<QLineEdit>(this, "frequencyBox", ControlKind::TextBox, QRectF(120, 3390, 2880, 315));
    sendFrequencyButton = makeControl<QPushButton>(this, "sendFrequencyButton", ControlKind::CommandButton,
                                        QRectF(4560, 3360, 855, 375));
    sendFrequencyButton->setText(QStringLiteral("Send"));
    for (QPushButton* b : {sendCommandButton, sendFrequencyButton})
        b->setAutoDefault(false);
    setTabOrder(commandBox, convertToHexCheck);
    setTabOrder(convertToHexCheck, sendCommandButton);
    setTabOrder(sendCommandButton, frequencyBox);
    setTabOrder(frequencyBox, sendFrequencyButton);
}

void FrequencyTestWindow::wireEvents()
{
    connect(sendCommandButton, &QPushButton::clicked, this, [this] { onSendCommandClicked(); });
    connect(sendFrequencyButton, &QPushButton::clicked, this, [this] { onSendFrequencyClicked(); });
}

void FrequencyTestWindow::onLoad()
{
    (void)platform::scaleWindow(this, m_state.services.screen.metrics(), frequencyTestRule());
    setFixedSize(size());
    frequencyBox->setText(QStringLiteral("28.475"));
    commandBox->setFocus();
}

void FrequencyTestWindow::onSendCommandClicked()
{
    // Sent exactly as given: no line end is added.
    QByteArray bytes = commandBox->text().trimmed().toLatin1();
    if (convertToHexCheck->isChecked())
        bytes = HexPairsToBytes(commandBox->text().trimmed());
    if (bytes.isEmpty())
        return;
    (void)m_rig.rigPort().write(bytes);
}

void FrequencyTestWindow::onSendFrequencyClicked()
{
    const auto mhz = platform::typedNumber(frequencyBox->text());
    if (!mhz)
        return;
    float frequency = static_cast<float>(*mhz);
    m_rig.ChangeFrequency(frequency);
}

}  // namespace radio
