#include "core/startup_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace lec::startup_files {
namespace {

using Lines = std::vector<std::string>;

std::string times(int n, const std::string& s) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

Lines lines(int n, const std::string& line) {
    return Lines(static_cast<std::size_t>(n), line);
}

Lines with(Lines base, std::size_t index, const std::string& line) {
    base.at(index) = line;
    return base;
}

// The bytes of every file as the start-up creates it.
const std::map<std::string, std::string>& createdBytes() {
    static const std::map<std::string, std::string> bytes = {
        {"ConsignePW.ini", times(6, "50\r\n")},
        {"StatusHalogen.ini", times(18, "0\r\n")},
        {"ParamComx.ini", times(12, "\"0\"\r\n")},
        {"Consigne.ini", " 220 \r\n"},
        {"ConsSliderLCF.ini", " 130 \r\n 30 \r\n" + times(7, "0\r\n")},
        {"NS.ini", "1.01\r\n0\r\n0\r\n1\r\n"},
        {"TypeFile.ini", times(17, "0\r\n") + " \r\n" + times(11, "0\r\n")},
        {"CocheSelect.ini", "1\r\n"},
        {"Coefficients.ini",
         times(6, times(5, "1\r\n") + times(5, "0\r\n") + "4\r\n2\r\n" + times(3, "0\r\n"))},
        {"StartHalogen.ini", "0\r\n"},
        {"Histo.txt", ""},
        {"ParamSt.ini", times(8, "0\r\n") + "16\r\n" + times(9, "0\r\n") +
                            "50\r\n20\r\n15\r\n3\r\n0\r\n50\r\n35\r\n70\r\n"
                            "115\r\n25\r\n60\r\n0\r\n50\r\n15\r\n"},
        {"Name.inc", "\"bluewing\"\r\n\"harbour\"\r\n"},
        {"ParamLogStart.ini", times(25, "0\r\n") + "1\r\n" + times(10, "0\r\n") + "Calderway\r\n" +
                                  times(3, "255\r\n") + times(3, "0\r\n") + "1\r\n1\r\n" +
                                  times(6, "0\r\n")},
        {"SHTConsigne.ini", "40\r\n"},
        {"SHTPCStatusHal.ini", "1\r\n" + times(10, "0\r\n") + "1\r\n" + times(8, "0\r\n")},
    };
    return bytes;
}

class CreatedFiles : public ::testing::Test {
protected:
    // Writes `name` as the start-up would and reads it back as lines.
    Lines createAndRead(std::string_view name) {
        const std::string path = folder_.file(std::string(name));
        EXPECT_TRUE(textfile::writeLines(path, defaultLines(name)));
        return textfile::readLines(path).value_or(Lines{});
    }

    test::TempFolder folder_;
};

TEST_F(CreatedFiles, HoldTheirDefaultBytesExactly) {
    for (const auto& file : kStartupFiles) {
        SCOPED_TRACE(std::string(file.name));
        const auto expected = createdBytes().find(std::string(file.name));
        ASSERT_NE(expected, createdBytes().end());
        const std::string path = folder_.file(std::string(file.name));
        ASSERT_TRUE(textfile::writeLines(path, defaultLines(file.name)));
        EXPECT_EQ(textfile::readAll(path), expected->second);
    }
    EXPECT_EQ(createdBytes().size(), kStartupFiles.size());
    EXPECT_TRUE(defaultLines("Unknown.ini").empty());
}

TEST(StartupFileList, KeepsTheStartupOrderAndOnlyThePasswordsInTheSystemFolder) {
    const char* const order[] = {"ConsignePW.ini",    "StatusHalogen.ini", "ParamComx.ini",
                                 "Consigne.ini",      "ConsSliderLCF.ini", "NS.ini",
                                 "TypeFile.ini",      "CocheSelect.ini",   "Coefficients.ini",
                                 "StartHalogen.ini",  "Histo.txt",         "ParamSt.ini",
                                 "Name.inc",          "ParamLogStart.ini", "SHTConsigne.ini",
                                 "SHTPCStatusHal.ini"};
    ASSERT_EQ(std::size(order), kStartupFiles.size());
    for (std::size_t i = 0; i < kStartupFiles.size(); ++i) {
        EXPECT_EQ(kStartupFiles[i].name, order[i]);
        EXPECT_EQ(kStartupFiles[i].inSystemFolder, kStartupFiles[i].name == "Name.inc");
        // Failing steps are skipped from CocheSelect.ini on.
        EXPECT_EQ(kStartupFiles[i].skipOnFailure, i >= 7) << order[i];
        EXPECT_EQ(startupIndex(order[i]), i);
    }
    EXPECT_EQ(startupIndex("Dialogue.txt"), std::nullopt);

    StartupValues values;
    values.present[*startupIndex("StartHalogen.ini")] = true;
    EXPECT_TRUE(values.wasPresent("StartHalogen.ini"));
    EXPECT_FALSE(values.wasPresent("Histo.txt"));
    EXPECT_FALSE(values.wasPresent("Unknown.ini"));
}

TEST_F(CreatedFiles, ReadBackToTheirDefaults) {
    EXPECT_EQ(readPowerSetPoints(createAndRead(kConsignePW)),
              PowerSetPoints({50, 50, 50, 50, 50, 50}));

    const auto qth = readQthAlarmItems(createAndRead(kStatusHalogen));
    ASSERT_TRUE(qth);
    for (const auto& item : *qth) {
        EXPECT_EQ(item, "0");
    }

    EXPECT_EQ(readQthThreshold(createAndRead(kConsigne)), 220);
    EXPECT_EQ(readLfcAlarmSettings(createAndRead(kConsSliderLCF)),
              (LfcAlarmSettings{130, 30, {}, false}));

    const auto coefficients = readCoefficients(createAndRead(kCoefficients));
    ASSERT_TRUE(coefficients);
    EXPECT_EQ(*coefficients, defaultCoefficients());
    const std::array<std::string, 16> perLe = {"1", "1", "1", "1", "1", "0", "0", "0",
                                               "0", "0", "4", "2", "0", "0", "0", ""};
    for (int le = 0; le < kLeCount; ++le) {
        EXPECT_EQ((*coefficients)[static_cast<std::size_t>(le)], perLe) << "LE" << le + 1;
    }
    for (const auto& unused : (*coefficients)[6]) {
        EXPECT_EQ(unused, "");
    }

    const auto params = readParamValues(createAndRead(kParamSt));
    ASSERT_TRUE(params);
    EXPECT_EQ(*params, defaultParamValues());
    EXPECT_EQ((*params)[8], "16");
    EXPECT_EQ((*params)[26], "115");
    EXPECT_EQ((*params)[31], "15");

    EXPECT_EQ(readShtLevel(createAndRead(kSHTConsigne)), 40);

    const auto sht = readShtAlarmItems(createAndRead(kSHTPCStatusHal));
    ASSERT_TRUE(sht);
    for (std::size_t i = 0; i < sht->size(); ++i) {
        EXPECT_EQ((*sht)[i], i == 0 || i == 11 ? "1" : "0") << "item " << i;
    }
}

// --- Readers on hand-edited files ---

// A reader seen as "did it accept these lines".
using Accepts = std::function<bool(const Lines&)>;

template <typename Reader>
Accepts accepts(Reader reader) {
    return [reader](const Lines& l) { return reader(l).has_value(); };
}

struct Case {
    const char* what;
    Accepts reader;
    Lines lines;
    bool readable;
};

TEST(StartupReaders, RefuseWhatTheControlsCannotTake) {
    const Lines power = lines(6, "50");
    const Lines qth = lines(18, "0");
    const Lines lfc = {" 130 ", " 30 ", "0", "0", "0", "0", "0", "0", "0"};
    const Lines sht = lines(20, "0");
    const auto powerRead = accepts(readPowerSetPoints);
    const auto qthRead = accepts(readQthAlarmItems);
    const auto thresholdRead = accepts(readQthThreshold);
    const auto lfcRead = accepts(readLfcAlarmSettings);
    const auto coefficientRead = accepts(readCoefficients);
    const auto paramRead = accepts(readParamValues);
    const auto levelRead = accepts(readShtLevel);
    const auto shtRead = accepts(readShtAlarmItems);

    const Case cases[] = {
        {"ConsignePW: five lines", powerRead, lines(5, "50"), false},
        {"ConsignePW: a letter", powerRead, with(power, 3, "5O"), false},
        {"ConsignePW: a fraction", powerRead, with(power, 1, "50.5"), false},
        {"ConsignePW: first below the slider", powerRead, with(power, 0, "29"), false},
        {"ConsignePW: first above the slider", powerRead, with(power, 0, "131"), false},
        {"ConsignePW: beyond 16 bits", powerRead, with(power, 2, "32768"), false},
        {"ConsignePW: slider ends", powerRead, with(with(power, 0, "30"), 5, "130"), true},
        {"ConsignePW: others outside 30..130", powerRead, with(power, 1, "200"), true},
        {"ConsignePW: blanks around", powerRead, with(power, 0, "  75 "), true},

        {"StatusHalogen: 17 lines", qthRead, lines(17, "0"), false},
        {"StatusHalogen: a word for an LE", qthRead, with(qth, 0, "yes"), false},
        {"StatusHalogen: a word for a channel", qthRead, with(qth, 7, "True"), false},
        {"StatusHalogen: True for an LE", qthRead, with(qth, 5, "True"), true},
        {"StatusHalogen: reserved text", qthRead, with(qth, 12, "x"), true},

        {"Consigne: empty", thresholdRead, {}, false},
        {"Consigne: a word", thresholdRead, {"abc"}, false},
        {"Consigne: 0", thresholdRead, {"0"}, false},
        {"Consigne: 256", thresholdRead, {"256"}, false},
        {"Consigne: 1", thresholdRead, {" 1 "}, true},
        {"Consigne: 255", thresholdRead, {"255"}, true},

        {"ConsSliderLCF: eight lines", lfcRead, Lines(lfc.begin(), lfc.end() - 1), false},
        {"ConsSliderLCF: Min below 0", lfcRead, with(lfc, 0, "-1"), false},
        {"ConsSliderLCF: Max above 255", lfcRead, with(lfc, 1, "256"), false},
        {"ConsSliderLCF: a word for a box", lfcRead, with(lfc, 4, "x"), false},
        {"ConsSliderLCF: 2 for a box", lfcRead, with(lfc, 8, "2"), true},

        {"Coefficients: 89 lines", coefficientRead, lines(89, "1"), false},
        {"Coefficients: a word", coefficientRead, with(lines(90, "1"), 4, "abc"), true},

        {"ParamSt: 31 values", paramRead, lines(31, "0"), false},
        {"ParamSt: empty", paramRead, {}, false},
        {"ParamSt: 300 and a word", paramRead, with(with(lines(32, "0"), 3, "300"), 4, "x"), true},

        {"SHTConsigne: empty", levelRead, {}, false},
        {"SHTConsigne: a word", levelRead, {"4O"}, false},
        {"SHTConsigne: -1", levelRead, {"-1"}, false},
        {"SHTConsigne: 256", levelRead, {"256"}, false},
        {"SHTConsigne: 0", levelRead, {"0"}, true},
        {"SHTConsigne: 255", levelRead, {"255"}, true},

        {"SHTPCStatusHal: 19 lines", shtRead, lines(19, "0"), false},
        {"SHTPCStatusHal: a word for SHT", shtRead, with(sht, 11, "True"), false},
        {"SHTPCStatusHal: reserved text", shtRead, with(sht, 12, "x"), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.reader(c.lines), c.readable) << c.what;
    }
}

TEST(StartupReaders, LfcBoxesTickOnlyOnOne) {
    const auto s = readLfcAlarmSettings({"10", "200", "1", "0", "2", " 1 ", "1.0", "-1", "1"});
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, (LfcAlarmSettings{10, 200, {true, false, false, true, true, false}, true}));
}

TEST(StartupReaders, ParamValuesTakeTheLastCompleteGroup) {
    Lines file;
    for (int i = 0; i < 64 + 10; ++i) {
        file.push_back(std::to_string(i));
    }
    const auto values = readParamValues(file);
    ASSERT_TRUE(values);
    EXPECT_EQ((*values)[0], "32");
    EXPECT_EQ((*values)[31], "63");

    // Items, not lines: commas separate values, quotes and surrounding blanks go.
    file = lines(30, "0");
    file.push_back("\"7\", 8 ");
    file.push_back("  9");
    const auto items = readParamValues(file);
    ASSERT_TRUE(items);
    EXPECT_EQ((*items)[30], "7");
    EXPECT_EQ((*items)[31], "8");
}

TEST(StartupReaders, KeepTextsAsTheWindowsNeedThem) {
    // Coefficient lines are taken whole, blanks and commas included.
    Lines coefficients = lines(90, "1");
    coefficients[15] = " 1,5 ";
    const auto table = readCoefficients(coefficients);
    ASSERT_TRUE(table);
    EXPECT_EQ((*table)[1][0], " 1,5 ");

    // Flag items lose their blanks, so the watched-LE rule can compare with "1".
    Lines qth = lines(18, "0");
    qth[2] = " 1 ";
    const auto items = readQthAlarmItems(qth);
    ASSERT_TRUE(items);
    EXPECT_EQ((*items)[2], "1");
}

}  // namespace
}  // namespace lec::startup_files
