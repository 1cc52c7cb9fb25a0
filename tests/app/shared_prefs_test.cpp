#include "app/shared_prefs.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testing_support;

TEST(SharedPrefs, FirstRunWritesDeclarationAndKeysInOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SharedUserPreferences.xml"));
    app::SharedPrefs prefs;
    app::LoadPreferences(prefs, path);
    EXPECT_EQ(prefs.SharedPrefsText, app::sharedPrefsDeclaration());

    QString key = QStringLiteral("own_call");
    EXPECT_FALSE(app::SetPreference(prefs, key, QStringLiteral("K6AA"), 0).has_value());
    EXPECT_EQ(key, QStringLiteral("OWN_CALL"));  // upper-cased in place
    QString key2 = QStringLiteral("OWN_SPC");
    const auto written = app::SetPreference(prefs, key2, QStringLiteral("A&B<C"), 1);
    ASSERT_TRUE(written && written->ok);
    EXPECT_EQ(readBytes(path),
              QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>K6AA</OWN_CALL>\r\n"
                         "<OWN_SPC>A&B<C</OWN_SPC>\r\n"));

    // Setting a key again changes only its value and keeps its place.
    QString again = QStringLiteral("OWN_CALL");
    app::SetPreference(prefs, again, QStringLiteral("W6BB"), 1);
    EXPECT_EQ(readBytes(path),
              QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>W6BB</OWN_CALL>\r\n"
                         "<OWN_SPC>A&B<C</OWN_SPC>\r\n"));
}

TEST(SharedPrefs, OtherProgramsElementsSurviveAndRoundTripIsExact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SharedUserPreferences.xml"));
    const QByteArray original =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OTHER>1</OTHER>\r\n<OWN_CALL>K6AA</OWN_CALL>\r\n\r\n<LAST>x</LAST>\r\n";
    writeBytes(path, original);
    app::SharedPrefs prefs;
    app::LoadPreferences(prefs, path);
    ASSERT_TRUE(app::SavePreferences(prefs, path).ok);
    EXPECT_EQ(readBytes(path), original);

    QString key = QStringLiteral("OWN_CALL");
    app::SetPreference(prefs, key, QStringLiteral("N6CC"), 1);
    EXPECT_EQ(readBytes(path), QByteArray(original).replace("K6AA", "N6CC"));
}

TEST(SharedPrefs, FileOfAnotherProgramWithoutFinalLineBreakKeepsItsLastElement)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SharedUserPreferences.xml"));
    writeBytes(path, "<?xml version=\"1.0\"?>\n<THEIRS>abc</THEIRS>");
    app::SharedPrefs prefs;
    app::LoadPreferences(prefs, path);
    EXPECT_TRUE(prefs.SharedPrefsText.endsWith(QStringLiteral("<THEIRS>abc</THEIRS>")));
}

TEST(SharedPrefs, MissingClosingTagIsReplacedOnlyToTheEndOfItsLine)
{
    app::SharedPrefs prefs;
    prefs.SharedPrefsText = QStringLiteral("<?xml?>\r\n<OWN_CALL>K6AA\r\n<OTHER>1</OTHER>\r\n<X></OWN_CALL>");
    QString key = QStringLiteral("OWN_CALL");
    app::SetPreference(prefs, key, QStringLiteral("W1AW"), 0);
    EXPECT_EQ(prefs.SharedPrefsText,
              QStringLiteral("<?xml?>\r\n<OWN_CALL>W1AW</OWN_CALL>\r\n<OTHER>1</OTHER>\r\n<X></OWN_CALL>"));
}

TEST(SharedPrefs, AValueNeverBringsAControlCharacterIntoTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SharedUserPreferences.xml"));
    app::SharedPrefs prefs;
    app::LoadPreferences(prefs, path);
    QString call = QStringLiteral("OWN_CALL");
    app::SetPreference(prefs, call, QStringLiteral("n6\r\nab\tc"), 0);
    QString name = QStringLiteral("OWN_ADDRESS_NAME");
    ASSERT_TRUE(app::SetPreference(prefs, name, QStringLiteral("A&B <C>\u0085\u2028\u007f"), 1)->ok);
    // Values otherwise as given: no case change, nothing escaped.
    const QByteArray expected = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>n6abc</OWN_CALL>\r\n"
                                "<OWN_ADDRESS_NAME>A&B <C></OWN_ADDRESS_NAME>\r\n";
    EXPECT_EQ(readBytes(path), expected);
    // Set again, the element is found and replaced in place.
    app::SetPreference(prefs, call, QStringLiteral("w1aw\n"), 1);
    EXPECT_EQ(readBytes(path), QByteArray(expected).replace("n6abc", "w1aw"));
}
