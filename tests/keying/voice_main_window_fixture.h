#pragma once
// A real main window with the voice keyer and voice navigation installed as
// the program installs them, the shipped prompts in its program folder.

#include "voice_fixture.h"

#include "app/in_state_window.h"
#include "app/out_of_state_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>

namespace testing_support {

struct VoiceMainWindowFixture : VoiceFixture {
    ~VoiceMainWindowFixture()
    {
        window.reset();
        QApplication::processEvents();
    }

    MainWindowBase& open(bool outOfState = true)
    {
        fx.copyShipped(QStringLiteral("county2.txt"));
        for (const char* name : {"Call", "SerNum", "County", "SPC", "Dupe", "NavEn"})
            fx.copyShipped(QLatin1String(name) + QStringLiteral(".wav"));
        auto& p = fx.state.prefs;
        p.MyCall = QStringLiteral("W1AW");
        p.MySPC = QStringLiteral("CT");
        p.CurrentMode = QStringLiteral("PH");
        p.CurrentBand = QStringLiteral("20");
        p.FormSizePercent = 100;
        p.PartyState = QStringLiteral("CA");
        p.OutOfStateFlag = outOfState ? 1 : 0;
        p.RigType = QStringLiteral("None");
        p.MyCounty = QStringLiteral("Alameda");
        fx.fakes.clock.set(QDate(2021, 10, 2), QTime(9, 2, 41));
        fx.fakes.prompt.answer(platform::MsgResult::Yes);
        if (outOfState)
            window = std::make_unique<OutOfStateWindow>(fx.state, services);
        else
            window = std::make_unique<InStateWindow>(fx.state, services);
        window->onLoad();
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        QApplication::processEvents();
        played.clear();
        return *window;
    }

    QStringList promptsOnFocus(const std::vector<QLineEdit*>& boxes)
    {
        QStringList names;
        for (QLineEdit* box : boxes) {
            played.clear();
            window->txtCall->setText(QStringLiteral("K6ABC"));
            box->setFocus();
            QApplication::processEvents();
            for (const auto& e : played.played())
                names << QFileInfo(e.path).completeBaseName();
        }
        return names;
    }

    std::unique_ptr<MainWindowBase> window;
};

}  // namespace testing_support
