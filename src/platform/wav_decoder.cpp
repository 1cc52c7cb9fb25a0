#include "platform/wav_decoder.h"

#include <QFile>
#include <QtEndian>
#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <memory>

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

/// The name of a chunk, other than the sound data (which a recorder cut
/// short may leave shorter than it says), that claims to run past the end
/// of the file; empty when there is none. The decoder can spend an unbounded
/// time walking such a chunk, so the file is refused before it sees it.
QByteArray chunkPastTheEnd(const QByteArray& in)
{
    const char* d = in.constData();
    const qint64 n = in.size();
    qint64 pos = 12;
    while (pos + 8 <= n) {
        const quint32 size = qFromLittleEndian<quint32>(d + pos + 4);
        const qint64 end = pos + 8 + static_cast<qint64>(size);
        const QByteArray name(d + pos, 4);
        if (end > n)
            return name == "data" ? QByteArray() : name;
        pos = end + (size & 1);
    }
    return {};
}

/// The content as the file libsndfile reads, through its virtual I/O.
struct MemoryFile {
    const QByteArray& bytes;
    sf_count_t pos = 0;

    static MemoryFile& of(void* user) { return *static_cast<MemoryFile*>(user); }
    static sf_count_t length(void* user) { return of(user).bytes.size(); }
    static sf_count_t seek(sf_count_t offset, int whence, void* user)
    {
        MemoryFile& f = of(user);
        sf_count_t base = 0;
        if (whence == SEEK_CUR)
            base = f.pos;
        else if (whence == SEEK_END)
            base = f.bytes.size();
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
        const sf_count_t left = std::max<sf_count_t>(0, f.bytes.size() - f.pos);
        const sf_count_t n = std::clamp<sf_count_t>(count, 0, left);
        if (n > 0)
            std::memcpy(to, f.bytes.constData() + f.pos, static_cast<size_t>(n));
        f.pos += n;
        return n;
    }
    static sf_count_t write(const void*, sf_count_t, void*) { return 0; }
    static sf_count_t tell(void* user) { return of(user).pos; }
};

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
    const QByteArray bytes = raw.startsWith("RIFF") ? withPadBytes(raw) : raw;
    if (raw.startsWith("RIFF")) {
        if (const QByteArray name = chunkPastTheEnd(bytes); !name.isEmpty())
            return fail(error, QStringLiteral("damaged file: its \"%1\" chunk runs past the end of the file")
                                   .arg(QString::fromLatin1(name)));
    }

    MemoryFile file{bytes};
    SF_VIRTUAL_IO io{&MemoryFile::length, &MemoryFile::seek, &MemoryFile::read, &MemoryFile::write,
                     &MemoryFile::tell};
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, SndfileCloser> sound(sf_open_virtual(&io, SFM_READ, &info, &file));
    if (!sound)
        return fail(error, QString::fromUtf8(sf_strerror(nullptr)));
    const int container = info.format & SF_FORMAT_TYPEMASK;
    if (container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX && container != SF_FORMAT_RF64)
        return fail(error, QStringLiteral("not a wave file"));
    if (info.channels < 1 || info.channels > 8 || info.samplerate < 1000 || info.samplerate > 384000)
        return fail(error, QStringLiteral("unsupported wave format (%1 channels at %2 Hz)")
                               .arg(info.channels)
                               .arg(info.samplerate));
    // Floating-point samples beyond full scale are clipped, not wrapped.
    sf_command(sound.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);

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
    if (info.frames > 0 && info.frames <= 16 * static_cast<qint64>(bytes.size()) / bytesPerFrame)
        wave.samples.reserve(std::min<qint64>(info.frames + FramesPerRead, MaxDecodedBytes / bytesPerFrame) *
                             bytesPerFrame);
    qsizetype used = 0;
    for (;;) {
        wave.samples.resize(used + FramesPerRead * bytesPerFrame);
        const sf_count_t got =
            sf_readf_short(sound.get(), reinterpret_cast<short*>(wave.samples.data() + used), FramesPerRead);
        if (got <= 0)
            break;
        used += static_cast<qsizetype>(got) * bytesPerFrame;
        if (used > MaxDecodedBytes)
            return fail(error, tooLong);
    }
    wave.samples.resize(used);
    if (used == 0) {
        const int code = sf_error(sound.get());
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
