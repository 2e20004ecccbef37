#include "records/activity_log.h"

#include "platform/text_file.h"

namespace lec {

ActivityLog::ActivityLog(const Clock& clock, std::string appFolder)
    : clock_(clock), appFolder_(std::move(appFolder)) {
}

std::string ActivityLog::path() const {
    return textfile::join(appFolder_, kFileName);
}

std::string ActivityLog::record(const std::string& time, const std::string& date, int code,
                                const std::string& message) {
    const std::string padded = "000" + std::to_string(code);
    return "  " + time + "    " + date + "    " + padded.substr(padded.size() - 3) + "    " +
           message;
}

bool ActivityLog::WriteHisto(int code, const std::string& message) {
    const DateTime now = clock_.now();
    const ShortDateFormat format = clock_.dateFormat();
    return textfile::appendLine(
        path(), record(formatShortTime(now), formatShortDate(now, format), code, message));
}

}  // namespace lec
