// Where the other station is, as the in-state window shows it while the
// operator types: the country of the call's prefix on every keystroke,
// continent, bearing and distance, country names completed in the
// state/province/country box, and the province of a Canadian call.

#include "app/in_state_fixture.h"

#include <QClipboard>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct Shown {
    QString box, continent, bearing, distance;
};

Shown shown(const MainWindowBase& w)
{
    return {w.txtCntry->text(), w.continentLabel->text(), w.bearingLabel->text(), w.distanceLabel->text()};
}

TEST(InStateWindowLookup, EveryKeystrokeLooksTheCallUp)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    f.type(QStringLiteral("4U1"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Not Found"));
    EXPECT_TRUE(w.continentLabel->text().isEmpty());
    EXPECT_TRUE(w.bearingLabel->text().isEmpty());
    f.type(QStringLiteral("U"));
    // From 38.5 N 121.5 W to 40.7 N 74.0 W.
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("United Nations HQ"));
    EXPECT_EQ(w.continentLabel->text(), QStringLiteral("NA"));
    EXPECT_EQ(w.bearingLabel->text(), QStringLiteral("71 "));
    EXPECT_EQ(w.distanceLabel->text(), QStringLiteral("2,500 "));
    // Selected, so that typing in the box replaces it; "New" until worked.
    EXPECT_EQ(w.txtCntry->selectedText(), QStringLiteral("United Nations HQ"));
    EXPECT_FALSE(w.newCountryLabel->isHidden());
    f.type(QStringLiteral("N"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("United Nations HQ"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("4U1UN"));
}

TEST(InStateWindowLookup, WhatEachKindOfCallShows)
{
    struct Case {
        const char* call;
        const char* box;
        const char* continent;
        bool bearingShown;
    };
    const Case cases[] = {
        {"W6ABC", "", "NA", false},             // USA: the operator types the state
        {"VE3ABC", "", "NA", false},            // Canada likewise
        {"KL7AA", "AK", "NA", true},            // Alaska and Hawaii as state codes
        {"KH6AA", "HI", "OC", true},
        {"ZZ1AA", "Not Found", "", false},
        {"JA1ABC", "Japan", "AS", true},
        {"JD1ABC", "Ogasawara", "AS", true},    // the longest prefix wins
        {"3D2AB", "Fiji", "OC", true},          // digits sort before the letters
        {"K6ABC/XE", "Mexico", "NA", true},     // home call / foreign prefix
        {"XE/DL1ABC", "Mexico", "NA", true},    // a long part after the slash: whole call
        {"DL1ABC/P", "Germany", "EU", true},    // one character after the slash: whole call
        {"KG4AB", "Guantanamo Bay", "NA", true},
        {"KG4A", "", "NA", true},               // KG4 of 4 or 6 characters: stateside
        {"KG4ABC", "", "NA", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        InStateFixture f;
        auto& w = f.openTimedOn();
        f.type(QString::fromLatin1(c.call));
        const Shown s = shown(w);
        EXPECT_EQ(s.box, QString::fromLatin1(c.box));
        EXPECT_EQ(s.continent, QString::fromLatin1(c.continent));
        EXPECT_EQ(!s.bearing.isEmpty(), c.bearingShown);
        EXPECT_EQ(!s.distance.isEmpty(), c.bearingShown);
        if (QString::fromLatin1(c.box) == QStringLiteral("Not Found"))
            EXPECT_TRUE(w.newCountryLabel->isHidden());
    }
}

TEST(InStateWindowLookup, KG4CallsOfTheMainlandShowTheFirstUsaPosition)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    f.type(QStringLiteral("KG4A"));
    EXPECT_EQ(w.bearingLabel->text(), QStringLiteral("71 "));
    EXPECT_EQ(w.distanceLabel->text(), QStringLiteral("2,500 "));
}

TEST(InStateWindowLookup, PastedCallsOfAnyLetterCaseOrCharacterStayInTheTable)
{
    const std::pair<const char*, const char*> cases[] = {
        {"xe1abc", "Mexico"},      // small letters, as pasted, still find their country
        {"dl1abc/p", "Germany"},
        {"~ABC", "Not Found"},     // beyond Z
        {"[X", "Not Found"},
        {"/", "Not Found"},
    };
    for (const auto& [pasted, box] : cases) {
        SCOPED_TRACE(pasted);
        InStateFixture f;
        auto& w = f.openTimedOn();
        QApplication::clipboard()->setText(QString::fromLatin1(pasted));
        w.txtCall->paste();
        if (w.txtCall->text().isEmpty())
            w.txtCall->insert(QString::fromLatin1(pasted));
        EXPECT_EQ(w.txtCntry->text(), QString::fromLatin1(box));
    }
    // Letters outside the Latin alphabet, and one character past Z.
    InStateFixture f;
    auto& w = f.openTimedOn();
    for (const QString& call : {QStringLiteral("\u00e91AB"), QStringLiteral("\u0416AB"), QStringLiteral("{")}) {
        w.txtCall->setText(call);
        EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Not Found"));
    }
}

TEST(InStateWindowLookup, SamePositionShowsNoBearingOrDistance)
{
    InStateFixture f;
    f.fx.state.prefs.MyLatitude = 40.7f;
    f.fx.state.prefs.MyLongitude = 74.0f;
    auto& w = f.openTimedOn();
    f.type(QStringLiteral("4U1U"));
    EXPECT_EQ(w.continentLabel->text(), QStringLiteral("NA"));
    EXPECT_TRUE(w.bearingLabel->text().isEmpty());
    EXPECT_TRUE(w.distanceLabel->text().isEmpty());
}

TEST(InStateWindowLookup, CountryNamesCompleteInTheStateBox)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    w.txtCntry->setFocus();
    // The empty box offers the party state, selected.
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("CA"));
    f.type(QStringLiteral("ja"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("JA"));
    EXPECT_TRUE(w.bearingLabel->text().isEmpty());
    f.type(QStringLiteral("p"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Japan"));
    EXPECT_EQ(w.txtCntry->selectedText(), QStringLiteral("an"));
    EXPECT_EQ(w.continentLabel->text(), QStringLiteral("AS"));
    EXPECT_FALSE(w.bearingLabel->text().isEmpty());
    EXPECT_FALSE(w.distanceLabel->text().isEmpty());
    f.type(QStringLiteral("a"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Japan"));
    EXPECT_EQ(w.txtCntry->selectedText(), QStringLiteral("n"));
    // Any other key at the start replaces the whole entry.
    w.txtCntry->setCursorPosition(0);
    f.type(QStringLiteral("n"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("N"));
    // A blank after one character is a character; after two it may end it.
    f.press(Qt::Key_Space);
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("N "));
}

TEST(InStateWindowLookup, BlankEndsTheStateAndTheCountyBoxIsForThePartyStateOnly)
{
    InStateFixture f;
    f.fx.state.prefs.VoiceNavLevel = 2;
    auto& w = f.openTimedOn();
    w.txtCntry->setFocus();
    f.type(QStringLiteral("ca"));
    f.press(Qt::Key_Space);
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("CA"));
    EXPECT_TRUE(w.txtSec->hasFocus());
    EXPECT_TRUE(w.lblStation[4]->isEnabled());

    w.txtCntry->setFocus();
    w.txtCntry->selectAll();
    f.type(QStringLiteral("tx"));
    f.services.promptsPlayed.clear();
    f.press(Qt::Key_Space);
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("TX"));
    EXPECT_TRUE(w.txtCall->hasFocus());
    EXPECT_FALSE(w.lblStation[4]->isEnabled());
    EXPECT_TRUE(f.services.promptsPlayed.contains(QStringLiteral("County")));
    // A state typed shows its own bearing and distance.
    EXPECT_EQ(w.continentLabel->text(), QStringLiteral("NA"));
    EXPECT_FALSE(w.bearingLabel->text().isEmpty());
    w.txtCntry->setText(QStringLiteral("ny"));
    EXPECT_EQ(w.bearingLabel->text(), QStringLiteral("71 "));
    EXPECT_EQ(w.distanceLabel->text(), QStringLiteral("2,500 "));
    // Two letters that are no state leave the labels as they were.
    w.txtCntry->setText(QStringLiteral("QQ"));
    EXPECT_EQ(w.bearingLabel->text(), QStringLiteral("71 "));
}

TEST(InStateWindowLookup, CanadianCallsGetTheirProvinceWhenTheCallIsLeft)
{
    const std::pair<const char*, const char*> cases[] = {
        {"VE3ABC", "ON"}, {"VY1AB", "NT"}, {"VE9XY", "MR"}, {"VE", ""}, {"W6AB", ""},
    };
    for (const auto& [call, code] : cases) {
        SCOPED_TRACE(call);
        InStateFixture f;
        auto& w = f.openTimedOn();
        f.type(QString::fromLatin1(call));
        f.press(Qt::Key_Space);
        EXPECT_TRUE(w.txtRSTR->hasFocus());
        EXPECT_EQ(w.txtCntry->text(), QString::fromLatin1(code));
        EXPECT_EQ(w.txtCntry->selectedText(), QString::fromLatin1(code));
    }
    // A box already filled from an earlier contact of the call (on another
    // band) keeps it.
    InStateFixture f;
    auto& w = f.openTimedOn();
    f.logIn(QStringLiteral("VE3ABC"), QStringLiteral("1"), QStringLiteral("QC"));
    ASSERT_EQ(f.contacts(), 1);
    w.onBand40Clicked();
    w.txtCall->setFocus();
    f.type(QStringLiteral("VE3ABC"));
    f.press(Qt::Key_Space);
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("QC"));
}

TEST(InStateWindowLookup, NewCountryMarkGoesOnceTheCountryIsWorked)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    f.type(QStringLiteral("JA1ABC"));
    EXPECT_FALSE(w.newCountryLabel->isHidden());
    f.press(Qt::Key_Space);
    f.type(QStringLiteral("5"));
    f.press(Qt::Key_Space);
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.record(1).LogSPC, QStringLiteral("Japan"));
    EXPECT_EQ(f.items(w.firstMultiplierList), QStringList{QStringLiteral("Japan")});
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("DX - 1"));
    // A DX country is no section: points, but no multiplier, so no score.
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("3"));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("0"));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("0"));
    f.type(QStringLiteral("JA2XYZ"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Japan"));
    EXPECT_TRUE(w.newCountryLabel->isHidden());
    w.txtCntry->setText(QStringLiteral("JAPAN"));
    EXPECT_TRUE(w.newCountryLabel->isHidden());
}

TEST(InStateWindowLookup, LongCountryNamesAreNeverCutAndOnlyTypingIsLimited)
{
    InStateFixture f;
    const QString name = QStringLiteral("Tristan da Cunha & Gough Islands");
    f.fx.state.countryPrefixes.rows.push_back({QStringLiteral("ZD9"), name, QStringLiteral("AF"), -12.3f, -37.1f});
    auto& w = f.openTimedOn();
    f.type(QStringLiteral("ZD9AA"));
    EXPECT_EQ(w.txtCntry->text(), name);
    f.press(Qt::Key_Space);
    f.type(QStringLiteral("5"));
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.record(1).LogSPC, name);
    EXPECT_EQ(f.items(w.firstMultiplierList), QStringList{name});

    // Completed from what is typed, in full.
    w.txtCntry->setFocus();
    f.type(QStringLiteral("tri"));
    EXPECT_EQ(w.txtCntry->text(), name);
    // Typed by hand, at most 30 characters.
    w.txtCntry->clear();
    f.type(QString(40, QLatin1Char('q')));
    EXPECT_EQ(w.txtCntry->text().size(), 30);
}

TEST(InStateWindowLookup, DimmedCountyHeadingShowsItsCaptionGrey)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    auto whitePixels = [](QWidget* widget) {
        const QImage image = widget->grab().toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(255, 255, 255))
                    ++n;
        return n;
    };
    w.txtCntry->setText(QStringLiteral("CA"));
    ASSERT_TRUE(w.lblStation[4]->isEnabled());
    EXPECT_GT(whitePixels(w.lblStation[4]), 0);
    w.txtCntry->setText(QStringLiteral("TX"));
    ASSERT_FALSE(w.lblStation[4]->isEnabled());
    EXPECT_EQ(whitePixels(w.lblStation[4]), 0);
}

}  // namespace
