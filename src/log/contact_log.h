#pragma once
// The contact log: the records in memory and their file, log.txt in the
// program folder, one contact per line.
//
// Line form: the twenty values of ContactRecord in order, separated by single
// commas, texts in double quotes exactly as held, the sixteenth value a bare
// number, CR LF at the end, 8-bit Latin-1:
//   "N0CALL","","","","ALAMEDA","","","","","","012","2021/10/02","16:02:41","CW","20",0,"","","7",""
//
// The file is the record of truth. Logging appends one line; every other
// change (edit, delete, restore, new log) rewrites the file whole through a
// temporary file, so a failure never leaves it half written, and the memory
// log is then reloaded from it.

#include "log/contact_record.h"
#include "platform/safe_file.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace contactlog {

/// The records 1 to ContactCount, in the order they were logged.
class ContactLog {
public:
    static constexpr int MaxContacts = 11000;

    [[nodiscard]] int ContactCount() const { return static_cast<int>(m_records.size()); }
    [[nodiscard]] bool isFull() const { return ContactCount() >= MaxContacts; }

    /// Record n, 1 to ContactCount. Record 0 (and any number outside the log)
    /// reads as the all-empty record, which the points rule compares record 1 with.
    [[nodiscard]] const ContactRecord& record(int n) const;
    /// Record n for changing in place (the edit dialogs); n must be 1 to
    /// ContactCount (any other number gives a scratch record that is never stored).
    [[nodiscard]] ContactRecord& recordForEdit(int n);
    [[nodiscard]] const std::vector<ContactRecord>& records() const { return m_records; }

    /// Adds a record after the last; false (and nothing added) when the log
    /// already holds MaxContacts. A new record is always a fresh slot.
    [[nodiscard]] bool add(const ContactRecord& record);
    /// Removes record n (1 to ContactCount); the later ones move down one place.
    void remove(int n);
    /// Puts back record n removed before (undo of a failed delete).
    void insert(int n, const ContactRecord& record);
    void removeLast();
    void clear() { m_records.clear(); }
    /// Replaces the whole log; at most MaxContacts records are kept.
    void replaceAll(std::vector<ContactRecord> records);

    /// The number of contacts found by the first load of the run that found
    /// any; 0 until then. Only a load sets it, and only while it is 0.
    float ContactCountAtLoad = 0;

    /// Records read by a load, put in place of the log when the load
    /// succeeds; the replaced records are kept for the next load to read
    /// into, so a reload neither frees nor allocates each value again.
    [[nodiscard]] std::vector<ContactRecord>& loadBuffer() { return m_spare; }
    void takeLoadBuffer(std::size_t count);

private:
    std::vector<ContactRecord> m_records;
    std::vector<ContactRecord> m_spare;
};

/// One record as one line of log.txt, CR LF included.
[[nodiscard]] QByteArray formatContactLine(const ContactRecord& record);
/// Records 1 to ContactCount as the whole file content.
[[nodiscard]] QByteArray formatLogFile(const ContactLog& log);

enum class LogReadError {
    None,
    Missing,      ///< the file cannot be opened
    TooMany,      ///< more than MaxContacts records
    ShortRecord,  ///< the values run out inside a record
    LineNotOneContact,  ///< a line holds fewer or more than one contact's twenty values
    QuoteInsideValue,   ///< a value holds a double quote, so where it ends is guesswork
};

struct LogReadResult {
    LogReadError error = LogReadError::None;
    std::vector<ContactRecord> records;  ///< the records read (all of them when error is None)
    [[nodiscard]] bool ok() const { return error == LogReadError::None; }
};

/// Reads log file content, one record of twenty values a line. A line that
/// holds fewer or more values (a line break inside a value, a blank line
/// between records) makes the file unreadable, whatever the counts of the
/// lines around it; so does a double quote inside a value (`"N6"BB"`), which
/// the writer never leaves: taking the value up to the quote would lose the
/// rest of it at the next rewrite. Blank lines after the last record are
/// ignored, and so is a byte-order mark at the start.
[[nodiscard]] LogReadResult parseLogFile(const QByteArray& bytes);
[[nodiscard]] LogReadResult readLogFile(const QString& path);

/// Where log file content first stops holding one contact per line: the
/// line (1-based) on which the first record starts that does not stand
/// whole on a line of its own (fewer or more than twenty values, a line
/// break inside a value, a blank line between records) or holds a double
/// quote inside a value, or the first line beyond MaxContacts records. 0
/// when every line holds one contact. A file that fails to load always has
/// such a line; it is the one to mend.
[[nodiscard]] int firstUnreadableLine(const QByteArray& bytes);

/// Replaces the memory log with the file at path (LoadLog). On success sets
/// ContactCountAtLoad when it is still 0. On failure the memory log is left
/// as it was; the caller reports "Error opening file." (title "File Error")
/// and ends the program.
[[nodiscard]] LogReadError LoadLog(ContactLog& log, const QString& path);

/// Appends record n (normally the newest) as one line, creating the file when
/// missing, and has it on the disk before returning. The line goes right
/// after the last record's line end: blank lines after the last record are
/// dropped (the reader tolerates them only at the end), and a last line that
/// lacks its line end gets one first. A failed write leaves the records in
/// the file as they were.
[[nodiscard]] platform::FileWriteResult AppendContact(const ContactLog& log, int n, const QString& path);

/// Writes records 1 to ContactCount over the file, safely (temporary file,
/// then rename). With no contacts the file exists and is empty.
[[nodiscard]] platform::FileWriteResult RewriteLog(const ContactLog& log, const QString& path);

/// Removes record k (1 to ContactCount) and rewrites the file. When the file
/// cannot be written the record is put back, so memory and file agree, and
/// the failure is returned.
[[nodiscard]] platform::FileWriteResult DeleteContact(ContactLog& log, int k, const QString& path);

}  // namespace contactlog
