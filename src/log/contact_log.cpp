#include "log/contact_log.h"

#include "platform/settings_stream.h"

#include <QFile>

#include <algorithm>
#include <optional>

namespace contactlog {

namespace {
const ContactRecord& emptyRecord()
{
    static const ContactRecord empty;
    return empty;
}
}  // namespace

const ContactRecord& ContactLog::record(int n) const
{
    if (n < 1 || n > ContactCount())
        return emptyRecord();
    return m_records[static_cast<std::size_t>(n - 1)];
}

ContactRecord& ContactLog::recordForEdit(int n)
{
    Q_ASSERT(n >= 1 && n <= ContactCount());
    if (n < 1 || n > ContactCount()) {
        // A number outside the log edits a scratch record that is never
        // stored, instead of memory that is not the log's.
        static ContactRecord scratch;
        scratch = {};
        return scratch;
    }
    return m_records[static_cast<std::size_t>(n - 1)];
}

bool ContactLog::add(const ContactRecord& record)
{
    if (isFull())
        return false;
    m_records.push_back(record);
    return true;
}

void ContactLog::remove(int n)
{
    if (n < 1 || n > ContactCount())
        return;
    m_records.erase(m_records.begin() + (n - 1));
}

void ContactLog::insert(int n, const ContactRecord& record)
{
    if (n < 1 || n > ContactCount() + 1 || isFull())
        return;
    m_records.insert(m_records.begin() + (n - 1), record);
}

void ContactLog::removeLast()
{
    if (!m_records.empty())
        m_records.pop_back();
}

void ContactLog::replaceAll(std::vector<ContactRecord> records)
{
    if (records.size() > static_cast<std::size_t>(MaxContacts))
        records.resize(MaxContacts);
    m_records = std::move(records);
}

void ContactLog::takeLoadBuffer(std::size_t count)
{
    m_spare.resize(std::min(count, static_cast<std::size_t>(MaxContacts)));
    m_records.swap(m_spare);
}

namespace {
void writeRecord(platform::SettingsWriter& w, const ContactRecord& r)
{
    w.text(r.LogCall)
        .text(r.LogRstSent)
        .text(r.LogRstRcvd)
        .text(r.LogSPC)
        .text(r.LogCountyRcvd)
        .text(r.LogState)
        .text(r.LogCountySent)
        .text(r.LogSpare8)
        .text(r.LogSpare9)
        .text(r.LogSpare10)
        .text(r.LogSerialSent)
        .text(r.LogDate)
        .text(r.LogTime)
        .text(r.LogMode)
        .text(r.LogBand)
        .number(r.LogSpareNumber)
        .text(r.LogSpare17)
        .text(r.LogSpare18)
        .text(r.LogSerialRcvd)
        .text(r.LogFrequency)
        .endLine();
}

constexpr int ValuesPerRecord = 20;

// Reads the next twenty values into r: one line, and the whole of it. The
// first nineteen values end with a comma and the twentieth ends the line
// (or the file). A line of nineteen or twenty-one values is no contact:
// taking the twenty values wherever the line ends fall would shift every
// later field into the wrong place, even when the counts add up.
LogReadError readRecord(platform::SettingsReader& reader, ContactRecord& r)
{
    const int line = reader.line();
    int taken = 0;
    LogReadError error = LogReadError::None;
    auto next = [&](QString& into) {
        if (!reader.readTextInto(into)) {
            error = LogReadError::ShortRecord;
            return false;
        }
        ++taken;
        if (reader.lastValueHadStrayQuote()) {
            error = LogReadError::QuoteInsideValue;
            return false;
        }
        const bool onItsLine = taken < ValuesPerRecord ? reader.line() == line
                                                       : reader.line() == line + 1 || reader.atEnd();
        if (!onItsLine)
            error = LogReadError::LineNotOneContact;
        return onItsLine;
    };
    QString* const texts[] = {&r.LogCall,       &r.LogRstSent,  &r.LogRstRcvd,    &r.LogSPC,
                              &r.LogCountyRcvd, &r.LogState,    &r.LogCountySent, &r.LogSpare8,
                              &r.LogSpare9,     &r.LogSpare10,  &r.LogSerialSent, &r.LogDate,
                              &r.LogTime,       &r.LogMode,     &r.LogBand};
    for (QString* field : texts)
        if (!next(*field))
            return error;
    QString number;
    if (!next(number))
        return error;
    // A value that is not a number reads as 0, as it always has.
    r.LogSpareNumber = number.isEmpty() ? 0.0 : platform::parseNumber(number).value_or(0.0);
    QString* const tail[] = {&r.LogSpare17, &r.LogSpare18, &r.LogSerialRcvd, &r.LogFrequency};
    for (QString* field : tail)
        if (!next(*field))
            return error;
    return LogReadError::None;
}

// Reads the records of bytes into records, reusing the records already
// there; count is the number read (the rest of records is left over).
LogReadError parseInto(const QByteArray& bytes, std::vector<ContactRecord>& records, std::size_t& count)
{
    platform::SettingsReader reader(bytes);
    count = 0;
    // Blank lines after the last record are tolerated: an editor that added
    // one must not make the whole log unreadable.
    while (!reader.atEnd() && !reader.onlyBlankLinesLeft()) {
        if (count >= static_cast<std::size_t>(ContactLog::MaxContacts))
            return LogReadError::TooMany;
        if (count == records.size())
            records.emplace_back();
        if (const LogReadError error = readRecord(reader, records[count]); error != LogReadError::None)
            return error;
        ++count;
    }
    return LogReadError::None;
}
}  // namespace

QByteArray formatContactLine(const ContactRecord& record)
{
    platform::SettingsWriter w;
    writeRecord(w, record);
    return w.bytes();
}

QByteArray formatLogFile(const ContactLog& log)
{
    platform::SettingsWriter w;
    for (const ContactRecord& r : log.records())
        writeRecord(w, r);
    return w.bytes();
}

LogReadResult parseLogFile(const QByteArray& bytes)
{
    LogReadResult result;
    std::size_t count = 0;
    result.error = parseInto(bytes, result.records, count);
    result.records.resize(count);
    return result;
}

LogReadResult readLogFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LogReadResult missing;
        missing.error = LogReadError::Missing;
        return missing;
    }
    return parseLogFile(file.readAll());
}

LogReadError LoadLog(ContactLog& log, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LogReadError::Missing;
    std::size_t count = 0;
    const LogReadError error = parseInto(file.readAll(), log.loadBuffer(), count);
    if (error != LogReadError::None)
        return error;
    log.takeLoadBuffer(count);
    if (log.ContactCountAtLoad == 0)
        log.ContactCountAtLoad = static_cast<float>(log.ContactCount());
    return LogReadError::None;
}

namespace {
// Where a new line must go so the file stays loadable: over the terminator
// of the last record's last value, with a line end first. Whatever follows
// that value is blank lines the reader tolerates at the end only; left in
// place they would stand between two records and shift every later value.
struct AppendPoint {
    qint64 offset = -1;  ///< -1: the end of the file
    bool needsLineEnd = false;
};

// The records found the way the reader finds them (a record is the next
// twenty values wherever the line ends fall), so any file that loads still
// loads with the new line added. Reads the whole file.
AppendPoint appendPointByScan(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    platform::SettingsReader reader(bytes);
    qint64 end = 0;
    bool any = false;
    while (!reader.atEnd() && !reader.onlyBlankLinesLeft()) {
        for (int v = 0; v < ValuesPerRecord; ++v) {
            if (!reader.skipValue()) {
                // Not a log the program can load (changed behind its back):
                // add the line at the very end, on a line of its own.
                const char last = bytes.back();
                return {-1, last != '\n' && last != '\r'};
            }
        }
        end = reader.lastValueEnd();
        any = true;
    }
    return any ? AppendPoint{end, true} : AppendPoint{0, false};
}

// The usual case without reading the whole file: the file ends with the
// line of the record logged before and at most one line end. That line is
// the file's last twenty values, so in a file that loads it is the last
// record and the new line goes right after it. Blank lines after it are left
// to the full scan: they count as values when a record is not yet complete,
// so the last line need not be a record of its own. Anything else (a file
// changed behind the program's back, a line another program wrote its own
// way) takes the full scan too.
std::optional<AppendPoint> appendPointFromTail(QFile& file, const ContactLog& log, int n)
{
    if (n < 2)
        return std::nullopt;
    const QByteArray last = formatContactLine(log.record(n - 1)).chopped(2);
    if (last.contains('\r') || last.contains('\n'))
        return std::nullopt;
    // The line, its line end and the character before it.
    const qint64 size = file.size();
    const qint64 start = std::max<qint64>(0, size - (last.size() + 3));
    if (!file.seek(start))
        return std::nullopt;
    const QByteArray tail = file.read(size - start);
    if (tail.size() != size - start)
        return std::nullopt;
    qsizetype contentEnd = tail.size();
    if (tail.endsWith("\r\n"))
        contentEnd -= 2;
    else if (tail.endsWith('\n') || tail.endsWith('\r'))
        contentEnd -= 1;
    const qsizetype lineStart = contentEnd - last.size();
    if (lineStart < 0 || tail.mid(lineStart, last.size()) != last)
        return std::nullopt;
    const bool startsALine =
        lineStart > 0 ? (tail.at(lineStart - 1) == '\n' || tail.at(lineStart - 1) == '\r') : start == 0;
    if (!startsALine)
        return std::nullopt;
    return AppendPoint{start + contentEnd, true};
}

AppendPoint appendPoint(const QString& path, const ContactLog& log, int n)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (const std::optional<AppendPoint> fromTail = appendPointFromTail(file, log, n))
        return *fromTail;
    if (!file.seek(0))
        return {};
    return appendPointByScan(file.readAll());
}
}  // namespace

int firstUnreadableLine(const QByteArray& bytes)
{
    platform::SettingsReader reader(bytes);
    int count = 0;
    while (!reader.atEnd() && !reader.onlyBlankLinesLeft()) {
        const int start = reader.line();
        if (count >= ContactLog::MaxContacts)
            return start;
        // The first nineteen values stay on the record's line, and the
        // twentieth ends it (or the file).
        for (int v = 1; v < ValuesPerRecord; ++v)
            if (!reader.skipValue() || reader.lastValueHadStrayQuote() || reader.line() != start)
                return start;
        if (!reader.skipValue() || reader.lastValueHadStrayQuote())
            return start;
        if (reader.line() != start + 1 && !reader.atEnd())
            return start;
        ++count;
    }
    return 0;
}

platform::FileWriteResult AppendContact(const ContactLog& log, int n, const QString& path)
{
    if (n < 1 || n > log.ContactCount())
        return {false, QStringLiteral("There is no contact number %1 to write.").arg(n)};
    QByteArray line = formatContactLine(log.record(n));
    const AppendPoint at = appendPoint(path, log, n);
    if (at.needsLineEnd)
        line.prepend("\r\n");
    return platform::appendToFile(path, line, at.offset);
}

platform::FileWriteResult RewriteLog(const ContactLog& log, const QString& path)
{
    return platform::writeFileSafely(path, formatLogFile(log));
}

platform::FileWriteResult DeleteContact(ContactLog& log, int k, const QString& path)
{
    if (k < 1 || k > log.ContactCount())
        return {false, QStringLiteral("There is no contact number %1 to delete.").arg(k)};
    const ContactRecord removed = log.record(k);
    log.remove(k);
    auto result = RewriteLog(log, path);
    if (!result.ok)
        log.insert(k, removed);
    return result;
}

}  // namespace contactlog
