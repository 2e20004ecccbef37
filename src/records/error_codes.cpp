#include "records/error_codes.h"

namespace lec {

namespace {

using forms::Kind;

constexpr Colour kPaleYellow{0x00FFFFC0u};
// The code table lists codes 0 to 19: 20 is the blank text.
constexpr int kListedCodes = 20;

std::string twoDigits(int code) {
    return (code < 10 ? "0" : "") + std::to_string(code);
}

}  // namespace

ErrorCodes::ErrorCodes(forms::FormSet& forms, forms::Form& log, Platform& /*platform*/,
                       Channels& channels, ActivityLog& activityLog)
    : log_(log),
      channels_(channels),
      activityLog_(activityLog),
      codeTable_(forms.create("MessagesError")) {
    buildCodeTable();
    log_.at("mnuCodeError").onClick = [this] { codeTable_.show(); };
}

void ErrorCodes::buildCodeTable() {
    codeTable_.caption = " FADEC Error Codes";
    codeTable_.setSize(6990, 4830);
    codeTable_.border = forms::BorderStyle::FixedSingle;
    codeTable_.minButton = false;
    codeTable_.maxButton = false;
    codeTable_.showInTaskbar = false;
    codeTable_.centred = true;

    auto& list = codeTable_.add(Kind::ListBox, "List1");
    list.back = kPaleYellow;
    list.fore = colours::kBlack;
    list.setGeometry(0, 0, 6870, 4440);

    codeTable_.onLoad = [this] { loadCodeTable(); };
}

void ErrorCodes::loadCodeTable() {
    codeTable_.caption = " FADEC Error Codes";
    auto& list = codeTable_.at("List1");
    list.clear();
    // Dialog units, a quarter of the average character width each.
    list.tabStops = {10, 35, 110};
    for (int code = 0; code < kListedCodes; ++code) {
        list.addItem("\t" + twoDigits(code) + "\t" + FadecErrorText(code));
    }
    list.listIndex = 0;
}

void ErrorCodes::fillTexts() {
    for (std::size_t code = 0; code < kFadecErrorTexts.size(); ++code) {
        texts_[code] = std::string(kFadecErrorTexts[code]);
    }
}

const std::string& ErrorCodes::FadecErrorText(int code) const {
    static const std::string kNone;
    if (code < 0 || code >= kTableSize) {
        return kNone;
    }
    return texts_[static_cast<std::size_t>(code)];
}

std::string ErrorCodes::message(int code, int le) const {
    return leText(le) + "  " + FadecErrorText(code);
}

void ErrorCodes::EcrireCodeErreur(int code, int le) {
    if (le < 0 || le >= kLeCount || code < 0) {
        return;
    }
    const auto i = static_cast<std::size_t>(le);
    if (channels_.le[i].LePhase == 0 || code > kHighestCode) {
        return;
    }
    Byte& reported = reported_[i][static_cast<std::size_t>(code)];
    if (reported == 0) {
        const std::string m = message(code, le);
        log_.at("List4").addItem((code == kStopActivated ? " ------> " : " Error ") + m);
        activityLog_.WriteHisto(code, m);
    }
    reported = 1;
}

Byte ErrorCodes::ErrorReported(int le, int code) const {
    if (le < 0 || le >= kLeTableSize || code < 0 || code > kHighestCode) {
        return 0;
    }
    return reported_[static_cast<std::size_t>(le)][static_cast<std::size_t>(code)];
}

void ErrorCodes::resetReported(int le) {
    if (le >= 0 && le < kLeCount) {
        reported_[static_cast<std::size_t>(le)].fill(0);
    }
}

void ErrorCodes::resetAllReported() {
    for (int le = 0; le < kLeCount; ++le) {
        resetReported(le);
    }
}

void ErrorCodes::eraseList() {
    log_.at("List4").clear();
}

}  // namespace lec
