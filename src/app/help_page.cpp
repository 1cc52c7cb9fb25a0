#include "app/help_page.h"

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

HelpPage::HelpPage(app::AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("HelpPage"));
    setWindowTitle(QStringLiteral("Help Page"));
    platform::setWindowTwipSize(this, 7725, 6000);
    buildControls();
    wireEvents();
}

void HelpPage::buildControls()
{
    // The button comes first so that it holds the focus when the page opens.
    closeButton = makeControl<QPushButton>(this, "closeButton", ControlKind::CommandButton,
                                        QRectF(3240, 5400, 1215, 375), ButtonFont);
    closeButton->setText(QStringLiteral("Close"));
    // Enter presses the button that has the focus, as Space does.
    closeButton->setAutoDefault(true);

    helpText = makeControl<QPlainTextEdit>(this, "helpText", ControlKind::TextBox,
                                        QRectF(240, 240, 7215, 4935), TextFont);
    helpText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette p = helpText->palette();
    p.setColor(QPalette::Base, QColor(224, 224, 224));
    helpText->setPalette(p);

    setTabOrder(closeButton, helpText);
    closeButton->setFocus();
}

void HelpPage::wireEvents()
{
    QObject::connect(closeButton, &QPushButton::clicked, this, [this] { onCloseClicked(); });
}

void HelpPage::showModal(app::AppState& state, QWidget* parent,
                      const std::function<void(QDialog&)>& run)
{
    HelpPage form(state, parent);
    form.onLoad();
    if (run)
        run(form);
    else
        form.exec();
}

void HelpPage::onLoad() { loadSteps(); }

bool HelpPage::loadSteps()
{
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::helpPage());
    if (!error.isEmpty())
        return false;

    helpText->clear();

    QDir::setCurrent(m_state.folders.ProgramFolder);
    const auto bytes =
        platform::readTextFile(m_state.folders.programFile(QStringLiteral("ReadSQSO.txt")));
    if (!bytes)
        return false;
    // The text box keeps line breaks as single characters; the file's CR LF
    // pairs are shown as the line breaks they are.
    QString text = QString::fromLatin1(*bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    helpText->setPlainText(text);
    helpText->moveCursor(QTextCursor::Start);
    return true;
}

void HelpPage::onCloseClicked() { hide(); }
