// The in-state main window: what its loading builds, the grid of states and
// provinces, and a contact through its entry row.

#include "app/main_window_fixture.h"

#include <QAction>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QStringList headersOf(MainWindowBase& w)
{
    QStringList headers;
    for (int i = 0; i < w.contactList().columnCount(); ++i)
        headers << w.contactList().headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    return headers;
}

class InStateFixture : public MainWindowFixture {
public:
    InStateFixture() { fx.state.prefs.OutOfStateFlag = 0; }
    InStateWindow& in() { return static_cast<InStateWindow&>(*window); }
};

TEST(InStateWindowLoad, BuildsTheGridColumnsAndLabels)
{
    InStateFixture f;
    auto& w = f.open();
    auto& in = f.in();
    EXPECT_EQ(headersOf(w), QStringList({"Rec#", "Call", "Rec", "SPC", "County", "Snt", "Date/Time", "Mo", "Bnd"}));
    EXPECT_FALSE(w.mnuChangeCounty->isEnabled());
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Select a band, mode and Click Log \"Time On\"!"));
    EXPECT_EQ(w.lblStation[4]->text(), QStringLiteral("CA County"));
    EXPECT_EQ(w.txtSec->toolTip(),
              QStringLiteral("Enter CA in the St / Prv / Country field to enable the County field"));
    EXPECT_EQ(w.ownLocationLabel->text(), QStringLiteral("Alameda"));
    EXPECT_EQ(f.fx.state.log.OperatorCountyText, QStringLiteral("Alameda"));
    EXPECT_FLOAT_EQ(in.StateProvCount, 58);
    EXPECT_EQ(in.sectionGrid[1]->text(), QStringLiteral("CT"));
    EXPECT_EQ(in.sectionGrid[51]->text(), QStringLiteral("MR"));
    EXPECT_EQ(in.sectionGrid[51]->toolTip(), QStringLiteral("NB, NL, NS, PE"));
    EXPECT_EQ(in.sectionGrid[58]->toolTip(), QStringLiteral("Northern Territories"));
    for (int i = 59; i <= 64; ++i) {
        EXPECT_TRUE(in.sectionGrid[static_cast<std::size_t>(i)]->isHidden());
        EXPECT_EQ(in.sectionGrid[static_cast<std::size_t>(i)]->text(), QStringLiteral("WWW"));
    }
    EXPECT_EQ(in.gridHeadings.size(), 11u);
    EXPECT_EQ(in.countiesToGoList->count(), 58);
    EXPECT_EQ(w.lblStation[7]->text(), QStringLiteral("Cnty Rem - 58"));
    EXPECT_FALSE(w.txtCntry->isHidden());
    EXPECT_EQ(w.mnuDigital->text(), QStringLiteral("&DG"));
}

TEST(InStateWindowLoad, RoverGetsTheCountySentColumn)
{
    InStateFixture f;
    f.fx.state.prefs.RoverFlag = 1;
    auto& w = f.open();
    EXPECT_EQ(headersOf(w).size(), 10);
    EXPECT_EQ(headersOf(w).back(), QStringLiteral("County Sent"));
    EXPECT_TRUE(w.mnuChangeCounty->isEnabled());
}

TEST(InStateWindowLoad, OutOfStateRunNeverBuildsTheTable)
{
    MainWindowFixture f;
    auto& w = f.open();
    EXPECT_EQ(w.mnuChangeCounty, nullptr);
    EXPECT_EQ(w.mnuDigital->text(), QStringLiteral("&Digital"));
}

TEST(InStateWindow, WorkedSectionsTakeTheWorkedColourAndTheGridCountsThem)
{
    InStateFixture f;
    contactlog::ContactRecord r;
    r.LogCall = QStringLiteral("W5XX");
    r.LogSPC = QStringLiteral("TX");
    r.LogSerialSent = QStringLiteral("001");
    r.LogDate = QStringLiteral("2021/10/02");
    r.LogTime = QStringLiteral("15:00:00");
    r.LogMode = QStringLiteral("CW");
    r.LogBand = QStringLiteral("20");
    r.LogSerialRcvd = QStringLiteral("3");
    r.LogCountySent = QStringLiteral("Alameda");
    writeBytes(f.fx.path(QStringLiteral("log.txt")), contactlog::formatContactLine(r));
    auto& w = f.open();
    auto& in = f.in();
    const int tx = 24;
    EXPECT_EQ(in.sectionGrid[tx]->text(), QStringLiteral("TX"));
    EXPECT_EQ(in.sectionGrid[tx]->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(in.sectionGrid[1]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("3"));
    // Hovering shows the count, clicking fills the box.
    QTest::mouseMove(in.sectionGrid[tx]);
    EXPECT_EQ(w.lblDupe->text(), QStringLiteral("  Texas    Total = 1"));
    QTest::mouseClick(in.sectionGrid[tx], Qt::LeftButton);
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("TX"));
}

TEST(InStateWindow, ContactFromTheEntryRowIsLoggedWithSectionAndOwnCounty)
{
    InStateFixture f;
    auto& w = f.open();
    f.type(QStringLiteral("w5xx3"));
    EXPECT_EQ(w.txtRSTR->text(), QStringLiteral("3"));
    f.type(QStringLiteral("tx"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("TX"));
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    const auto& r = f.fx.state.log.contacts.record(1);
    EXPECT_EQ(r.LogSPC, QStringLiteral("TX"));
    EXPECT_EQ(r.LogCountySent, QStringLiteral("Alameda"));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));
    EXPECT_EQ(f.cell(0, 3), QStringLiteral("TX"));
}

TEST(InStateWindow, CountyBoxTakesTheFocusOnlyForThePartyState)
{
    InStateFixture f;
    auto& w = f.open();
    w.txtCntry->setText(QStringLiteral("TX"));
    w.txtSec->setFocus();
    EXPECT_TRUE(w.txtCall->hasFocus());
    EXPECT_FALSE(w.lblStation[4]->isEnabled());
    w.txtCntry->setText(QStringLiteral("ca"));
    EXPECT_TRUE(w.lblStation[4]->isEnabled());
    w.txtSec->setFocus();
    EXPECT_TRUE(w.txtSec->hasFocus());
}

}  // namespace
