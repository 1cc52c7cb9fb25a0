#include "platform/settings_stream.h"

#include "platform/safe_file.h"
#include "platform/typed_text.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace platform {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
// What trimming an unquoted value removes (as QString::trimmed does).
bool isSpace(char c) { return QChar(static_cast<uchar>(c)).isSpace(); }
}  // namespace

// The bytes are kept as read (Latin-1, one character a byte) and each value
// becomes a QString only once, when it is taken. Every step moves forward:
// reading a file is linear in its size however it is damaged.
// A byte-order mark is passed over rather than cut off, so the offsets the
// reader gives (lastValueEnd) stay offsets into the file as it is on disk.
SettingsReader::SettingsReader(const QByteArray& bytes, TextAfterQuote afterQuote)
    : m_bytes(bytes), m_afterQuote(afterQuote), m_pos(byteOrderMarkSize(bytes))
{
    m_contentEnd = m_bytes.size();
    while (m_contentEnd > m_pos &&
           (isBlank(m_bytes.at(m_contentEnd - 1)) || isLineEnd(m_bytes.at(m_contentEnd - 1))))
        --m_contentEnd;
}

std::optional<SettingsReader> SettingsReader::open(const QString& path, TextAfterQuote afterQuote)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return SettingsReader(file.readAll(), afterQuote);
}

bool SettingsReader::onlyBlankLinesLeft() const { return m_pos >= m_contentEnd; }

void SettingsReader::consumeTerminator()
{
    const qsizetype size = m_bytes.size();
    if (m_pos >= size)
        return;
    const char c = m_bytes.at(m_pos);
    if (c == ',') {
        ++m_pos;
    } else if (c == '\r') {
        ++m_pos;
        if (m_pos < size && m_bytes.at(m_pos) == '\n')
            ++m_pos;
        ++m_line;
    } else if (c == '\n') {
        ++m_pos;
        ++m_line;
    }
}

bool SettingsReader::nextSpan(Span& span)
{
    if (atEnd())
        return false;
    const char* const data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    while (m_pos < size && isBlank(data[m_pos]))
        ++m_pos;
    if (m_pos < size && data[m_pos] == '"') {
        const qsizetype start = m_pos + 1;
        // A quoted value may not run over a line end: an unclosed quote ends
        // with its line, so one damaged value cannot swallow the rest.
        qsizetype end = start;
        while (end < size && data[end] != '"' && !isLineEnd(data[end]))
            ++end;
        m_pos = end < size && data[end] == '"' ? end + 1 : end;
        // Whatever stands between the closing quote and the terminator, blanks
        // apart, is the rest of a value that held a quote.
        qsizetype tailEnd = m_pos;
        while (m_pos < size && data[m_pos] != ',' && !isLineEnd(data[m_pos])) {
            if (!isBlank(data[m_pos]))
                tailEnd = m_pos + 1;
            ++m_pos;
        }
        m_strayQuote = tailEnd > end + 1;
        span = {start, end, true, tailEnd};
    } else {
        qsizetype start = m_pos;
        while (m_pos < size && data[m_pos] != ',' && !isLineEnd(data[m_pos]))
            ++m_pos;
        qsizetype end = m_pos;
        while (start < end && isSpace(data[start]))
            ++start;
        while (end > start && isSpace(data[end - 1]))
            --end;
        m_strayQuote = std::memchr(data + start, '"', static_cast<std::size_t>(end - start)) != nullptr;
        span = {start, end, false, end};
    }
    m_valueEnd = m_pos;
    consumeTerminator();
    return true;
}

void SettingsReader::takeText(const Span& span, QString& into) const
{
    const char* const data = m_bytes.constData();
    if (!m_strayQuote || !span.quoted || m_afterQuote == TextAfterQuote::Skipped) {
        into = QLatin1StringView(data + span.start, span.end - span.start);
        return;
    }
    into.clear();
    for (qsizetype i = span.start; i < span.tailEnd; ++i)
        if (data[i] != '"')
            into += QLatin1Char(data[i]);
}

bool SettingsReader::readTextInto(QString& into)
{
    Span span;
    if (!nextSpan(span))
        return false;
    takeText(span, into);
    return true;
}

bool SettingsReader::skipValue()
{
    Span span;
    return nextSpan(span);
}

std::optional<SettingsReader::RawValue> SettingsReader::readRaw()
{
    Span span;
    if (!nextSpan(span))
        return std::nullopt;
    return RawValue{QString::fromLatin1(m_bytes.constData() + span.start, span.end - span.start), span.quoted};
}

std::optional<QString> SettingsReader::readText()
{
    Span span;
    if (!nextSpan(span))
        return std::nullopt;
    QString text;
    takeText(span, text);
    return text;
}

std::optional<qint64> SettingsReader::readWhole(qint64 low, qint64 high)
{
    const auto v = readNumber();
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    const double rounded = std::nearbyint(*v);
    if (rounded < static_cast<double>(low) || rounded > static_cast<double>(high))
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

std::optional<double> SettingsReader::readNumber()
{
    auto raw = readRaw();
    if (!raw)
        return std::nullopt;
    if (raw->text.isEmpty())
        return 0.0;
    if (!raw->quoted) {
        if (raw->text.compare(u"#TRUE#", Qt::CaseInsensitive) == 0)
            return -1.0;
        if (raw->text.compare(u"#FALSE#", Qt::CaseInsensitive) == 0)
            return 0.0;
    }
    return parseNumber(raw->text);
}

std::optional<bool> SettingsReader::readBool()
{
    auto raw = readRaw();
    if (!raw)
        return std::nullopt;
    if (raw->text.compare(u"#TRUE#", Qt::CaseInsensitive) == 0)
        return true;
    if (raw->text.compare(u"#FALSE#", Qt::CaseInsensitive) == 0 || raw->text.isEmpty())
        return false;
    if (auto n = parseNumber(raw->text))
        return *n != 0.0;
    return std::nullopt;
}

std::optional<double> parseNumber(const QString& text)
{
    const QByteArray s = text.trimmed().toLatin1();
    if (s.isEmpty())
        return std::nullopt;
    const char* first = s.constData();
    const char* last = first + s.size();
    if (*first == '+')
        ++first;
    double value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatNumber(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? QString::fromLatin1(buf, ptr - buf) : QStringLiteral("0");
}

QString formatSingle(float value)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? QString::fromLatin1(buf, ptr - buf) : QStringLiteral("0");
}

void SettingsWriter::separate()
{
    if (m_lineHasValue)
        m_text += u',';
    m_lineHasValue = true;
}

namespace {
// What a text value never holds in the file: the quote that would end it,
// and the control characters (C0, DEL and C1), line breaks among them.
bool droppedFromText(QChar c) { return c == u'"' || isControlCharacter(c); }
}  // namespace

SettingsWriter& SettingsWriter::text(const QString& value)
{
    separate();
    m_text += u'"';
    if (std::none_of(value.begin(), value.end(), droppedFromText)) {
        m_text += value;
    } else {
        for (QChar c : value)
            if (!droppedFromText(c))
                m_text += c;
    }
    m_text += u'"';
    return *this;
}

SettingsWriter& SettingsWriter::number(double value)
{
    separate();
    m_text += formatNumber(value);
    return *this;
}

SettingsWriter& SettingsWriter::single(float value)
{
    separate();
    m_text += formatSingle(value);
    return *this;
}

SettingsWriter& SettingsWriter::integer(qint64 value)
{
    separate();
    m_text += QString::number(value);
    return *this;
}

SettingsWriter& SettingsWriter::boolean(bool value)
{
    separate();
    m_text += value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    return *this;
}

SettingsWriter& SettingsWriter::endLine()
{
    m_text += QStringLiteral("\r\n");
    m_lineHasValue = false;
    return *this;
}

}  // namespace platform
