#include "platform/wav_decoder.h"

#include <QFile>
#include <QtEndian>
#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

namespace {

std::optional<WaveData> fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

bool isWaveContainer(const QByteArray& bytes)
{
    if (bytes.size() < 12 || bytes.mid(8, 4) != "WAVE")
        return false;
    return bytes.startsWith("RIFF") || bytes.startsWith("RIFX") || bytes.startsWith("RF64");
}

/// Four printable characters, as every chunk name is.
bool looksLikeChunkName(const char* p)
{
    return std::all_of(p, p + 4, [](char c) { return c >= 0x20 && c <= 0x7E; });
}

/// A chunk of odd size is followed by a pad byte; some recorders leave it
/// out, and the next chunk then starts one byte early. Where a chunk name
/// stands right after an odd chunk and none stands a byte later, the pad
/// byte is put back so that the file reads as it was meant. The content is
/// copied only when something is mended.
QByteArray withPadBytes(const QByteArray& in)
{
    const char* d = in.constData();
    const qint64 n = in.size();
    QByteArray out;
    qint64 copied = 0;  // bytes of the input already in out
    qint64 pos = 12;
    while (pos + 8 <= n) {
        const quint32 size = qFromLittleEndian<quint32>(d + pos + 4);
        qint64 next = pos + 8 + static_cast<qint64>(size);
        if (next >= n)
            break;
        if (size & 1) {
            const bool padded = next + 5 <= n && looksLikeChunkName(d + next + 1);
            const bool unpadded = next + 4 <= n && looksLikeChunkName(d + next);
            if (unpadded && !padded) {
                out.append(d + copied, next - copied);
                out.append('\0');
                copied = next;
            } else {
                ++next;
            }
        }
        pos = next;
    }
    if (copied == 0)
        return in;
    out.append(d + copied, n - copied);
    return out;
}

quint32 sizeAt(const char* p, bool bigEndian)
{
    return bigEndian ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
}

QByteArray sizeBytes(quint64 size, bool bigEndian)
{
    char b[4];
    if (bigEndian)
        qToBigEndian(static_cast<quint32>(size), b);
    else
        qToLittleEndian(static_cast<quint32>(size), b);
    return QByteArray(b, 4);
}

/// The file libsndfile reads, through its virtual I/O: pieces one after
/// another, the headers written here and the contents of the chunks it is
/// given, which stay where they are in the file's content (no sound is
/// copied).
struct MemoryFile {
    std::vector<QByteArray> pieces;
    std::vector<sf_count_t> starts;  ///< where each piece begins
    sf_count_t size = 0;
    sf_count_t pos = 0;

    void append(const QByteArray& piece)
    {
        if (piece.isEmpty())
            return;
        pieces.push_back(piece);
        starts.push_back(size);
        size += piece.size();
    }
    /// A chunk, with the pad byte after odd content; the content is not
    /// copied, so it must outlive the file.
    void appendChunk(const char* name, const char* content, qint64 length, bool bigEndian)
    {
        append(QByteArray(name, 4) + sizeBytes(static_cast<quint64>(length), bigEndian));
        append(QByteArray::fromRawData(content, length));
        if (length & 1)
            append(QByteArray(1, '\0'));
    }

    static MemoryFile& of(void* user) { return *static_cast<MemoryFile*>(user); }
    static sf_count_t length(void* user) { return of(user).size; }
    static sf_count_t seek(sf_count_t offset, int whence, void* user)
    {
        MemoryFile& f = of(user);
        sf_count_t base = 0;
        if (whence == SEEK_CUR)
            base = f.pos;
        else if (whence == SEEK_END)
            base = f.size;
        else if (whence != SEEK_SET)
            return -1;
        if ((offset < 0 && base + offset < 0) || (offset > 0 && base > INT64_MAX - offset))
            return -1;
        f.pos = base + offset;
        return f.pos;
    }
    static sf_count_t read(void* to, sf_count_t count, void* user)
    {
        MemoryFile& f = of(user);
        char* out = static_cast<char*>(to);
        sf_count_t done = 0;
        while (done < count && f.pos < f.size) {
            const auto k = static_cast<std::size_t>(std::upper_bound(f.starts.begin(), f.starts.end(), f.pos) -
                                                    f.starts.begin() - 1);
            const sf_count_t offset = f.pos - f.starts[k];
            const sf_count_t n = std::min<sf_count_t>(count - done, f.pieces[k].size() - offset);
            std::memcpy(out + done, f.pieces[k].constData() + offset, static_cast<size_t>(n));
            done += n;
            f.pos += n;
        }
        return done;
    }
    static sf_count_t write(const void*, sf_count_t, void*) { return 0; }
    static sf_count_t tell(void* user) { return of(user).pos; }
};

/// A wave file cut down to what the decoder plays from.
struct SoundChunks {
    MemoryFile file;
    /// The name of a chunk, other than the sound (which a recorder cut short
    /// may leave shorter than it says), that claims to run past the end of
    /// the file; the file is damaged, and refused.
    QByteArray pastTheEnd;
};

/// The file as the decoder is given it: the container's header, the first
/// format chunk and the sound chunks, in the file's order, each padded to an
/// even length. Nothing else a file carries (lists of text fields and
/// labels, cue points, loops, broadcast and peak information, tags) has any
/// bearing on the sound, and the decoder's walks of some of it do not
/// always end: a part of a list whose size, added up in 32 bits, steps back
/// instead of forward makes it read the same bytes for ever, before it
/// returns a single frame. What it is not given, it cannot walk, so a
/// damaged list costs no more than reading past it here.
///
/// The sound's length is the one its chunk gives, cut to what the file
/// holds: in RF64 the one of the ds64 chunk, and the rest of the file where
/// a recorder stopped before it wrote any length (the sound's size 0 and
/// the container's 8, as it started them). RF64, which only differs in how
/// it gives lengths past 4 GB, is handed over as RIFF. The pieces refer to
/// the content, which must outlive them.
SoundChunks soundChunks(const QByteArray& in)
{
    const char* d = in.constData();
    const qint64 n = in.size();
    const bool bigEndian = in.startsWith("RIFX");
    const bool rf64 = in.startsWith("RF64");
    SoundChunks result;
    MemoryFile& out = result.file;
    out.append(QByteArray(rf64 ? "RIFF" : d, 4) + sizeBytes(0, bigEndian) + "WAVE");
    quint64 containerSize = sizeAt(d + 4, bigEndian);
    std::optional<quint64> rf64SoundSize;
    bool haveFormat = false;
    qint64 pos = 12;
    while (pos + 8 <= n) {
        const QByteArray name(d + pos, 4);
        const quint32 size = sizeAt(d + pos + 4, bigEndian);
        const qint64 start = pos + 8;
        const qint64 left = n - start;
        if (name == "data") {
            quint64 length = size;
            if (rf64 && rf64SoundSize)
                length = *rf64SoundSize;
            if (size == 0 && containerSize == 8 && n > 44)
                length = static_cast<quint64>(left);
            const qint64 kept = static_cast<qint64>(std::min<quint64>(length, static_cast<quint64>(left)));
            out.appendChunk("data", d + start, kept, bigEndian);
            pos = start + kept + (kept & 1);
            continue;
        }
        if (static_cast<qint64>(size) > left) {
            result.pastTheEnd = name;
            return result;
        }
        if (name == "fmt " && !haveFormat) {
            out.appendChunk("fmt ", d + start, size, bigEndian);
            haveFormat = true;
        } else if (rf64 && name == "ds64" && !rf64SoundSize && size >= 16) {
            containerSize = qFromLittleEndian<quint64>(d + start);
            rf64SoundSize = qFromLittleEndian<quint64>(d + start + 8);
        }
        pos = start + size + (size & 1);
    }
    out.pieces.front().replace(4, 4, sizeBytes(static_cast<quint64>(out.size - 8), bigEndian));
    return result;
}

struct SndfileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

}  // namespace

std::int64_t WaveData::lengthNs() const
{
    if (sampleRate <= 0)
        return 0;
    const std::int64_t n = frames();
    // In two steps, so that no length overflows on the way.
    return n / sampleRate * 1'000'000'000LL + n % sampleRate * 1'000'000'000LL / sampleRate;
}

std::optional<WaveData> decodeWave(const QByteArray& raw, QString* error)
{
    if (!isWaveContainer(raw))
        return fail(error, QStringLiteral("not a wave file"));
    const QByteArray content = raw.startsWith("RIFF") ? withPadBytes(raw) : raw;
    SoundChunks sound = soundChunks(content);
    if (!sound.pastTheEnd.isEmpty())
        return fail(error, QStringLiteral("damaged file: its \"%1\" chunk runs past the end of the file")
                               .arg(QString::fromLatin1(sound.pastTheEnd)));
    MemoryFile& file = sound.file;

    SF_VIRTUAL_IO io{&MemoryFile::length, &MemoryFile::seek, &MemoryFile::read, &MemoryFile::write,
                     &MemoryFile::tell};
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, SndfileCloser> decoder(sf_open_virtual(&io, SFM_READ, &info, &file));
    if (!decoder)
        return fail(error, QString::fromUtf8(sf_strerror(nullptr)));
    const int container = info.format & SF_FORMAT_TYPEMASK;
    if (container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX && container != SF_FORMAT_RF64)
        return fail(error, QStringLiteral("not a wave file"));
    if (info.channels < 1 || info.channels > 8 || info.samplerate < 1000 || info.samplerate > 384000)
        return fail(error, QStringLiteral("unsupported wave format (%1 channels at %2 Hz)")
                               .arg(info.channels)
                               .arg(info.samplerate));
    // Floating-point samples beyond full scale are clipped, not wrapped.
    sf_command(decoder.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);

    WaveData wave;
    wave.channels = info.channels;
    wave.sampleRate = info.samplerate;
    constexpr sf_count_t FramesPerRead = 4096;
    const qsizetype bytesPerFrame = 2 * static_cast<qsizetype>(info.channels);
    const QString tooLong =
        QStringLiteral("too long to play (more than %1 MB of sound)").arg(MaxDecodedBytes / (1024 * 1024));
    // Room for what the header announces, so that a long message is not
    // copied while it grows; but a damaged header may announce far more
    // than the file holds, and no encoding decodes to more than sixteen
    // times its size.
    if (info.frames > 0 && info.frames <= 16 * static_cast<qint64>(file.size) / bytesPerFrame)
        wave.samples.reserve(std::min<qint64>(info.frames + FramesPerRead, MaxDecodedBytes / bytesPerFrame) *
                             bytesPerFrame);
    qsizetype used = 0;
    for (;;) {
        wave.samples.resize(used + FramesPerRead * bytesPerFrame);
        const sf_count_t got =
            sf_readf_short(decoder.get(), reinterpret_cast<short*>(wave.samples.data() + used), FramesPerRead);
        if (got <= 0)
            break;
        used += static_cast<qsizetype>(got) * bytesPerFrame;
        if (used > MaxDecodedBytes)
            return fail(error, tooLong);
    }
    wave.samples.resize(used);
    if (used == 0) {
        const int code = sf_error(decoder.get());
        return fail(error, code != SF_ERR_NO_ERROR ? QString::fromUtf8(sf_error_number(code))
                                                   : QStringLiteral("no sound in the file"));
    }
    // A damaged block late in the file ends the sound there; what was
    // decoded before it plays.
    return wave;
}

std::optional<WaveData> readWaveFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    // No encoding takes more than four times the room of its decoded sound
    // (64-bit floating point): a file bigger than that is too long.
    if (file.size() > 4 * static_cast<qint64>(MaxDecodedBytes))
        return fail(error, QStringLiteral("too long to play (more than %1 MB of sound)")
                               .arg(MaxDecodedBytes / (1024 * 1024)));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, file.errorString());
    return decodeWave(bytes, error);
}

}  // namespace platform
