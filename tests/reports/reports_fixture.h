#pragma once
// A main window of either kind wired to the reports as the program wires
// them (the program's services with the reports installed), with a small
// log per window kind and the means to drive the dialogs it opens.

#include "app/in_state_fixture.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "reports/summary_sheet_dialog.h"
#include "reports/edit_contact_dialogs.h"
#include "reports/reports_install.h"

#include <QApplication>
#include <QTableView>
#include <gtest/gtest.h>

namespace testing_support {

/// Base is MainWindowFixture (out-of-state) or InStateFixture.
template <class Base>
class ReportsFixture : public Base {
public:
    ReportsFixture()
    {
        reports::installReports(program, this->fx.state, windows);
        this->fx.copyShipped(QStringLiteral("ADIFCnt.txt"));
    }
    ~ReportsFixture()
    {
        this->window.reset();
        QApplication::processEvents();
    }

    /// Loads and shows the window on the program's services.
    MainWindowBase& openWindow()
    {
        this->fx.fakes.prompt.answer(platform::MsgResult::Yes);
        if (this->fx.state.prefs.OutOfStateFlag != 0)
            this->window = std::make_unique<OutOfStateWindow>(this->fx.state, program);
        else
            this->window = std::make_unique<InStateWindow>(this->fx.state, program);
        this->window->onLoad();
        this->window->show();
        this->window->activateWindow();
        (void)QTest::qWaitForWindowActive(this->window.get());
        this->window->txtCall->setFocus();
        QApplication::processEvents();
        return *this->window;
    }

    /// The next dialog the window shows modally is handed to drive, shown
    /// and active; when drive returns the dialog is closed if still open.
    template <class Dialog>
    void onNextDialog(std::function<void(Dialog&)> drive)
    {
        this->window->runModal = [this, drive](QDialog& d) {
            auto* dialog = dynamic_cast<Dialog*>(&d);
            ASSERT_NE(dialog, nullptr);
            d.show();
            QApplication::setActiveWindow(&d);
            (void)QTest::qWaitForWindowActive(&d);
            ++dialogsShown;
            drive(*dialog);
            if (d.isVisible())
                d.close();
            this->window->runModal = nullptr;
        };
    }

    /// Right-clicks list row (0 is the top row).
    void rightClickRow(int row)
    {
        const QRect r = this->window->contactListView->visualRect(this->window->contactList().index(row, 1));
        QTest::mouseClick(this->window->contactListView->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseClick(this->window->contactListView->viewport(), Qt::RightButton, {}, r.center());
    }

    /// Replaces a box's text the way an operator does: select all, type.
    static void retype(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    app::ProgramServices program;
    app::MainWindows windows{this->fx.state};
    int dialogsShown = 0;
};

using OutReports = ReportsFixture<MainWindowFixture>;
using InReports = ReportsFixture<InStateFixture>;

}  // namespace testing_support
