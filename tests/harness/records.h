// Reading back the records that the helper programs leave: which ran, when it started and ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

struct Record {
    std::string name;
    DWORD start = 0;  // GetTickCount values: one clock for every process of the prefix
    DWORD end = 0;
};

// The records of a log file in the order they were written; none when the file is absent.
std::vector<Record> ReadRecords(const std::string& logPath);

// The record of `name`, or one with an empty name.
Record FindRecord(const std::vector<Record>& records, const std::string& name);

// "a[1 2] b[3 4]" for failure messages.
std::string Describe(const std::vector<Record>& records);

}  // namespace harness
