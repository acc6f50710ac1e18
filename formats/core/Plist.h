#pragma once
// Reader for property-list files, binary ("bplist00") or XML. The profile
// catalogue is its only user; nothing in the program writes property lists.
//
// Every failure is thrown as std::runtime_error with a fixed English text
// (a root that is not a dictionary raises boost::bad_any_cast). On failure
// the caller's dictionary is left as it was.
#include <boost/any.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

using PlistDictionary = std::map<std::string, boost::any>;
using PlistArray = std::vector<boost::any>;
using PlistData = std::vector<char>;

// A point in time as whole seconds since 1970-01-01 00:00:00 UTC.
struct PlistDate {
    int64_t timeSinceEpoch = 0;

    // Starts as the current time.
    PlistDate();
    // From the XML form "YYYY-MM-DDTHH:MM:SSZ". Fields the text does not
    // reach default to 1970-01-01 00:00:00, so no error arises from a text
    // that does not match.
    explicit PlistDate(const std::string &text);

    // utc true reads the fields as UTC, false as local time. Throws
    // "PlistDate::set() date invalid" for a time before the epoch.
    void set(int month, int day, int year, int hour, int minute, int second, bool utc);
};

// Reads the whole file and parses it. An empty path returns at once and
// leaves dict untouched.
void readPlistFile(const std::string &path, PlistDictionary &dict);

// Parses one property list whose root must be a dictionary; on success its
// contents replace those of dict.
void parsePlistBuffer(const char *data, uint64_t size, PlistDictionary &dict);
