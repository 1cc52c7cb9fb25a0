#include "radio/frmFrequencyTest.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/number_text.h"
#include "platform/scaling.h"
#include "radio/RigControlfrm.h"
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

frmFrequencyTest::frmFrequencyTest(app::AppState& state, RigControlfrm& rig, QWidget* parent)
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

void frmFrequencyTest::buildControls()
{
    Label1 = instruction(this, "Label1",
                         "Please use the text box below to enter a complete command to send to your "
                         "radio.  The default example is the command used for Kenwood radios.",
                         QRectF(120, 120, 5295, 435));
    Label2 = instruction(this, "Label2",
                         "If your radio requires a hexidecimal format, please enter in the format of XX XX "
                         "XX (using spaces between each two digits) and click the Convert to Hex check box "
                         "below.",
                         QRectF(120, 600, 5295, 615));
    Text1 = makeControl<QLineEdit>(this, "Text1", ControlKind::TextBox, QRectF(120, 1290, 2880, 315));
    Text1->setText(QStringLiteral("FA00028475000;"));
    Check1 = makeControl<QCheckBox>(this, "Check1", ControlKind::CheckBox, QRectF(3120, 1320, 1380, 255));
    Check1->setText(QStringLiteral("Convert to Hex"));
    Command1 = makeControl<QPushButton>(this, "Command1", ControlKind::CommandButton,
                                        QRectF(4560, 1260, 855, 375));
    Command1->setText(QStringLiteral("Send"));
    Label3 = instruction(this, "Label3",
                         "Once you have a working command, please e-mail me the exact command and the "
                         "frequency (in Mhz) specified in the command.",
                         QRectF(120, 1740, 5295, 435));
    Line1 = new platform::LineControl(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setLine(60, 2280, 5475, 2280);
    Label4 = instruction(this, "Label4",
                         "Most Elecrafts, Icoms, Kenwoods and Yaesus are now supported. For any supported "
                         "radio, you should be able to enter a frequency in Mhz, click send and your radio "
                         "should switch to the specified frequency.",
                         QRectF(120, 2400, 5295, 795));
    Text2 = makeControl<QLineEdit>(this, "Text2", ControlKind::TextBox, QRectF(120, 3390, 2880, 315));
    Command2 = makeControl<QPushButton>(this, "Command2", ControlKind::CommandButton,
                                        QRectF(4560, 3360, 855, 375));
    Command2->setText(QStringLiteral("Send"));
    for (QPushButton* b : {Command1, Command2})
        b->setAutoDefault(false);
    setTabOrder(Text1, Check1);
    setTabOrder(Check1, Command1);
    setTabOrder(Command1, Text2);
    setTabOrder(Text2, Command2);
}

void frmFrequencyTest::wireEvents()
{
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void frmFrequencyTest::Form_Load()
{
    (void)platform::scaleWindow(this, m_state.services.screen.metrics(), frequencyTestRule());
    setFixedSize(size());
    Text2->setText(QStringLiteral("28.475"));
    Text1->setFocus();
}

void frmFrequencyTest::Command1_Click()
{
    // Sent exactly as given: no line end is added.
    QByteArray bytes = Text1->text().trimmed().toLatin1();
    if (Check1->isChecked())
        bytes = HexPairsToBytes(Text1->text().trimmed());
    if (bytes.isEmpty())
        return;
    (void)m_rig.comComm1().write(bytes);
}

void frmFrequencyTest::Command2_Click()
{
    const auto mhz = platform::typedNumber(Text2->text());
    if (!mhz)
        return;
    float frequency = static_cast<float>(*mhz);
    m_rig.ChangeFrequency(frequency);
}

}  // namespace radio
