// The File menu's submission file, exports and clipboard copy as the
// operator runs them from either main window.

#include "reports/report_exports.h"
#include "reports_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QByteArray outLog()
{
    return logLine("K1AB", "Alameda", "1", "2021/10/02", "16:01:00", "CW", "20", "11") +
           logLine("K2AB", "Butte", "2", "2021/10/02", "16:02:30", "PH", "40", "12");
}

const QString Cabrillo = QStringLiteral("Cabrillo file");

}  // namespace

TEST(SummaryDialog, PastesKeepWhatTypingWould)
{
    OutReports f;
    auto& w = f.openWindow();
    f.onNextDialog<SummarySheetDialog>([&](SummarySheetDialog& d) {
        const std::pair<QLineEdit*, const char*> pastes[] = {
            {d.operatorsBox, "w1aw\r\nk1zz"},
            {d.nameBox, "Pat\r\nOperator\t"},
            {d.soapboxBox, "Fun\ncontest"},
        };
        const char* const kept[] = {"W1AWK1ZZ", "PatOperator", "Funcontest"};
        for (std::size_t i = 0; i < std::size(pastes); ++i) {
            QApplication::clipboard()->setText(QString::fromLatin1(pastes[i].second));
            pastes[i].first->setFocus();
            QTest::keyClick(pastes[i].first, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(pastes[i].first->text(), QString::fromLatin1(kept[i]));
        }
    });
    w.mnuWriteSumm->trigger();
    ASSERT_EQ(f.dialogsShown, 1);
}

TEST(SummaryDialog, WritesTheCabrilloFileAndRemembersTheFiveBoxes)
{
    OutReports f;
    f.fx.state.prefs.MyCall = QStringLiteral(" W1AW/3 ");
    f.fx.state.prefs.MyArrlSection = QStringLiteral("CT");
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    auto& w = f.openWindow();
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("10"));
    const QString target = f.fx.path(QStringLiteral("W1AW.log"));
    f.onNextDialog<SummarySheetDialog>([&](SummarySheetDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Summary Sheet Information"));
        EXPECT_TRUE(d.nameBox->text().isEmpty());
        EXPECT_TRUE(d.categorySingleOp->isChecked());
        EXPECT_TRUE(d.powerLow->isChecked());
        EXPECT_TRUE(d.modeMixed->isChecked());
        EXPECT_TRUE(d.countyAbbreviationsCheck->isChecked());
        QTest::keyClicks(d.nameBox, QStringLiteral("Pat Operator "));
        QTest::keyClicks(d.address1Box, QStringLiteral("1 Main St"));
        QTest::keyClicks(d.address2Box, QStringLiteral("Springfield"));
        QTest::keyClicks(d.emailBox, QStringLiteral("pat@example.org"));
        QTest::keyClicks(d.clubBox, QStringLiteral("Contest Club"));
        QTest::keyClicks(d.operatorsBox, QStringLiteral("w1aw k1zz"));
        EXPECT_EQ(d.operatorsBox->text(), QStringLiteral("W1AW K1ZZ"));
        QTest::mouseClick(d.powerHigh, Qt::LeftButton);
        f.fx.fakes.prompt.answer(target);
        QTest::mouseClick(d.writeCabrilloButton, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(d.doneButton->hasFocus());
        QTest::mouseClick(d.doneButton, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    w.mnuWriteSumm->trigger();
    ASSERT_EQ(f.dialogsShown, 1);
    EXPECT_EQ(f.fx.state.prefs.MyCall, QStringLiteral("W1AW/3"));
    // The save dialog proposed the call's stem in the per-user folder.
    const auto& shown = f.fx.fakes.prompt.shown();
    const auto save = std::find_if(shown.begin(), shown.end(), [](const auto& s) {
        return s.kind == platform::ScriptedPrompt::Kind::SaveFile;
    });
    ASSERT_NE(save, shown.end());
    EXPECT_EQ(save->text, QStringLiteral("W1AW.log"));
    EXPECT_EQ(save->defaultText, f.fx.state.folders.UserDataFolder);

    EXPECT_EQ(QString::fromLatin1(readBytes(target)),
              QStringLiteral("START-OF-LOG: 2.0\r\n"
                                "CREATED-BY: Ostrel's CA State QSO Party Program 2.3\r\n"
                                "CALLSIGN: W1AW/3\r\n"
                                "ARRL-SECTION: CT\r\n"
                                "CONTEST: NCCC-CQP\r\n"
                                "CATEGORY: SINGLE-OP ALL HIGH MIXED\r\n"
                                "CLUB-NAME: Contest Club\r\n"
                                "CLAIMED-SCORE:  10 \r\n"
                                "OPERATORS: W1AW K1ZZ\r\n"
                                "NAME: Pat Operator \r\n"
                                "ADDRESS: 1 Main St\r\n"
                                "ADDRESS: Springfield\r\n"
                                "ADDRESS: (e-mail) pat@example.org\r\n"
                                "SOAPBOX: \r\n"
                                "QSO: 14000 CW 2021-10-02 1601 W1AW/3       1 CT        K1AB        11 ALAM\r\n"
                                "QSO:  7000 PH 2021-10-02 1602 W1AW/3       2 CT        K2AB        12 BUTT\r\n"
                                "END-OF-LOG:\r\n"));
    // Success is reported after everything was saved.
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2].title, QStringLiteral("File Written Successfully."));
    EXPECT_TRUE(shown[shown.size() - 2].text.contains(QDir::toNativeSeparators(target)));
    EXPECT_EQ(shown.back().title, QStringLiteral("  Thanks!"));
    const QByteArray shared = readBytes(f.fx.state.sharedPrefs.SharedPrefsPath);
    EXPECT_TRUE(shared.contains("<OWN_ADDRESS_NAME>Pat Operator</OWN_ADDRESS_NAME>"));
    EXPECT_TRUE(shared.contains("<OWN_ADDRESS_LINE1>1 Main St</OWN_ADDRESS_LINE1>"));
    EXPECT_TRUE(shared.contains("<OWN_CLUB_NAME>Contest Club</OWN_CLUB_NAME>"));

    // The next opening brings the five boxes back, the options at their defaults.
    f.onNextDialog<SummarySheetDialog>([&](SummarySheetDialog& d) {
        EXPECT_EQ(d.nameBox->text(), QStringLiteral("Pat Operator"));
        EXPECT_EQ(d.address1Box->text(), QStringLiteral("1 Main St"));
        EXPECT_EQ(d.address2Box->text(), QStringLiteral("Springfield"));
        EXPECT_EQ(d.emailBox->text(), QStringLiteral("pat@example.org"));
        EXPECT_EQ(d.clubBox->text(), QStringLiteral("Contest Club"));
        EXPECT_TRUE(d.operatorsBox->text().isEmpty());
        EXPECT_TRUE(d.powerLow->isChecked());
    });
    w.mnuWriteSumm->trigger();
    EXPECT_EQ(f.dialogsShown, 2);
}

TEST(SummaryDialog, CancelIsSilentAndAFailureIsReportedWithoutSuccess)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    auto& w = f.openWindow();
    const QString earlier = f.fx.path(QStringLiteral("W1AW.log"));
    writeBytes(earlier, "earlier\r\n");
    f.onNextDialog<SummarySheetDialog>([&](SummarySheetDialog& d) {
        QTest::keyClicks(d.nameBox, QStringLiteral("Pat"));
        f.fx.fakes.prompt.clear();
        QTest::mouseClick(d.writeCabrilloButton, Qt::LeftButton);  // the save dialog cancelled
        EXPECT_EQ(f.fx.fakes.prompt.shown().size(), 1u);
        // A folder that does not exist: nothing half written, failure reported.
        f.fx.fakes.prompt.answer(f.fx.path(QStringLiteral("nowhere/W1AW.log")));
        f.fx.fakes.beeper.resetCount();
        QTest::mouseClick(d.writeCabrilloButton, Qt::LeftButton);
        EXPECT_EQ(f.fx.fakes.prompt.shown().back().title, QStringLiteral("Unable to write file."));
        EXPECT_FALSE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("File Written Successfully.")));
        EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
        EXPECT_TRUE(d.isVisible());
    });
    w.mnuWriteSumm->trigger();
    EXPECT_EQ(readBytes(earlier), QByteArray("earlier\r\n"));
    EXPECT_FALSE(QFile::exists(f.fx.path(QStringLiteral("nowhere"))));
    // Nothing of what was typed is remembered without a written file.
    EXPECT_TRUE(f.fx.services.registry.GetSetting(QStringLiteral("Settings"), QStringLiteral("UserAddressName"))
                    .isEmpty());
}

TEST(SummaryDialog, InStateSendsTheOwnCountyAndClaimsSectionsTimesPoints)
{
    InReports f;
    QByteArray log;
    for (const char* spc : {"CT", "NV", "Germany"}) {
        contactlog::ContactRecord r;
        r.LogCall = QStringLiteral("W1AW");
        r.LogSPC = QString::fromLatin1(spc);
        r.LogCountySent = QStringLiteral("Alpine");
        r.LogSerialSent = QStringLiteral("12");
        r.LogSerialRcvd = QString::fromLatin1(spc).left(2);
        r.LogDate = QStringLiteral("2021/10/02");
        r.LogTime = QStringLiteral("18:30:00");
        r.LogMode = QStringLiteral("CW");
        r.LogBand = QStringLiteral("15");
        log += contactlog::formatContactLine(r);
    }
    writeBytes(f.fx.path(QStringLiteral("log.txt")), log);
    auto& w = f.openWindow();
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("18"));  // 9 points, 2 sections
    const QString target = f.fx.path(QStringLiteral("in.log"));
    f.onNextDialog<SummarySheetDialog>([&](SummarySheetDialog& d) {
        QTest::mouseClick(d.countyAbbreviationsCheck, Qt::LeftButton);  // full county names
        f.fx.fakes.prompt.answer(target);
        QTest::mouseClick(d.writeCabrilloButton, Qt::LeftButton);
    });
    w.mnuWriteSumm->trigger();
    const QString text = QString::fromLatin1(readBytes(target));
    SCOPED_TRACE(text.toStdString());
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nCLAIMED-SCORE:  18 \r\n")));
    EXPECT_TRUE(text.contains(
        QStringLiteral("QSO: 21000 CW 2021-10-02 1830 W1AW        12 Alpine    W1AW        Ge Germany\r\n")));
}

TEST(AdifExport, FromTheMenuWithPowerAndCommentAndItsFailures)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    auto& w = f.openWindow();
    auto& prompt = f.fx.fakes.prompt;
    prompt.clear();
    const QString target = f.fx.path(QStringLiteral("CA.adi"));
    prompt.answer(QStringLiteral("5 "));
    prompt.answer(QStringLiteral("CA State QSO Party Contest"));
    prompt.answer(target);
    w.mnuexportADIF->trigger();
    const auto& shown = prompt.shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Please enter your transmitter output power."));
    EXPECT_EQ(shown[0].defaultText, QStringLiteral("100"));
    EXPECT_EQ(shown[1].title, QStringLiteral("Please enter a comment."));
    EXPECT_EQ(shown[1].defaultText, QStringLiteral("CA State QSO Party Contest"));
    EXPECT_EQ(shown[2].text, QStringLiteral("CA.adi"));
    EXPECT_EQ(shown[3].title, QStringLiteral("File Written Successfully."));
    const QByteArray bytes = readBytes(target);
    EXPECT_TRUE(bytes.startsWith("Exported from Ostrel's CA State QSO Party Logging Program 2.3\r\nLog exported on: "));
    EXPECT_TRUE(bytes.contains(
        "\r\n\r\n<EOH>\r\n\r\n<Call:4>K1AB <Qso_Date:8:d>20211002 <Band:3>20M <Mode:2>CW\r\n<Tx_Pwr:1>5 "
        "<Time_On:4>1601 <DXCC:3>291 <State:2>CA <Cnty:10>CA,Alameda <Cont:2>NA "
        "<Comment:26>CA State QSO Party Contest\r\n<eor>\r\n\r\n<Call:4>K2AB "));
    EXPECT_TRUE(bytes.endsWith("<Comment:26>CA State QSO Party Contest\r\n<eor>\r\n\r\n"));

    // Without the country table nothing is asked for a file and the failure is reported.
    QFile::remove(f.fx.path(QStringLiteral("ADIFCnt.txt")));
    prompt.clear();
    w.mnuexportADIF->trigger();
    EXPECT_EQ(prompt.shown().back().title, QStringLiteral("Unable to write file."));
    for (const auto& s : prompt.shown())
        EXPECT_NE(s.kind, platform::ScriptedPrompt::Kind::SaveFile);

    // The table in the shared folder comes first; a file that cannot be
    // written is reported and an earlier export stays as it was.
    f.fx.copyShipped(QStringLiteral("ADIFCnt.txt"));
    QFile::rename(f.fx.path(QStringLiteral("ADIFCnt.txt")),
                  f.fx.state.folders.SharedDataFolder + QStringLiteral("/ADIFCnt.txt"));
    EXPECT_EQ(reports::adifTablePath(f.fx.state), f.fx.state.folders.SharedDataFolder + QStringLiteral("/ADIFCnt.txt"));
    prompt.clear();
    prompt.answer(QString());
    prompt.answer(QString());
    prompt.answer(f.fx.path(QStringLiteral("nowhere/CA.adi")));
    w.mnuexportADIF->trigger();
    EXPECT_EQ(prompt.shown().back().title, QStringLiteral("Unable to write file."));
    EXPECT_FALSE(prompt.anyShownWithTitle(QStringLiteral("File Written Successfully.")));
    EXPECT_EQ(readBytes(target), bytes);
}

TEST(DaybookExport, HiddenItemWritesLogExpOrReportsTheFailure)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    auto& w = f.openWindow();
    EXPECT_FALSE(w.mnuDaybookImport->isVisible());
    auto& prompt = f.fx.fakes.prompt;
    prompt.clear();
    prompt.answer(QStringLiteral("100"));
    w.mnuDaybookImport->trigger();
    EXPECT_EQ(prompt.shown().front().title, QStringLiteral("Please enter the power value"));
    EXPECT_EQ(prompt.shown().back().title, QStringLiteral("Export Successful!"));
    EXPECT_TRUE(prompt.shown().back().text.startsWith(
        QStringLiteral("LogExp.txt has been written to this program's working directory ")));
    EXPECT_EQ(readBytes(f.fx.path(QStringLiteral("LogExp.txt"))),
              QByteArrayLiteral("\"K1AB\",\"2021/10/02\",\"20\",\"CW\",\"100\",\"16:01:00\",\"\",\"\",,\"USA\",\"CA\","
                                "\"Alameda\",,,,\"QSO Party Contest\"\r\n"
                                "\"K2AB\",\"2021/10/02\",\"40\",\"SSB\",\"100\",\"16:02:30\",\"\",\"\",,\"USA\",\"CA\","
                                "\"Butte\",,,,\"QSO Party Contest\"\r\n"));

    // LogExp.txt cannot be replaced (a folder of that name): no success.
    QFile::remove(f.fx.path(QStringLiteral("LogExp.txt")));
    QDir(f.fx.path(QString())).mkdir(QStringLiteral("LogExp.txt"));
    prompt.clear();
    w.mnuDaybookImport->trigger();
    EXPECT_EQ(prompt.shown().back().title, QStringLiteral("Unable to write file."));
    EXPECT_FALSE(prompt.anyShownWithTitle(QStringLiteral("Export Successful!")));
}

TEST(ClipboardCopy, BothWindowsCopyWhatTheirListShows)
{
    {
        OutReports f;
        writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
        auto& w = f.openWindow();
        w.mnuCopyListtoClipboard->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text(),
                  QStringLiteral("Rec#\tCall\tRec\tCounty\tSnt\tDate/Time\tMo\tBnd\r\n"
                                 "1\tK1AB\t11\tAlameda\t1\t10/02 16:01\tCW\t20\r\n"
                                 "2\tK2AB\t12\tButte\t2\t10/02 16:02\tPH\t40\r\n"));
    }
    {
        InReports f;
        f.fx.state.prefs.RoverFlag = 1;
        contactlog::ContactRecord r;
        r.LogCall = QStringLiteral("W1AW");
        r.LogSPC = QStringLiteral("CT");
        r.LogCountySent = QStringLiteral("Alpine");
        r.LogSerialSent = QStringLiteral("1");
        r.LogSerialRcvd = QStringLiteral("7");
        r.LogDate = QStringLiteral("2021/10/02");
        r.LogTime = QStringLiteral("18:30:00");
        r.LogMode = QStringLiteral("CW");
        r.LogBand = QStringLiteral("15");
        writeBytes(f.fx.path(QStringLiteral("log.txt")), contactlog::formatContactLine(r));
        auto& w = f.openWindow();
        w.mnuCopyListtoClipboard->trigger();
        const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 3);  // headings, one row, and the end after the last CR LF
        EXPECT_EQ(lines[0].split(u'\t').size(), 10);
        EXPECT_EQ(lines[1], QStringLiteral("1\tW1AW\t7\tCT\t\t1\t10/02 18:30\tCW\t15\tAlpine"));
    }
}
