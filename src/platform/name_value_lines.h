#pragma once
// The small tables the operator writes by hand (serialports.txt,
// parports.txt, AgwEngine.txt): one "name=value" a line. A line ends in
// LF, CR LF or a CR alone, whatever editor wrote the file; blank lines,
// lines starting with '#' and lines without a name before '=' are passed
// over. Names and values come without their surrounding blanks.

#include <QString>
#include <vector>

namespace platform {

struct NameValue {
    QString name;
    QString value;
};

[[nodiscard]] std::vector<NameValue> nameValueLines(const QString& text);

}  // namespace platform
