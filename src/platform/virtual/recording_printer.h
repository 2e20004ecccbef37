#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/printer.h"

namespace lec {

// A printer that keeps what it was sent, page by page, for tests to read.
class RecordingPrinter : public Printer {
public:
    struct Document {
        std::vector<std::vector<std::string>> pages;
    };

    void printLine(std::string_view utf8) override;
    void newPage() override;
    void endDoc() override;
    std::string lastDestination() const override { return "recording"; }

    // Every document that endDoc() sent, oldest first.
    const std::vector<Document>& documents() const { return documents_; }
    // The document being built, when a line or page has been sent since the
    // last endDoc().
    const std::optional<Document>& current() const { return current_; }

private:
    Document& building();

    std::vector<Document> documents_;
    std::optional<Document> current_;
};

}  // namespace lec
