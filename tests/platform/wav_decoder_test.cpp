// The wave file decoder and what files carry besides their sound: lists of
// text, cue points and the like, written by editors and recorders, and
// damaged ones that must not hold up the program.

#include "platform/wav_decoder.h"
#include "support/test_support.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <vector>

using namespace testing_support;

namespace {

QByteArray size32(quint32 v, bool bigEndian = false)
{
    char c[4];
    if (bigEndian)
        qToBigEndian(v, c);
    else
        qToLittleEndian(v, c);
    return QByteArray(c, 4);
}

/// A chunk: its name, its size (the content's, unless given) and its
/// content, with the pad byte after odd content.
QByteArray chunk(const char* name, const QByteArray& content, bool bigEndian = false, qint64 size = -1)
{
    QByteArray b(name, 4);
    b += size32(size >= 0 ? static_cast<quint32>(size) : static_cast<quint32>(content.size()), bigEndian);
    b += content;
    if (content.size() % 2)
        b += '\0';
    return b;
}

QByteArray riff(const QByteArray& chunks, const char* magic = "RIFF", bool bigEndian = false)
{
    return QByteArray(magic, 4) + size32(static_cast<quint32>(4 + chunks.size()), bigEndian) + "WAVE" + chunks;
}

/// The format of 16-bit mono PCM at 8 kHz.
QByteArray pcmFormat(bool bigEndian = false)
{
    QByteArray f;
    auto u16 = [&](quint16 v) {
        char c[2];
        if (bigEndian)
            qToBigEndian(v, c);
        else
            qToLittleEndian(v, c);
        f.append(c, 2);
    };
    u16(1);
    u16(1);
    f += size32(8000, bigEndian);
    f += size32(16000, bigEndian);
    u16(2);
    u16(16);
    return f;
}

/// 100 frames of a ramp, as 16-bit samples in the given byte order.
QByteArray ramp(bool bigEndian = false)
{
    QByteArray b;
    for (int i = 0; i < 100; ++i) {
        char c[2];
        const auto v = static_cast<qint16>(i * 300 - 15000);
        if (bigEndian)
            qToBigEndian(v, c);
        else
            qToLittleEndian(v, c);
        b.append(c, 2);
    }
    return b;
}

/// The ramp as the decoder hands it out: samples in host order.
QByteArray rampSamples()
{
    QByteArray b;
    for (int i = 0; i < 100; ++i) {
        const auto v = static_cast<qint16>(i * 300 - 15000);
        b.append(reinterpret_cast<const char*>(&v), 2);
    }
    return b;
}

/// A list whose one part (an unknown text field after the list's type)
/// claims 2^32 - 8 bytes: read as a 32-bit step, that goes 8 bytes back, to
/// the part's own name.
QByteArray listSteppingBack(const char* type = "INFO", bool bigEndian = false)
{
    return QByteArray(type, 4) + "IKEY" + size32(0xFFFFFFF8u, bigEndian) + "abcd";
}

/// An RF64 file: a ds64 chunk with the sound's length, the format, and the
/// sound chunk whose own size says "see ds64".
QByteArray rf64(const QByteArray& beforeSound, const QByteArray& afterSound)
{
    QByteArray ds64;
    auto u64 = [&](quint64 v) {
        char c[8];
        qToLittleEndian(v, c);
        ds64.append(c, 8);
    };
    u64(0);
    u64(static_cast<quint64>(ramp().size()));
    u64(100);
    ds64 += size32(0);
    const QByteArray chunks = chunk("ds64", ds64) + chunk("fmt ", pcmFormat()) + beforeSound + QByteArray("data", 4) +
                              size32(0xFFFFFFFFu) + ramp() + afterSound;
    return QByteArray("RF64", 4) + size32(0xFFFFFFFFu) + "WAVE" + chunks;
}

/// Writes a tone with libsndfile's own writer, with or without the text
/// fields an editor stores (title, artist, software, comment).
QByteArray writtenByLibsndfile(const QString& path, int format, bool withText)
{
    QFile::remove(path);
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = format;
    SNDFILE* f = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!f)
        return {};
    if (withText) {
        sf_set_string(f, SF_STR_TITLE, "CQ Zivudaduri");
        sf_set_string(f, SF_STR_ARTIST, "N6ABC");
        sf_set_string(f, SF_STR_SOFTWARE, "Audacity 3.4.2");
        sf_set_string(f, SF_STR_COMMENT, "F1 message, recorded Friday");
    }
    std::vector<short> tone(4000);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<short>(std::lround(16384.0 * std::sin(2.0 * M_PI * 440.0 * double(i) / 8000.0)));
    sf_writef_short(f, tone.data(), static_cast<sf_count_t>(tone.size()));
    sf_close(f);
    return readBytes(path);
}

}  // namespace

TEST(WavDecoderTest, AListPartWhoseSizeStepsBackNeitherHoldsUpDecodingNorHidesTheSound)
{
    // A part of a list whose size, added up in 32 bits, steps back instead
    // of forward: the decoder's walk of the list read the same bytes over
    // and over, and the voice keyer froze while PTT was about to go up.
    // Files without sound around such a list are refused with a reason;
    // where the format and the sound are whole, they play.
    ProgramFolderFixture fx;
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const QByteArray found = readBytes(sourceDir() + QStringLiteral("/fuzz/corpus/wave_file/list_part_size_stepping_back.wav"));
    ASSERT_EQ(found.size(), 114);
    const std::vector<Case> refused = {
        {"the input the fuzzer found", found},
        {"big-endian list and nothing else", riff(chunk("LIST", listSteppingBack("INFO", true), true), "RIFX", true)},
        {"top-level INFO chunk and a format, no sound",
         riff(chunk("INFO", listSteppingBack().mid(4)) + chunk("fmt ", pcmFormat()))},
        {"the sound inside a list, before such a part",
         riff(chunk("fmt ", pcmFormat()) +
              chunk("LIST", QByteArray("INFO") + chunk("data", ramp()) + chunk("LIST", listSteppingBack())))},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        const QString path = fx.path(QStringLiteral("message.wav"));
        writeBytes(path, c.bytes);
        QString error;
        EXPECT_FALSE(platform::readWaveFile(path, &error).has_value());
        EXPECT_FALSE(error.isEmpty());
    }

    const std::vector<Case> playing = {
        {"list between format and sound",
         riff(chunk("fmt ", pcmFormat()) + chunk("LIST", listSteppingBack()) + chunk("data", ramp()))},
        {"list after the sound", riff(chunk("fmt ", pcmFormat()) + chunk("data", ramp()) + chunk("LIST", listSteppingBack()))},
        {"top-level INFO chunk",
         riff(chunk("fmt ", pcmFormat()) + chunk("INFO", listSteppingBack().mid(4)) + chunk("data", ramp()))},
        {"after an Exif field too long for the list",
         riff(chunk("fmt ", pcmFormat()) +
              chunk("LIST", QByteArray("exifemnt") + size32(0x7000) + listSteppingBack().mid(4)) +
              chunk("data", ramp()))},
        {"big-endian", riff(chunk("fmt ", pcmFormat(true), true) + chunk("LIST", listSteppingBack("INFO", true), true) +
                                chunk("data", ramp(true), true),
                            "RIFX", true)},
        {"RF64, list before the sound", rf64(chunk("LIST", listSteppingBack()), {})},
        {"RF64, list after the sound", rf64({}, chunk("LIST", listSteppingBack()))},
    };
    for (const Case& c : playing) {
        SCOPED_TRACE(c.name);
        QString error;
        const auto wave = platform::decodeWave(c.bytes, &error);
        ASSERT_TRUE(wave.has_value()) << error.toStdString();
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->sampleRate, 8000);
        EXPECT_EQ(wave->samples, rampSamples());
    }
}

TEST(WavDecoderTest, TheMetadataEditorsAndRecordersWriteLeavesTheSoundAsItIs)
{
    // Each file decodes to the same samples as the bare format and sound.
    const QByteArray format = chunk("fmt ", pcmFormat());
    const QByteArray sound = chunk("data", ramp());
    QByteArray info("INFO");
    info += chunk("INAM", "CQ contest");
    info += chunk("IART", "N6ABC");  // odd: padded
    info += chunk("ISFT", QByteArray("Lavf58.76.100\0", 14));
    QByteArray labels("adtl");
    labels += chunk("labl", size32(1) + QByteArray("start\0", 6));
    labels += chunk("note", size32(1) + QByteArray("F1\0", 3));
    QByteArray cue = size32(1);
    cue += size32(1) + size32(0) + "data" + size32(0) + size32(0) + size32(0);
    QByteArray peak = size32(1) + size32(0) + size32(0x3F000000) + size32(10);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const std::vector<Case> cases = {
        {"text list before the sound", riff(format + chunk("LIST", info) + sound)},
        {"text list after the sound", riff(format + sound + chunk("LIST", info))},
        {"text list ending in zeros", riff(format + chunk("LIST", info + QByteArray(12, '\0')) + sound)},
        {"cue points and their labels",
         riff(format + chunk("cue ", cue) + sound + chunk("LIST", labels))},
        {"JUNK, bext and iXML before the format",
         riff(chunk("JUNK", QByteArray(28, '\0')) + chunk("bext", QByteArray(602, ' ')) +
              chunk("iXML", "<BWFXML></BWFXML>") + format + sound)},
        {"fact, PEAK and an id3 chunk", riff(format + chunk("fact", size32(100)) + chunk("PEAK", peak) + sound +
                                             chunk("id3 ", QByteArray("ID3\x03\0\0\0\0\0\0", 10)))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        const auto wave = platform::decodeWave(c.bytes, &error);
        ASSERT_TRUE(wave.has_value()) << error.toStdString();
        EXPECT_EQ(wave->samples, rampSamples());
    }

    // libsndfile's own writer (which Audacity uses) puts the text fields
    // into a LIST INFO chunk; the encodings with blocks add a fact chunk,
    // floating point a PEAK chunk.
    ProgramFolderFixture fx;
    for (const int encoding : {SF_FORMAT_PCM_16, SF_FORMAT_FLOAT, SF_FORMAT_IMA_ADPCM, SF_FORMAT_GSM610}) {
        SCOPED_TRACE(encoding);
        const QString path = fx.path(QStringLiteral("written.wav"));
        const QByteArray bare = writtenByLibsndfile(path, SF_FORMAT_WAV | encoding, false);
        const QByteArray withText = writtenByLibsndfile(path, SF_FORMAT_WAV | encoding, true);
        ASSERT_FALSE(bare.isEmpty());
        ASSERT_TRUE(withText.contains("LIST"));
        ASSERT_TRUE(withText.contains("Audacity 3.4.2"));
        const auto plain = platform::decodeWave(bare);
        const auto tagged = platform::decodeWave(withText);
        ASSERT_TRUE(plain.has_value());
        ASSERT_TRUE(tagged.has_value());
        EXPECT_GE(tagged->frames(), 4000);
        EXPECT_EQ(tagged->samples, plain->samples);
    }
}
