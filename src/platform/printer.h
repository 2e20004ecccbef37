#pragma once

#include <string>
#include <string_view>

namespace lec {

// The default printer, line by line. Lines go to the current page; endDoc()
// sends the document. With no printer installed the document becomes a PDF
// file in the application folder.
class Printer {
public:
    virtual ~Printer() = default;
    virtual void printLine(std::string_view utf8) = 0;
    virtual void newPage() = 0;
    virtual void endDoc() = 0;
    // Where the last document went: the printer's name or the PDF file.
    virtual std::string lastDestination() const = 0;
};

}  // namespace lec
