#pragma once

#include <array>
#include <string>
#include <string_view>

// The 32 rows of a FADEC's parameter table as the program knows them: the
// title each row shows (`TitreListeParam`), the built-in default
// (`TableParamDefaut`) and the Min and Max hints the input dialog shows.
namespace lec::fadec_param {

inline constexpr int kRows = 32;
// Row r is shown with the parameter number 32 + r.
inline constexpr int kFirstNumber = 32;

// What the input dialog lets the user do with a row.
enum class EditClass {
    ReadOnly,  // rows 0..8, the clock registers: shown in red, nothing can be typed
    Reserved,  // rows 9..17, no title: shown in orange, editable
    Editable,  // rows 18..31: shown in light blue, editable within Min..Max
};

struct Row {
    std::string_view title;  // as the table shows it, without the padding
    int titleWidth;          // the title's full width, blanks on the right included
    int defaultValue;
    std::string_view minHint;
    std::string_view maxHint;
    EditClass edit;
};

// Titles are 40 characters wide, padded with blanks on the right; row 24's is
// one shorter, and the reserved rows 9..17 have no title at all. Rows 22, 27
// and 29 are 40 blanks. Rows 22 and 29 default to 0, below their Min of 1:
// the range applies to what the user types, not to the built-in defaults.
inline constexpr std::array<Row, kRows> kTable = {{
    {"Index - Selection bank (0,1,2)", 40, 0, "", "", EditClass::ReadOnly},
    {"Reg. Seconds (DS1307)", 40, 0, "BCD 0-9  [0-59]", "BCD 0-5", EditClass::ReadOnly},
    {"Reg. Minutes (DS1307)", 40, 0, "BCD 0-9  [0-59]", "BCD 0-5", EditClass::ReadOnly},
    {"Reg. Hours (DS1307)", 40, 0, "BCD 0-9  [0-59]", "BCD 0-5", EditClass::ReadOnly},
    {"Reg. D/wk (DS1307)", 40, 0, "BCD 1-7   [1-7]", "", EditClass::ReadOnly},
    {"Reg. J / month (DS1307)", 40, 0, "BCD 0-9  [0-31]", "BCD 0-3", EditClass::ReadOnly},
    {"Reg. Months (DS1307)", 40, 0, "BCD 0-9  [1-12]", "BCD 0-3", EditClass::ReadOnly},
    {"Reg. Years (DS1307)", 40, 0, "BCD 0-9  [1-99]", "BCD 0-3", EditClass::ReadOnly},
    {"Reg. Status (DS1307)", 40, 16, "Status = 16", "", EditClass::ReadOnly},
    {"", 0, 0, "0", "255", EditClass::Reserved},  // 9
    {"", 0, 0, "0", "255", EditClass::Reserved},
    {"", 0, 0, "0", "255", EditClass::Reserved},
    {"", 0, 0, "0", "255", EditClass::Reserved},
    {"", 0, 0, "0", "255", EditClass::Reserved},
    {"", 0, 0, "0", "255", EditClass::Reserved},
    {"", 0, 0, "0", "255", EditClass::Reserved},
    {"", 0, 0, "0", "255", EditClass::Reserved},
    {"", 0, 0, "0", "255", EditClass::Reserved},  // 17
    {"z1 Generator Start Delay", 40, 50, "50", "180", EditClass::Editable},
    {"z2 Ramp-up Time", 40, 20, "20", "40", EditClass::Editable},
    {"z3 Lamp Start Time", 40, 15, "15", "30", EditClass::Editable},
    {"Max Start Number", 40, 3, "3", "30", EditClass::Editable},
    {"", 40, 0, "1", "255", EditClass::Editable},  // 22
    {"Magnetron Power Start", 40, 50, "50", "130", EditClass::Editable},
    {"Deactivated Magn. Temp", 39, 35, "35", "55", EditClass::Editable},
    {"Start Level LP (Ph = 5)", 40, 70, "70", "90", EditClass::Editable},
    {"Max. Temp. Magnetron", 40, 115, "50", "125", EditClass::Editable},
    {"", 40, 25, "1", "255", EditClass::Editable},  // 27
    {"Max. Temp. SHT (Holder)", 40, 60, "20", "90", EditClass::Editable},
    {"", 40, 0, "1", "255", EditClass::Editable},  // 29
    {"LPC Level   (50) in ph=3-4", 40, 50, "25", "50", EditClass::Editable},
    {"LFC Level   (15) in ph=5", 40, 15, "0", "255", EditClass::Editable},
}};

// The title of `row` (0..31) at its full width, as the window holds it; the
// input dialog's "Line :" shows the first 28 characters of this.
inline std::string paddedTitle(int row) {
    const Row& r = kTable[static_cast<std::size_t>(row)];
    std::string title(r.title);
    if (static_cast<int>(title.size()) < r.titleWidth) {
        title.append(static_cast<std::size_t>(r.titleWidth) - title.size(), ' ');
    }
    return title;
}

// A default as the value label shows it: bare digits.
inline std::string defaultText(int row) {
    return std::to_string(kTable[static_cast<std::size_t>(row)].defaultValue);
}

}  // namespace lec::fadec_param
