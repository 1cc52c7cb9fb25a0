#include "log/instate_score.h"
#include "log/log_test_helpers.h"
#include "reports/edit_contact_rules.h"
#include "reports/log_date_time.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using logtest::contact;

TEST(LogDateTime, WhatReadsAsADateOrATime)
{
    for (const char* good : {"2021/10/02", "2021/1/2", "10/2/2021", " 2021-10-02 "})
        EXPECT_TRUE(reports::readLogDate(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "2021/13/02", "2021/02/30", "20211002", "10/2/21", "2021//02", "abc"})
        EXPECT_FALSE(reports::readLogDate(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(reports::logDateText(*reports::readLogDate(QStringLiteral("10/2/2021"))), QStringLiteral("2021/10/02"));

    for (const char* good : {"16:02:41", "16:02", "9:5", "0:00:00", "23:59:59"})
        EXPECT_TRUE(reports::readLogTime(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "24:00", "12:60", "1602", "12:00:60", "12:", ":30"})
        EXPECT_FALSE(reports::readLogTime(QString::fromLatin1(bad))) << bad;
    // The log's own forms stay; other readable times become hh:mm:ss.
    EXPECT_EQ(reports::logTimeText(QStringLiteral("16:02")), QStringLiteral("16:02"));
    EXPECT_EQ(reports::logTimeText(QStringLiteral("16:02:41")), QStringLiteral("16:02:41"));
    EXPECT_EQ(reports::logTimeText(QStringLiteral("9:5")), QStringLiteral("09:05:00"));
}

TEST(EditRules, BandsModesAndSpc)
{
    for (const char* b : {"160", "80", "40", "20", "15", "10", "6", "2"})
        EXPECT_TRUE(reports::isEditBand(QString::fromLatin1(b))) << b;
    for (const char* b : {"", "30", "12", "20m", " 20"})
        EXPECT_FALSE(reports::isEditBand(QString::fromLatin1(b))) << b;
    EXPECT_TRUE(reports::isEditMode(QStringLiteral("ph")));
    EXPECT_FALSE(reports::isEditMode(QStringLiteral("SSB")));

    const auto& abbrevs = contactlog::StateProvAbbrevs();
    EXPECT_TRUE(reports::isEditSpc(QStringLiteral("CA"), abbrevs));
    EXPECT_TRUE(reports::isEditSpc(QStringLiteral("on"), abbrevs));
    EXPECT_TRUE(reports::isEditSpc(QStringLiteral("Atlantis"), abbrevs));
    EXPECT_FALSE(reports::isEditSpc(QString(), abbrevs));
    EXPECT_FALSE(reports::isEditSpc(QStringLiteral("XX"), abbrevs));
}

TEST(EditRules, DuplicatesSkipTheEditedRecordAndIgnoreCase)
{
    auto log = logtest::logOf({contact("K6AA", "1"), contact("N6BB", "2"), contact("k6aa", "3", "cw", "20", "alameda"),
                               contact("K6AA", "4", "PH")});
    reports::EditDupeKey key{QStringLiteral("K6AA"), QStringLiteral("20"), QStringLiteral("CW"),
                             QStringLiteral("ALAMEDA")};
    EXPECT_EQ(reports::editDuplicates(log, 1, key), std::vector<int>({3}));
    EXPECT_EQ(reports::editDuplicates(log, 2, key), std::vector<int>({1, 3}));
    EXPECT_EQ(reports::editDuplicates(log, 3, key), std::vector<int>({1}));
    // A trailing blank makes another call.
    key.call = QStringLiteral("K6AA ");
    EXPECT_TRUE(reports::editDuplicates(log, 2, key).empty());
    // In state the own county counts too.
    key.call = QStringLiteral("K6AA");
    key.withCountySent = true;
    key.countySent = QStringLiteral("BUTTE");
    EXPECT_TRUE(reports::editDuplicates(log, 2, key).empty());
    EXPECT_TRUE(reports::editDuplicates(logtest::logOf({contact("K6AA", "1")}), 1, key).empty());
}

TEST(EditRules, CountyCompletion)
{
    const std::vector<QString> names = {"Alameda", "Alpine", "San Benito", "San Diego", "Sierra"};
    int key = 's';
    auto e = reports::completeCounty(names, QString(), 0, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(e.text, QStringLiteral("Sierra"));  // the last name beginning with "S"
    EXPECT_EQ(e.selectionStart, 1);
    EXPECT_EQ(e.selectionLength, 5);
    key = 'a';
    e = reports::completeCounty(names, QStringLiteral("Sierra"), 1, key);
    EXPECT_EQ(e.text, QStringLiteral("San Diego"));
    // After an inner blank the letter is upper-cased.
    key = 'b';
    e = reports::completeCounty(names, QStringLiteral("San Diego"), 4, key);
    EXPECT_EQ(e.text, QStringLiteral("San Benito"));
    // No name fits: typed as is.
    key = 'x';
    e = reports::completeCounty(names, QStringLiteral("Al"), 2, key);
    EXPECT_FALSE(e.replaceText);
    EXPECT_EQ(key, 'x');
    // At the start a letter replaces the whole entry; a blank does not.
    key = 'a';
    e = reports::completeCounty(names, QStringLiteral("Sierra"), 0, key);
    EXPECT_EQ(e.text, QStringLiteral("Alpine"));
    key = ' ';
    e = reports::completeCounty(names, QStringLiteral("Sierra"), 0, key);
    EXPECT_FALSE(e.replaceText);
    EXPECT_EQ(key, ' ');
    // Backspace at the start empties the box.
    key = 8;
    e = reports::completeCounty(names, QStringLiteral("Sierra"), 0, key);
    EXPECT_TRUE(e.replaceText);
    EXPECT_EQ(e.text, QString());
}

TEST(EditRules, CountryCompletion)
{
    const std::vector<QString> names = {"Canada", "Cayman Islands", "Chile", "Canada", "Germany"};
    int key = 'c';
    auto e = reports::completeCountry(names, QString(), 0, key);
    EXPECT_EQ(e.text, QStringLiteral("Canada"));  // the last row beginning with "C"
    EXPECT_EQ(e.selectionStart, 1);
    key = 'a';
    e = reports::completeCountry(names, QStringLiteral("Canada"), 1, key);
    EXPECT_EQ(e.text, QStringLiteral("Canada"));
    key = 'y';
    e = reports::completeCountry(names, QStringLiteral("Canada"), 2, key);
    EXPECT_EQ(e.text, QStringLiteral("Cayman Islands"));  // typed letters keep their case
    // A blank at the start empties the box and is typed.
    key = ' ';
    e = reports::completeCountry(names, QStringLiteral("Chile"), 0, key);
    EXPECT_TRUE(e.replaceText);
    EXPECT_EQ(e.text, QString());
    EXPECT_EQ(key, ' ');
}
