#include "app/startup_window.h"

#include "app/app_state.h"
#include "app/logo_window.h"
#include "app/station_setup_window.h"
#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/scaling.h"

#include <QDir>
#include <QLineEdit>

StartupWindow::StartupWindow(app::AppState& state, app::UserFolderEnvironment env, QWidget* parent)
    : QWidget(parent), m_state(state), m_env(std::move(env))
{
    setObjectName(QStringLiteral("StartupWindow"));
    platform::setWindowTwipSize(this, 4800, 3600);
    showLogoModal = [](LogoWindow& logo) { logo.exec(); };
}

void StartupWindow::onLoad()
{
    app::ProgramFolders& f = m_state.folders;
    f.ProgramFolder = QDir::currentPath();
    f.ProgramDrive = f.ProgramFolder.left(1);

    {
        LogoWindow logo(m_state, m_env);
        showLogoModal(logo);
    }

    platform::ResizeForm(this, m_state.services.screen, m_state.services.prompt);

    QString base;
    app::GetUserFolder(base, QStringLiteral("\\Ostrel Software"), QStringLiteral("\\Zivudaduri"),
                       m_env, m_state.services.prompt);
    app::GetUserFolder(base, QStringLiteral("\\Ostrel Software"), QStringLiteral("\\Shared"), m_env,
                       m_state.services.prompt);
    f.SharedDataFolder = platform::pathIn(base, QStringLiteral("Shared"));
    f.UserDataFolder = platform::pathIn(base, QStringLiteral("Zivudaduri"));

    app::LoadPreferences(m_state.sharedPrefs, f.SharedDataFolder + QStringLiteral("/SharedUserPreferences.xml"));
    app::CreateFolder(f.UserDataFolder + QStringLiteral("/BACKUP"), 0, m_state.services.prompt);
    QDir::setCurrent(f.ProgramFolder);

    hide();
    m_setup = new StationSetupWindow(m_state);
    m_setup->setAttribute(Qt::WA_DeleteOnClose);
    m_setup->onLoad();
    m_setup->show();
    m_setup->raise();
    m_setup->activateWindow();
    m_setup->callBox->setFocus();
}
