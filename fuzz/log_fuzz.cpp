// log.txt: whatever the reader accepts, logging one more contact after it
// must leave a file that reads again with that contact last. A file that
// reads holds no value with a quote in it (the rewrite would change it) and
// reads the same with a byte-order mark in front, and what it reads is what
// a rewrite writes back.

#include "fuzz_input.h"
#include "log/contact_log.h"
#include "settings_check.h"

#include <cstdlib>
#include <vector>

using fuzzing::require;

namespace {
std::vector<QString*> texts(contactlog::ContactRecord& r)
{
    return {&r.LogCall,       &r.LogRstSent, &r.LogRstRcvd,    &r.LogSPC,     &r.LogCountyRcvd,
            &r.LogState,      &r.LogCountySent, &r.LogSpare8,  &r.LogSpare9,  &r.LogSpare10,
            &r.LogSerialSent, &r.LogDate,    &r.LogTime,       &r.LogMode,    &r.LogBand,
            &r.LogSpare17,    &r.LogSpare18, &r.LogSerialRcvd, &r.LogFrequency};
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    const contactlog::LogReadResult read = contactlog::parseLogFile(bytes);
    const QByteArray mark("\xEF\xBB\xBF");
    if (!bytes.startsWith(mark)) {
        const contactlog::LogReadResult marked = contactlog::parseLogFile(mark + bytes);
        require(marked.error == read.error && marked.records == read.records);
    }
    // A file that fails to load names the line to mend; one that loads has none.
    require((contactlog::firstUnreadableLine(bytes) == 0) == read.ok());
    if (!read.ok() || read.records.size() >= static_cast<size_t>(contactlog::ContactLog::MaxContacts))
        return 0;
    // A rewrite gives back every value as read, but for the control
    // characters the writer drops (a quote is never read into a value).
    std::vector<contactlog::ContactRecord> kept = read.records;
    for (contactlog::ContactRecord& r : kept)
        for (QString* text : texts(r)) {
            require(!text->contains(u'"'));
            *text = fuzzing::keptByWriter(*text);
        }
    contactlog::ContactLog rewritten;
    rewritten.replaceAll(read.records);
    const contactlog::LogReadResult again = contactlog::parseLogFile(contactlog::formatLogFile(rewritten));
    require(again.ok() && again.records == kept);

    const QString path = fuzzing::inputFile(QStringLiteral("log.txt"), data, size);
    contactlog::ContactLog log;
    if (contactlog::LoadLog(log, path) != contactlog::LogReadError::None)
        std::abort();  // the file reads differently from the same bytes in memory
    contactlog::ContactRecord added;
    added.LogCall = QStringLiteral("K6FUZ");
    added.LogSerialRcvd = QStringLiteral("1");
    if (!log.add(added) || !contactlog::AppendContact(log, log.ContactCount(), path).ok)
        return 0;
    const contactlog::LogReadResult appended = contactlog::readLogFile(path);
    if (!appended.ok() || appended.records.size() != read.records.size() + 1 ||
        appended.records.back().LogCall != added.LogCall)
        std::abort();
    return 0;
}
