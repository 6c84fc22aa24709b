// Reading back the records that the helper programs leave.
#include "harness/records.h"

#include <sstream>

#include "harness/harness.h"

namespace harness {

std::vector<Record> ReadRecords(const std::string& logPath) {
    std::vector<Record> records;
    std::istringstream lines(ReadFile(logPath).value_or(""));
    Record record;
    unsigned long start = 0;
    unsigned long end = 0;
    while (lines >> record.name >> start >> end) {
        record.start = start;
        record.end = end;
        records.push_back(record);
    }
    return records;
}

Record FindRecord(const std::vector<Record>& records, const std::string& name) {
    for (const Record& record : records) {
        if (record.name == name) return record;
    }
    return {};
}

std::string Describe(const std::vector<Record>& records) {
    std::ostringstream out;
    for (const Record& record : records) {
        out << record.name << "[" << record.start << " " << record.end << "] ";
    }
    return out.str();
}

}  // namespace harness
