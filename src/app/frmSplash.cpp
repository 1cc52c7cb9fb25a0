#include "app/frmSplash.h"

#include "app/app_state.h"
#include "app/frmOstrelLogo.h"
#include "app/frmStationID.h"
#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/scaling.h"

#include <QDir>
#include <QLineEdit>

frmSplash::frmSplash(app::AppState& state, app::UserFolderEnvironment env, QWidget* parent)
    : QWidget(parent), m_state(state), m_env(std::move(env))
{
    setObjectName(QStringLiteral("frmSplash"));
    platform::setWindowTwipSize(this, 4800, 3600);
    showLogoModal = [](frmOstrelLogo& logo) { logo.exec(); };
}

void frmSplash::Form_Load()
{
    app::ProgramFolders& f = m_state.folders;
    f.ProgramFolder = QDir::currentPath();
    f.ProgramDrive = f.ProgramFolder.left(1);

    {
        frmOstrelLogo logo(m_state, m_env);
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
    m_setup = new frmStationID(m_state);
    m_setup->setAttribute(Qt::WA_DeleteOnClose);
    m_setup->Form_Load();
    m_setup->show();
    m_setup->raise();
    m_setup->activateWindow();
    m_setup->Text1->setFocus();
}
