#pragma once

#include <string>

#include "platform/clock.h"

namespace lec {

// The permanent record of what happened: Histo.txt in the application folder,
// one record a line, appended and flushed by WriteHisto.
class ActivityLog {
public:
    static constexpr const char* kFileName = "Histo.txt";

    ActivityLog(const Clock& clock, std::string appFolder);

    // Appends "  <time>    <date>    <code>    <message>": the code with
    // leading zeros to three digits ("000" for everything but FADEC errors).
    // The record is on the disk when this returns; false when it could not be
    // written.
    bool WriteHisto(int code, const std::string& message);

    // The record as WriteHisto writes it, without the line end.
    static std::string record(const std::string& time, const std::string& date, int code,
                              const std::string& message);

    std::string path() const;

private:
    const Clock& clock_;
    std::string appFolder_;
};

}  // namespace lec
