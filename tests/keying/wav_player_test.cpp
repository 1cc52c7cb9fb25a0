// The wave player: which files it takes and how it decodes them, how long it
// reports them playing, and the shipped navigation prompts.

#include "voice_fixture.h"

#include <QDir>
#include <QThread>
#include <cmath>
#include <gtest/gtest.h>
#include <sndfile.h>

using namespace testing_support;
using platform::PlaybackEvent;
using platform::WavPlayer;

namespace {

/// A wave file built from its parts, for the damaged and unusual cases.
QByteArray waveWith(quint16 tag, quint16 channels, quint32 rate, quint16 bits, const QByteArray& data,
                    const QByteArray& extraChunk = {}, bool extensible = false, int blockAlign = -1,
                    const QByteArray& chunkAfterFormat = {})
{
    QByteArray b;
    auto u32 = [&b](quint32 v) { char c[4]; qToLittleEndian(v, c); b.append(c, 4); };
    auto u16 = [&b](quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); };
    const quint16 align = blockAlign >= 0 ? blockAlign : channels * bits / 8;
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
        u16(tag);  // the sub-format: the tag, then the rest of the standard GUID
        b.append(QByteArray("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14));
    }
    b.append(chunkAfterFormat);
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
    QByteArray unpadded("LIST");
    unpadded.append(QByteArray("\x05\0\0\0INFOa", 9));  // odd size, the pad byte left out
    const std::vector<WaveCase> cases = {
        {"pcm16", waveWith(1, 1, 8000, 16, oneSecond16), 1000},
        {"pcm8 stereo", waveWith(1, 2, 8000, 8, QByteArray(8000, '\x80')), 500},
        {"pcm24", waveWith(1, 1, 8000, 24, QByteArray(12000, '\0')), 500},
        {"float", waveWith(3, 1, 8000, 32, QByteArray(16000, '\0')), 500},
        {"extensible", waveWith(1, 2, 8000, 16, QByteArray(32000, '\0'), {}, true), 1000},
        {"chunk before fmt", waveWith(1, 1, 8000, 16, oneSecond16, oddChunk), 1000},
        {"half frame at the end", waveWith(1, 1, 8000, 16, QByteArray(16001, '\0')), 1000},
        {"u-law", waveWith(7, 1, 8000, 8, QByteArray(4000, '\xFF')), 500},
        {"A-law stereo", waveWith(6, 2, 8000, 8, QByteArray(8000, '\xD5')), 500},
        {"block alignment 0", waveWith(1, 1, 8000, 16, oneSecond16, {}, false, 0), 1000},
        {"odd chunk without its pad byte before fmt", waveWith(1, 1, 8000, 16, oneSecond16, unpadded), 1000},
        {"odd chunk without its pad byte before data",
         waveWith(1, 1, 8000, 16, oneSecond16, {}, false, -1, unpadded), 1000},
        {"empty data", waveWith(1, 1, 8000, 16, {}), -1},
        {"adpcm without blocks", waveWith(2, 1, 8000, 4, {}), -1},
        {"unknown encoding", waveWith(0x1234, 1, 8000, 8, QByteArray(100, '\0')), -1},
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

TEST(WavPlayerTest, DecodesEachEncodingOfARecorderToItsSoundAndLength)
{
    // 1.5 s of a 440 Hz tone in each encoding. Block codecs fill their last
    // block, so a file may play up to one block (at most 505 frames, 64 ms)
    // longer than what was written, never shorter.
    struct Encoding {
        const char* name;
        int format;
    };
    const std::vector<Encoding> encodings = {
        {"PCM 8-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_U8},  {"PCM 16-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {"PCM 24-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_24}, {"float", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {"extensible", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16}, {"u-law", SF_FORMAT_WAV | SF_FORMAT_ULAW},
        {"A-law", SF_FORMAT_WAV | SF_FORMAT_ALAW},       {"IMA ADPCM", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM},
        {"MS ADPCM", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM}, {"GSM 6.10", SF_FORMAT_WAV | SF_FORMAT_GSM610},
    };
    ProgramFolderFixture fx;
    for (const Encoding& e : encodings) {
        SCOPED_TRACE(e.name);
        const QString path = fx.path(QStringLiteral("message.wav"));
        QFile::remove(path);
        ASSERT_TRUE(writeEncodedWave(path, e.format, 12000));
        QString error;
        const auto wave = platform::readWaveFile(path, &error);
        ASSERT_TRUE(wave.has_value()) << error.toStdString();
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->sampleRate, 8000);
        EXPECT_GE(wave->frames(), 12000);
        EXPECT_LE(wave->frames(), 12000 + 505);
        EXPECT_EQ(wave->lengthNs(), wave->frames() * 125'000);

        // The tone itself comes out: its level and its pitch (two zero
        // crossings a cycle), over the frames that were written.
        const auto* samples = reinterpret_cast<const qint16*>(wave->samples.constData());
        double energy = 0;
        int crossings = 0;
        for (int i = 1; i < 12000; ++i) {
            energy += double(samples[i]) * samples[i];
            if ((samples[i - 1] < 0) != (samples[i] < 0))
                ++crossings;
        }
        const double rms = std::sqrt(energy / 11999);
        EXPECT_GT(rms, 16384 / std::sqrt(2.0) * 0.7);
        EXPECT_LT(rms, 16384 / std::sqrt(2.0) * 1.3);
        EXPECT_NEAR(crossings, 2 * 440 * 1.5, 40);

        WavPlayer player;
        player.setSilent(true);
        ASSERT_TRUE(player.open(path));
        EXPECT_EQ(player.lengthMs(), wave->lengthNs() / 1'000'000);
    }
}

TEST(WavPlayerTest, CompandedSamplesDecodeToTheirStandardValues)
{
    // G.711: u-law 0xFF and 0x7F are 0, 0x80 and 0x00 full scale at
    // +/-32124; A-law 0xD5 and 0x55 are +/-8, 0xAA and 0x2A +/-32256.
    ProgramFolderFixture fx;
    struct Case {
        quint16 tag;
        QByteArray bytes;
        std::vector<qint16> samples;
    };
    const std::vector<Case> cases = {
        {7, QByteArray("\xFF\x7F\x80\x00", 4), {0, 0, 32124, -32124}},
        {6, QByteArray("\xD5\x55\xAA\x2A", 4), {8, -8, 32256, -32256}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        const QString path = fx.path(QStringLiteral("g711.wav"));
        writeBytes(path, waveWith(c.tag, 1, 8000, 8, c.bytes.repeated(500)));
        const auto wave = platform::readWaveFile(path);
        ASSERT_TRUE(wave.has_value());
        ASSERT_EQ(wave->frames(), 2000);
        const auto* samples = reinterpret_cast<const qint16*>(wave->samples.constData());
        for (std::size_t i = 0; i < 2000; ++i)
            ASSERT_EQ(samples[i], c.samples[i % 4]) << "frame " << i;
    }
}

TEST(WavPlayerTest, DamagedEncodedFilesAreRefusedWithAReason)
{
    ProgramFolderFixture fx;
    const QString path = fx.path(QStringLiteral("gsm.wav"));
    ASSERT_TRUE(writeEncodedWave(path, SF_FORMAT_WAV | SF_FORMAT_GSM610, 8000));
    const QByteArray whole = readBytes(path);
    // Cut inside the header, and with the format chunk spoilt.
    QByteArray noChannels = whole;
    noChannels[22] = 0;
    noChannels[23] = 0;
    for (const QByteArray& bytes : {whole.left(30), noChannels}) {
        writeBytes(path, bytes);
        WavPlayer player;
        player.setSilent(true);
        EXPECT_FALSE(player.open(path));
        EXPECT_FALSE(player.errorText().isEmpty());
        player.play();
        EXPECT_EQ(player.mode(), WavPlayer::ModeNotOpen);
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
        EXPECT_EQ(wave->channels, 1);
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

TEST(WavPlayerTest, AChunkThatClaimsToRunPastTheEndIsRefusedAtOnce)
{
    // A list chunk whose size runs far past the end of the file: the file
    // was cut short or damaged, and is refused before decoding, with the
    // reason.
    ProgramFolderFixture fx;
    const QString path = fx.path(QStringLiteral("list.wav"));
    QByteArray bytes("RIFF\x7c\x02\x00\x00WAVELIST\x5b\x00\x4e\x46", 20);
    bytes += QByteArray(180, '\xff');
    writeBytes(path, bytes);
    WavPlayer player;
    player.setSilent(true);
    EXPECT_FALSE(player.open(path));
    EXPECT_TRUE(player.errorText().contains(QStringLiteral("\"LIST\" chunk"))) << player.errorText().toStdString();
}
