// The wave player: which files it takes, how long it reports them playing,
// and the shipped navigation prompts.

#include "voice_fixture.h"

#include <QDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace testing_support;
using platform::PlaybackEvent;
using platform::WavPlayer;

namespace {

/// A wave file built from its parts, for the damaged and unusual cases.
QByteArray waveWith(quint16 tag, quint16 channels, quint32 rate, quint16 bits, const QByteArray& data,
                    const QByteArray& extraChunk = {}, bool extensible = false)
{
    QByteArray b;
    auto u32 = [&b](quint32 v) { char c[4]; qToLittleEndian(v, c); b.append(c, 4); };
    auto u16 = [&b](quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); };
    const quint16 align = channels * bits / 8;
    b.append("RIFF");
    u32(0);
    b.append("WAVE");
    b.append(extraChunk);
    b.append("fmt ");
    u32(extensible ? 40 : 16);
    u16(extensible ? 0xFFFE : tag);
    u16(channels);
    u32(rate);
    u32(rate * align);
    u16(align);
    u16(bits);
    if (extensible) {
        u16(22);
        u16(bits);
        u32(0);
        u16(tag);
        b.append(QByteArray(14, '\x01'));
    }
    b.append("data");
    u32(static_cast<quint32>(data.size()));
    b.append(data);
    return b;
}

struct WaveCase {
    const char* name;
    QByteArray bytes;
    qint64 lengthMs;  ///< -1: the file must be refused
};

}  // namespace

TEST(WavPlayerTest, ReadsTheWaveFormatsARecorderWritesAndRefusesTheRest)
{
    ProgramFolderFixture fx;
    const QByteArray oneSecond16(16000, '\0');  // 8 kHz mono 16-bit
    QByteArray oddChunk("LIST");
    oddChunk.append(QByteArray("\x03\0\0\0abc\0", 8));  // odd size, padded
    const std::vector<WaveCase> cases = {
        {"pcm16", waveWith(1, 1, 8000, 16, oneSecond16), 1000},
        {"pcm8 stereo", waveWith(1, 2, 8000, 8, QByteArray(8000, '\x80')), 500},
        {"pcm24", waveWith(1, 1, 8000, 24, QByteArray(12000, '\0')), 500},
        {"float", waveWith(3, 1, 8000, 32, QByteArray(16000, '\0')), 500},
        {"extensible", waveWith(1, 2, 8000, 16, QByteArray(32000, '\0'), {}, true), 1000},
        {"chunk before fmt", waveWith(1, 1, 8000, 16, oneSecond16, oddChunk), 1000},
        {"half frame at the end", waveWith(1, 1, 8000, 16, QByteArray(16001, '\0')), 1000},
        {"empty data", waveWith(1, 1, 8000, 16, {}), 0},
        {"adpcm", waveWith(2, 1, 8000, 4, QByteArray(100, '\0')), -1},
        {"not riff", QByteArray("RIFX\0\0\0\0WAVE", 12), -1},
        {"text file", QByteArray("\"Call\"\r\n"), -1},
        {"empty file", QByteArray(), -1},
        {"no data chunk", waveWith(1, 1, 8000, 16, {}).left(36), -1},
        {"zero channels", waveWith(1, 0, 8000, 16, oneSecond16), -1},
    };
    for (const WaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = fx.path(QStringLiteral("case.wav"));
        writeBytes(path, c.bytes);
        WavPlayer player;
        player.setSilent(true);
        const bool opened = player.open(path);
        EXPECT_EQ(opened, c.lengthMs >= 0);
        if (opened) {
            EXPECT_EQ(player.lengthMs(), c.lengthMs);
            EXPECT_EQ(player.mode(), WavPlayer::ModeStopped);
        } else {
            EXPECT_EQ(player.mode(), WavPlayer::ModeNotOpen);
            EXPECT_FALSE(player.errorText().isEmpty());
        }
    }
}

TEST(WavPlayerTest, ReportsPlayingForTheFilesLengthWithoutAnEventLoop)
{
    ProgramFolderFixture fx;
    writeBytes(fx.path(QStringLiteral("m.wav")), silenceWave(150));
    platform::PlaybackRecorder rec;
    WavPlayer player;
    player.setSilent(true);
    player.setRecorder(&rec);
    ASSERT_TRUE(player.open(fx.path(QStringLiteral("m.wav"))));
    player.play();
    EXPECT_EQ(player.mode(), WavPlayer::ModePlaying);
    const std::int64_t start = platform::monotonicNs();
    while (player.isPlaying() && platform::monotonicNs() - start < 2'000'000'000)
        QThread::msleep(1);
    const double elapsed = ms(platform::monotonicNs() - rec.played().at(0).monotonicNs);
    EXPECT_GE(elapsed, 150.0);
    EXPECT_LT(elapsed, 250.0);
    EXPECT_EQ(player.mode(), WavPlayer::ModeStopped);

    // Played again from the start; stop and close end it at once.
    player.play();
    EXPECT_TRUE(player.isPlaying());
    player.stop();
    EXPECT_EQ(player.mode(), WavPlayer::ModeStopped);
    player.play();
    player.close();
    EXPECT_EQ(player.mode(), WavPlayer::ModeNotOpen);
    player.play();  // nothing open: nothing happens
    EXPECT_EQ(player.mode(), WavPlayer::ModeNotOpen);

    std::vector<PlaybackEvent::Kind> kinds;
    for (const auto& e : rec.events())
        kinds.push_back(e.kind);
    using K = PlaybackEvent::Kind;
    EXPECT_EQ(kinds, (std::vector<K>{K::Opened, K::Played, K::Played, K::Stopped, K::Played, K::Closed}));
    EXPECT_EQ(rec.played().at(0).lengthNs, 150'000'000);
}

TEST(WavPlayerTest, AFileThatCannotBeOpenedNeverPlays)
{
    ProgramFolderFixture fx;
    WavPlayer player;
    player.setSilent(true);
    EXPECT_FALSE(player.open(fx.path(QStringLiteral("missing.wav"))));
    player.play();
    EXPECT_EQ(player.mode(), WavPlayer::ModeNotOpen);

    // A name that cannot be read as a file, whatever the rights.
    QDir(fx.path(QString())).mkdir(QStringLiteral("folder.wav"));
    EXPECT_FALSE(player.open(fx.path(QStringLiteral("folder.wav"))));
    EXPECT_EQ(player.mode(), WavPlayer::ModeNotOpen);
}

TEST(WavPlayerTest, EachShippedNavigationPromptIsAWaveFileThatPlays)
{
    for (const char* name : {"Call", "SerNum", "RstSnt", "County", "SPC", "Dupe", "NavEn", "NavDis"}) {
        SCOPED_TRACE(name);
        const QString path = sourceDir() + QStringLiteral("/data/") + QLatin1String(name) + QStringLiteral(".wav");
        ASSERT_TRUE(QFile::exists(path));
        QString error;
        const auto wave = platform::readWaveFile(path, &error);
        ASSERT_TRUE(wave.has_value()) << error.toStdString();
        EXPECT_EQ(wave->formatTag, 1);
        // A spoken word or phrase: long enough to hear, short enough not to
        // hold up the operator.
        EXPECT_GT(wave->lengthNs(), 300'000'000);
        EXPECT_LT(wave->lengthNs(), 4'000'000'000);
        WavPlayer player;
        player.setSilent(true);
        ASSERT_TRUE(player.open(path));
        player.play();
        EXPECT_EQ(player.mode(), WavPlayer::ModePlaying);
    }
}
