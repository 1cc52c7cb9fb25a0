#include "app/main_windows.h"

#include "app/app_state.h"

namespace app {

void MainWindows::open()
{
    // The main windows are not part of the program yet: Done ends the run
    // once the preferences are saved.
    if (m_state.endProgram)
        m_state.endProgram();
}

}  // namespace app
