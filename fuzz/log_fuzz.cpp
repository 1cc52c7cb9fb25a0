// log.txt: whatever the reader accepts, logging one more contact after it
// must leave a file that reads again with that contact last.

#include "fuzz_input.h"
#include "log/contact_log.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    const contactlog::LogReadResult read = contactlog::parseLogFile(bytes);
    if (!read.ok() || read.records.size() >= static_cast<size_t>(contactlog::ContactLog::MaxContacts))
        return 0;

    const QString path = fuzzing::inputFile(QStringLiteral("log.txt"), data, size);
    contactlog::ContactLog log;
    if (contactlog::LoadLog(log, path) != contactlog::LogReadError::None)
        std::abort();  // the file reads differently from the same bytes in memory
    contactlog::ContactRecord added;
    added.LogCall = QStringLiteral("K6FUZ");
    added.LogSerialRcvd = QStringLiteral("1");
    if (!log.add(added) || !contactlog::AppendContact(log, log.ContactCount(), path).ok)
        return 0;
    const contactlog::LogReadResult again = contactlog::readLogFile(path);
    if (!again.ok() || again.records.size() != read.records.size() + 1 || again.records.back().LogCall != added.LogCall)
        std::abort();
    return 0;
}
