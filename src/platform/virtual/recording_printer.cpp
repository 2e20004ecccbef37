#include "platform/virtual/recording_printer.h"

#include <utility>

namespace lec {

RecordingPrinter::Document& RecordingPrinter::building() {
    // A document starts on its first page.
    if (!current_)
        current_ = Document{{{}}};
    return *current_;
}

void RecordingPrinter::printLine(std::string_view utf8) {
    building().pages.back().emplace_back(utf8);
}

void RecordingPrinter::newPage() {
    building().pages.emplace_back();
}

void RecordingPrinter::endDoc() {
    // Sent even when empty: the caller asked for a document, and a test must
    // see that it did.
    documents_.push_back(std::move(building()));
    current_.reset();
}

}  // namespace lec
