#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/qt/qt_printer.h"

namespace lec {
namespace {

// The text of each page of a PDF, as pdftotext reads it.
QStringList pdfPages(const std::string& path) {
    QProcess p;
    p.start("pdftotext", {"-layout", QString::fromStdString(path), "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        return {};
    }
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) {
        pages.removeLast();  // the form feed after the last page
    }
    return pages;
}

QStringList linesOf(const QString& page) {
    QStringList out;
    for (const QString& l : page.split('\n')) {
        if (!l.trimmed().isEmpty()) {
            out << l.trimmed();
        }
    }
    return out;
}

class QtPrinterPdf : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QPrinterInfo::defaultPrinter().isNull()) {
            GTEST_SKIP() << "a printer is installed: documents would go to it";
        }
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
            GTEST_SKIP() << "pdftotext is missing";
        }
        ASSERT_TRUE(dir_.isValid());
    }

    std::string folder() const { return dir_.path().toStdString(); }

    QTemporaryDir dir_;
};

TEST_F(QtPrinterPdf, PrintsLinesAndPagesIntoAPdfInTheAppFolder) {
    QtPrinter printer(folder());
    printer.printLine("LE-1 hours 1234");
    printer.printLine("LE-2 h\xC3\xB6urs 56");  // non-ASCII survives
    printer.printLine("   indented");
    printer.newPage();
    printer.printLine("second page");
    printer.printLine("end");
    printer.endDoc();

    const std::string path = printer.lastDestination();
    const QFileInfo info(QString::fromStdString(path));
    ASSERT_TRUE(info.exists()) << path;
    EXPECT_EQ(info.absolutePath(), QFileInfo(dir_.path()).absoluteFilePath());
    EXPECT_TRUE(QRegularExpression(R"(^Print-\d{8}-\d{6}\.pdf$)").match(info.fileName()).hasMatch())
        << info.fileName().toStdString();

    const QStringList pages = pdfPages(path);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(linesOf(pages[0]), (QStringList{"LE-1 hours 1234", "LE-2 höurs 56", "indented"}));
    EXPECT_EQ(linesOf(pages[1]), (QStringList{"second page", "end"}));
}

TEST_F(QtPrinterPdf, FullPageContinuesOnTheNextOne) {
    QtPrinter printer(folder());
    QStringList sent;
    for (int i = 1; i <= 150; ++i) {
        sent << QStringLiteral("line %1").arg(i);
        printer.printLine(sent.back().toStdString());
    }
    printer.endDoc();

    const QStringList pages = pdfPages(printer.lastDestination());
    ASSERT_GE(pages.size(), 2);
    QStringList got;
    for (const QString& page : pages) {
        EXPECT_LE(linesOf(page).size(), 100) << "a page holds about 60 lines";
        got << linesOf(page);
    }
    EXPECT_EQ(got, sent);
}

TEST_F(QtPrinterPdf, EachDocumentIsAFileOfItsOwn) {
    QtPrinter printer(folder());
    printer.printLine("one");
    printer.endDoc();
    const std::string first = printer.lastDestination();
    printer.printLine("two");
    printer.endDoc();
    const std::string second = printer.lastDestination();
    ASSERT_NE(first, second);
    EXPECT_EQ(linesOf(pdfPages(first).value(0)), QStringList{"one"});
    EXPECT_EQ(linesOf(pdfPages(second).value(0)), QStringList{"two"});
}

TEST_F(QtPrinterPdf, EmptyDocumentPrintsNothing) {
    QtPrinter printer(folder());
    printer.endDoc();
    EXPECT_EQ(printer.lastDestination(), "");
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

TEST(QtPrinter, PdfNameTakesTheNextFreeNumber) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDateTime at(QDate(2026, 3, 4), QTime(5, 6, 7));
    const std::string folder = dir.path().toStdString();
    const auto name = [&] {
        return QFileInfo(QString::fromStdString(QtPrinter::pdfPath(folder, at))).fileName();
    };
    EXPECT_EQ(name(), "Print-20260304-050607.pdf");
    for (const char* taken : {"Print-20260304-050607.pdf", "Print-20260304-050607-2.pdf"}) {
        QFile f(dir.filePath(taken));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(name(), "Print-20260304-050607-3.pdf");
}

}  // namespace
}  // namespace lec
