#include "keying/keyer_settings.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {
QByteArray cwFile(const QByteArray& keyingOption)
{
    QByteArray bytes;
    for (int i = 1; i <= 9; ++i)
        bytes += "\"CQ " + QByteArray::number(i) + "\"\r\n";
    bytes += "\"0\"\r\n\"20\"\r\n\"TU\"\r\n\"QRZ\"\r\n\"0\"\r\n" + keyingOption + "\r\n\"&H378\"\r\n1\r\n\"2.5\"\r\n";
    return bytes;
}
}  // namespace

// The keying interface is a byte: a number that does not fit is refused
// where it stands, like a value that does not convert.
TEST(CwSettingsFile, AKeyingOptionOutsideAByteIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cw.txt"));
    for (const char* bad : {"3e9", "-1", "256", "1e300"}) {
        SCOPED_TRACE(bad);
        writeBytes(path, cwFile(bad));
        keying::CwWindowSettings s;
        int option = 7;
        EXPECT_EQ(keying::LoadCWSettings(path, s, option), 14);
        EXPECT_EQ(option, 7);
        EXPECT_EQ(s.txtCWLoop, QStringLiteral("0"));  // the rest keeps its defaults
    }
    writeBytes(path, cwFile("5"));
    keying::CwWindowSettings s;
    int option = 0;
    EXPECT_EQ(keying::LoadCWSettings(path, s, option), 18);
    EXPECT_EQ(option, 5);
    EXPECT_EQ(s.repeatIntervalMs, 2500);
}
