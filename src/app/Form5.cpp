#include "app/Form5.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/safe_file.h"
#include "platform/scaling.h"

#include <QDir>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

using platform::ControlKind;
using platform::FontSpec;
using platform::makeControl;

namespace {
const FontSpec TextFont{QStringLiteral("MS Sans Serif"), 9.75, true};
const FontSpec ButtonFont{QStringLiteral("Arial"), 8.25, true};
}  // namespace

Form5::Form5(app::AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Help Page"));
    platform::setWindowTwipSize(this, 7725, 6000);
    buildControls();
    wireEvents();
}

void Form5::buildControls()
{
    // The button comes first so that it holds the focus when the page opens.
    Command1 = makeControl<QPushButton>(this, "Command1", ControlKind::CommandButton,
                                        QRectF(3240, 5400, 1215, 375), ButtonFont);
    Command1->setText(QStringLiteral("Close"));
    // Enter presses the button that has the focus, as Space does.
    Command1->setAutoDefault(true);

    Text1 = makeControl<QPlainTextEdit>(this, "Text1", ControlKind::TextBox,
                                        QRectF(240, 240, 7215, 4935), TextFont);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette p = Text1->palette();
    p.setColor(QPalette::Base, QColor(224, 224, 224));
    Text1->setPalette(p);

    setTabOrder(Command1, Text1);
    Command1->setFocus();
}

void Form5::wireEvents()
{
    QObject::connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Form5::showModal(app::AppState& state, QWidget* parent,
                      const std::function<void(QDialog&)>& run)
{
    Form5 form(state, parent);
    form.Form_Load();
    if (run)
        run(form);
    else
        form.exec();
}

void Form5::Form_Load() { loadSteps(); }

bool Form5::loadSteps()
{
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::helpPage());
    if (!error.isEmpty())
        return false;

    Text1->clear();

    QDir::setCurrent(m_state.folders.ProgramFolder);
    const auto bytes =
        platform::readWholeFile(m_state.folders.programFile(QStringLiteral("ReadSQSO.txt")));
    if (!bytes)
        return false;
    // The text box keeps line breaks as single characters; the file's CR LF
    // pairs are shown as the line breaks they are.
    QString text = QString::fromLatin1(*bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(text);
    Text1->moveCursor(QTextCursor::Start);
    return true;
}

void Form5::Command1_Click() { hide(); }
