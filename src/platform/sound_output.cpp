// The sound server's side of SoundOutput, on the server's asynchronous
// client interface: a connection and its event thread for the output's life,
// and one playback stream per sound.
//
// Nothing here ever waits on the server while holding up the caller: the
// samples are handed over as the server asks for them (a device that takes
// them slowly or not at all holds nothing up), and a stop drops the stream
// with whatever it still buffers at once. Every call from the GUI thread
// takes the event thread's lock, and every callback runs under it, so the
// streams and the connection are never touched by two threads at once, and
// a stream's callbacks are cleared before the stream is let go.

#include "platform/sound_output.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

namespace platform {

namespace {

using namespace std::chrono_literals;

constexpr const char* ClientName = "Zivudaduri QSO Party logger";
/// The stream's buffer: what is written ahead of the device.
constexpr pa_usec_t BufferUsec = 100'000;
/// What is buffered before the device starts, so that a sound shorter than
/// the buffer plays as well.
constexpr pa_usec_t StartUsec = 20'000;
/// How long deviceReady() waits for a server that does not answer.
constexpr auto ProbeWait = 2s;
/// How long startWhenHeard() gives the server to say it has a device.
constexpr pa_usec_t HeardCheckUsec = 500'000;
/// The sink the server makes when the machine has no sound card: what goes
/// there is heard by nobody.
constexpr const char* DummySinkName = "auto_null";

QString serverError(int error) { return QString::fromLocal8Bit(pa_strerror(error)); }

/// Why the server's default output would be heard by nobody; empty when it
/// would be heard.
QString sinkProblem(const pa_server_info* info)
{
    if (!info || !info->default_sink_name || !*info->default_sink_name)
        return QStringLiteral("the sound server has no output device");
    if (std::strcmp(info->default_sink_name, DummySinkName) == 0)
        return QStringLiteral("the sound server has only its dummy output");
    return {};
}

/// The sample format and channel map of a decoded wave; nullopt when the server
/// cannot take it.
struct StreamFormat {
    pa_sample_spec spec{};
    pa_channel_map map{};
};

std::optional<StreamFormat> streamFormat(const WaveData& wave)
{
    if (wave.channels <= 0 || wave.channels > static_cast<int>(PA_CHANNELS_MAX) || wave.sampleRate <= 0)
        return std::nullopt;
    StreamFormat f;
    f.spec.format = PA_SAMPLE_S16NE;
    f.spec.rate = static_cast<std::uint32_t>(wave.sampleRate);
    f.spec.channels = static_cast<std::uint8_t>(wave.channels);
    if (!pa_sample_spec_valid(&f.spec))
        return std::nullopt;
    // Channels past the usual layouts are given auxiliary positions, so a
    // file of seven or eight channels still plays.
    if (!pa_channel_map_init_extend(&f.map, f.spec.channels, PA_CHANNEL_MAP_DEFAULT))
        return std::nullopt;
    return f;
}

/// Holds the event thread's lock for a scope.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : m_loop(loop) { pa_threaded_mainloop_lock(m_loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* m_loop;
};

class ServerSoundOutput final : public SoundOutput {
public:
    ServerSoundOutput()
    {
        m_loop = pa_threaded_mainloop_new();
        if (m_loop && pa_threaded_mainloop_start(m_loop) < 0) {
            pa_threaded_mainloop_free(m_loop);
            m_loop = nullptr;
        }
    }

    ~ServerSoundOutput() override
    {
        if (!m_loop)
            return;
        {
            LoopLock lock(m_loop);
            endHeardCheck();
            releaseStream();
            releaseContext();
        }
        pa_threaded_mainloop_stop(m_loop);
        pa_threaded_mainloop_free(m_loop);
    }

    ServerSoundOutput(const ServerSoundOutput&) = delete;
    ServerSoundOutput& operator=(const ServerSoundOutput&) = delete;

    void start(const WaveData& wave) override
    {
        if (!m_loop) {
            m_requested = ++m_generation;
            fail(m_requested, QStringLiteral("the sound server's client could not start"));
            return;
        }
        LoopLock lock(m_loop);
        if (!prepare(wave))
            return;
        ensureContext();
        // A connection still being made opens the stream once it is ready.
        if (m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY)
            openStream();
    }

    void startWhenHeard(const WaveData& wave, std::function<void()> noDevice) override
    {
        if (!m_loop) {
            m_requested = ++m_generation;
            fail(m_requested, QStringLiteral("the sound server's client could not start"));
            if (noDevice)
                noDevice();
            return;
        }
        LoopLock lock(m_loop);
        if (!prepare(wave)) {
            if (noDevice)
                noDevice();
            return;
        }
        // The check runs on the event thread: the connection (made now if
        // there is none), then the server's word on its default output, or
        // the deadline, whichever comes first.
        m_heardCheck = m_requested;
        m_noDevice = std::move(noDevice);
        pa_mainloop_api* api = pa_threaded_mainloop_get_api(m_loop);
        timeval deadline{};
        pa_timeval_add(pa_gettimeofday(&deadline), HeardCheckUsec);
        m_heardDeadline = api->time_new(api, &deadline, &ServerSoundOutput::onHeardDeadline, this);
        ensureContext();
        if (!m_context)
            return failHeardCheck(m_contextError);
        if (pa_context_get_state(m_context) == PA_CONTEXT_READY)
            askWhetherHeard();
    }

    void stop() override
    {
        if (!m_loop)
            return;
        LoopLock lock(m_loop);
        endHeardCheck();
        releaseStream();
        m_wave.reset();
        m_requested = 0;
        ++m_generation;
    }

    bool sounding() const override
    {
        if (!m_loop)
            return false;
        LoopLock lock(m_loop);
        return m_requested != 0 && m_finished != m_requested && m_failedGeneration != m_requested;
    }

    QString failure() const override
    {
        if (!m_loop)
            return m_requested != 0 ? m_failure : QString();
        LoopLock lock(m_loop);
        return m_requested != 0 && m_failedGeneration == m_requested ? m_failure : QString();
    }

    bool deviceReady(QString* why) override
    {
        const QString reason = checkDevice();
        if (why)
            *why = reason;
        return reason.isEmpty();
    }

private:
    /// Empty when a sound can be played now; else why not.
    QString checkDevice()
    {
        if (!m_loop)
            return QStringLiteral("the sound server's client could not start");
        const auto limit = std::chrono::steady_clock::now() + ProbeWait;
        // The connection: made now if there is none, waited for (a little
        // at a time, the lock let go in between) if it is being made.
        for (;;) {
            {
                LoopLock lock(m_loop);
                ensureContext();
                if (!m_context)
                    return m_contextError;
                const pa_context_state_t state = pa_context_get_state(m_context);
                if (state == PA_CONTEXT_READY) {
                    ++m_serverInfoAsked;
                    if (pa_operation* op = pa_context_get_server_info(m_context, &ServerSoundOutput::onServerInfo, this))
                        pa_operation_unref(op);
                    break;
                }
                if (!PA_CONTEXT_IS_GOOD(state))
                    return m_contextError;
            }
            if (std::chrono::steady_clock::now() >= limit)
                return QStringLiteral("the sound server does not answer");
            std::this_thread::sleep_for(2ms);
        }
        for (;;) {
            {
                LoopLock lock(m_loop);
                if (m_serverInfoAnswered >= m_serverInfoAsked)
                    return m_defaultSinkError;
                if (!m_context || !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)))
                    return m_contextError;
            }
            if (std::chrono::steady_clock::now() >= limit)
                return QStringLiteral("the sound server does not answer");
            std::this_thread::sleep_for(1ms);
        }
    }

    // Everything below runs with the event thread's lock held.

    void fail(std::uint64_t generation, const QString& why)
    {
        m_failure = why;
        m_failedGeneration = generation;
    }

    /// Ends what played, a check of the device included, and takes wave as
    /// the sound to start; false (the start failed) when the server cannot
    /// take its format.
    bool prepare(const WaveData& wave)
    {
        endHeardCheck();
        releaseStream();
        m_wave = wave;  // the samples are shared, not copied
        m_offset = 0;
        m_requested = ++m_generation;
        const auto format = streamFormat(wave);
        if (!format) {
            fail(m_requested, QStringLiteral("the sound device cannot play %1 channels at %2 Hz")
                                  .arg(wave.channels)
                                  .arg(wave.sampleRate));
            return false;
        }
        m_format = *format;
        return true;
    }

    [[nodiscard]] bool heardCheckRunning() const { return m_heardCheck != 0 && m_heardCheck == m_requested; }

    void askWhetherHeard()
    {
        if (pa_operation* op = pa_context_get_server_info(m_context, &ServerSoundOutput::onHeardServerInfo, this))
            pa_operation_unref(op);
        else
            failHeardCheck(serverError(pa_context_errno(m_context)));
    }

    /// The check is over, whatever became of it: its deadline and its word
    /// to the caller go.
    void endHeardCheck()
    {
        m_heardCheck = 0;
        m_noDevice = nullptr;
        if (m_heardDeadline) {
            pa_mainloop_api* api = pa_threaded_mainloop_get_api(m_loop);
            api->time_free(m_heardDeadline);
            m_heardDeadline = nullptr;
        }
    }

    void failHeardCheck(const QString& why)
    {
        if (!heardCheckRunning())
            return;
        fail(m_requested, why);
        std::function<void()> noDevice = std::move(m_noDevice);
        endHeardCheck();
        if (noDevice)
            noDevice();
    }

    static void onHeardServerInfo(pa_context*, const pa_server_info* info, void* self)
    {
        auto* out = static_cast<ServerSoundOutput*>(self);
        // An answer that comes after the deadline, a stop or a new start is
        // no answer to the check running now, if any.
        if (!out->heardCheckRunning())
            return;
        if (const QString problem = sinkProblem(info); !problem.isEmpty())
            return out->failHeardCheck(problem);
        out->endHeardCheck();
        out->openStream();
    }

    static void onHeardDeadline(pa_mainloop_api* api, pa_time_event* event, const timeval*, void* self)
    {
        auto* out = static_cast<ServerSoundOutput*>(self);
        if (event == out->m_heardDeadline) {
            api->time_free(event);
            out->m_heardDeadline = nullptr;
        }
        out->failHeardCheck(QStringLiteral("the sound server does not answer"));
    }

    /// A connection to the server, made anew when there is none or the last
    /// one failed (the server restarted, the session changed).
    void ensureContext()
    {
        if (m_context && PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)))
            return;
        releaseContext();
        m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), ClientName);
        if (!m_context) {
            m_contextError = QStringLiteral("the sound server's client could not start");
            return;
        }
        pa_context_set_state_callback(m_context, &ServerSoundOutput::onContextState, this);
        // A logger does not start a sound server of its own: it uses the
        // desktop's, or none.
        if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            m_contextError = serverError(pa_context_errno(m_context));
            releaseContext();
        }
    }

    void releaseContext()
    {
        releaseRetiring();
        if (!m_context)
            return;
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }

    void openStream()
    {
        pa_stream* stream = pa_stream_new(m_context, "voice", &m_format.spec, &m_format.map);
        if (!stream) {
            fail(m_requested, serverError(pa_context_errno(m_context)));
            return;
        }
        m_stream = stream;
        m_streamGeneration = m_requested;
        pa_stream_set_state_callback(stream, &ServerSoundOutput::onStreamState, this);
        pa_stream_set_write_callback(stream, &ServerSoundOutput::onWritable, this);
        const std::size_t total = totalBytes();
        pa_buffer_attr attr;
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(BufferUsec, &m_format.spec));
        attr.prebuf = static_cast<std::uint32_t>(
            std::max<std::size_t>(pa_frame_size(&m_format.spec),
                                  std::min(total, pa_usec_to_bytes(StartUsec, &m_format.spec))));
        attr.minreq = static_cast<std::uint32_t>(-1);
        attr.fragsize = static_cast<std::uint32_t>(-1);
        const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_AUTO_TIMING_UPDATE |
                                                          PA_STREAM_INTERPOLATE_TIMING);
        if (pa_stream_connect_playback(stream, nullptr, &attr, flags, nullptr, nullptr) < 0) {
            fail(m_requested, serverError(pa_context_errno(m_context)));
            releaseStream();
        }
    }

    /// Lets the stream go with whatever it still buffers; its callbacks are
    /// cleared first, so none comes for it afterwards. A stream still being
    /// made cannot be disconnected yet: it is kept aside and disconnected as
    /// soon as the server has made it, or it would stay on the server, silent,
    /// for as long as the connection lasts.
    void releaseStream()
    {
        if (m_drain) {
            pa_operation_cancel(m_drain);
            pa_operation_unref(m_drain);
            m_drain = nullptr;
        }
        if (!m_stream)
            return;
        pa_stream* stream = m_stream;
        m_stream = nullptr;
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        if (pa_stream_get_state(stream) == PA_STREAM_CREATING) {
            pa_stream_set_state_callback(stream, &ServerSoundOutput::onRetiredStreamState, this);
            m_retiring.push_back(stream);
            return;
        }
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        if (pa_stream_get_state(stream) == PA_STREAM_READY)
            pa_stream_disconnect(stream);
        pa_stream_unref(stream);
    }

    /// The streams kept aside, let go with the connection.
    void releaseRetiring()
    {
        for (pa_stream* stream : m_retiring) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_unref(stream);
        }
        m_retiring.clear();
    }

    static void onRetiredStreamState(pa_stream* stream, void* self)
    {
        auto* out = static_cast<ServerSoundOutput*>(self);
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (state == PA_STREAM_CREATING)
            return;
        if (state == PA_STREAM_READY) {
            // Disconnecting comes back here as terminated.
            pa_stream_disconnect(stream);
            return;
        }
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        out->m_retiring.erase(std::remove(out->m_retiring.begin(), out->m_retiring.end(), stream), out->m_retiring.end());
        pa_stream_unref(stream);
    }

    [[nodiscard]] std::size_t totalBytes() const
    {
        if (!m_wave)
            return 0;
        const std::size_t frame = pa_frame_size(&m_format.spec);
        return static_cast<std::size_t>(m_wave->samples.size()) / frame * frame;
    }

    /// Hands the server as much as it asks for; once all is handed over,
    /// asks to hear when the device has played it.
    void feed(std::size_t wanted)
    {
        if (!m_stream || !m_wave || m_drain)
            return;
        const std::size_t total = totalBytes();
        while (wanted > 0 && m_offset < total) {
            const std::size_t n = std::min(wanted, total - m_offset);
            if (pa_stream_write(m_stream, m_wave->samples.constData() + m_offset, n, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
                fail(m_streamGeneration, serverError(pa_context_errno(m_context)));
                releaseStream();
                return;
            }
            m_offset += n;
            wanted -= n;
        }
        if (m_offset >= total)
            m_drain = pa_stream_drain(m_stream, &ServerSoundOutput::onDrained, this);
    }

    static void onContextState(pa_context* context, void* self)
    {
        auto* out = static_cast<ServerSoundOutput*>(self);
        const pa_context_state_t state = pa_context_get_state(context);
        if (state == PA_CONTEXT_READY) {
            if (out->heardCheckRunning())
                out->askWhetherHeard();
            else if (out->m_requested != 0 && !out->m_stream && out->m_failedGeneration != out->m_requested &&
                     out->m_finished != out->m_requested && out->m_wave)
                out->openStream();
        } else if (!PA_CONTEXT_IS_GOOD(state)) {
            out->m_contextError = serverError(pa_context_errno(context));
            out->failHeardCheck(out->m_contextError);
            // The sound that waited for the connection, or was playing
            // through it, fails with it.
            if (out->m_requested != 0 && out->m_finished != out->m_requested)
                out->fail(out->m_requested, out->m_contextError);
            out->releaseStream();
        }
    }

    static void onServerInfo(pa_context*, const pa_server_info* info, void* self)
    {
        auto* out = static_cast<ServerSoundOutput*>(self);
        out->m_defaultSinkError = sinkProblem(info);
        out->m_serverInfoAnswered = out->m_serverInfoAsked;
    }

    static void onStreamState(pa_stream* stream, void* self)
    {
        auto* out = static_cast<ServerSoundOutput*>(self);
        if (stream != out->m_stream)
            return;
        if (pa_stream_get_state(stream) == PA_STREAM_FAILED) {
            out->fail(out->m_streamGeneration, serverError(pa_context_errno(pa_stream_get_context(stream))));
            out->releaseStream();
        }
    }

    static void onWritable(pa_stream* stream, std::size_t bytes, void* self)
    {
        auto* out = static_cast<ServerSoundOutput*>(self);
        if (stream == out->m_stream)
            out->feed(bytes);
    }

    static void onDrained(pa_stream* stream, int success, void* self)
    {
        auto* out = static_cast<ServerSoundOutput*>(self);
        if (stream != out->m_stream)
            return;
        if (out->m_drain) {
            pa_operation_unref(out->m_drain);
            out->m_drain = nullptr;
        }
        if (!success)
            out->fail(out->m_streamGeneration, serverError(pa_context_errno(pa_stream_get_context(stream))));
        out->m_finished = out->m_streamGeneration;
        out->releaseStream();
    }

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    pa_operation* m_drain = nullptr;
    std::vector<pa_stream*> m_retiring;  ///< let go while being made
    QString m_contextError = QStringLiteral("no sound server");
    QString m_defaultSinkError;
    std::uint64_t m_serverInfoAsked = 0;
    std::uint64_t m_serverInfoAnswered = 0;
    /// The start whose device is being checked (startWhenHeard), 0 when none;
    /// its deadline, and what to call when no device will hear it.
    std::uint64_t m_heardCheck = 0;
    pa_time_event* m_heardDeadline = nullptr;
    std::function<void()> m_noDevice;

    std::optional<WaveData> m_wave;
    StreamFormat m_format;
    std::size_t m_offset = 0;
    std::uint64_t m_generation = 0;        ///< every start and stop counts one up
    std::uint64_t m_requested = 0;         ///< the start that should sound; 0 after a stop
    std::uint64_t m_streamGeneration = 0;  ///< the start the stream plays
    std::uint64_t m_finished = 0;          ///< the last start played whole
    std::uint64_t m_failedGeneration = 0;
    QString m_failure;
};

}  // namespace

std::unique_ptr<SoundOutput> makeSoundOutput() { return std::make_unique<ServerSoundOutput>(); }

}  // namespace platform
