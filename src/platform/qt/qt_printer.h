#pragma once

#include <string>
#include <vector>

#include <QDateTime>

#include "platform/printer.h"

namespace lec {

// Collects the document page by page and prints it at endDoc(): on the
// system's default printer, or, on a machine without one, into
// Print-yyyyMMdd-HHmmss.pdf in the application folder.
class QtPrinter : public Printer {
public:
    explicit QtPrinter(std::string appFolder);

    void printLine(std::string_view utf8) override;
    void newPage() override;
    void endDoc() override;
    std::string lastDestination() const override { return lastDestination_; }

    // The first free name for a document finished at `at`: Print-...pdf,
    // then Print-...-2.pdf, -3 ...
    static std::string pdfPath(const std::string& folder, const QDateTime& at);

private:
    std::string appFolder_;
    std::vector<std::vector<std::string>> pages_{1};
    std::string lastDestination_;
};

}  // namespace lec
