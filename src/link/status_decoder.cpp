#include "link/status_decoder.h"

#include <cmath>

#include "core/main_window.h"
#include "core/slots.h"
#include "platform/text_file.h"
#include "records/error_codes.h"
#include "records/warning_box.h"

namespace lec {

namespace {

constexpr int kPowerPhase = 5;
constexpr int kStoppingPhase = 6;
constexpr int kStopCommand = 2;
constexpr Byte kNoSensor = 255;
constexpr int kRestSeconds = 60;
// Error codes 3 to 6 are the fan errors: the engine must stop.
constexpr int kFirstFanError = 3;
constexpr int kLastFanError = 6;
// Coefficient rows of the measurements.
constexpr int kCoefLpc = 0;
constexpr int kCoefLfc = 1;
constexpr int kCoefVis = 2;
constexpr int kCoefRh = 3;
constexpr int kCoefIr = 4;
constexpr int kCoefVcc = 10;

constexpr const char* kShtMenu = "mnuAlarmPlateau";
constexpr const char* kLfcMenu = "mnuAlarmLFC";

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::string decimal(long long value) {
    return std::to_string(value);
}

}  // namespace

StatusDecoder::StatusDecoder(forms::Form& log, Platform& platform, Channels& channels,
                             SettingsStore& settings, ActivityLog& activityLog,
                             ErrorCodes& errorCodes, WarningBox& warningBox)
    : log_(log),
      platform_(platform),
      channels_(channels),
      settings_(settings),
      activityLog_(activityLog),
      errorCodes_(errorCodes),
      warningBox_(warningBox) {
}

void StatusDecoder::onReceive(int le) {
    SerialPort* port = nullptr;
    if (portOf_) {
        port = portOf_(le);
    }
    if (port == nullptr || !port->isOpen()) {
        return;
    }
    auto& rx = channels_.le[at(le)].LeRxText;
    rx.clear();
    rx = port->read();
    handleFrame(le, rx);
}

std::int16_t StatusDecoder::slot(int le, int k) const {
    return channels_.LeRecord[at(le)][at(k)];
}

void StatusDecoder::handleFrame(int le, std::string_view text) {
    const status::FieldResults fields = status::decodeFields(text);
    storeFields(le, fields);
    auto& channel = channels_.le[at(le)];

    // Unlike the other fields, an unreadable field 30 is not left at its old
    // value: a frame shifted by lost characters must not be answered on the
    // strength of the previous frame's 123.
    const auto& sync = fields[slot::kSynchro];
    channel.LeSynchro = sync == kSynchroReady ? kSynchroReady : 0;
    if (const auto& bank = fields[slot::kBankIndex]) {
        storeByte(channel.LeBank, *bank);
    }
    if (channel.LeBank == kParameterFrame) {
        parameterFrame(le, fields);
    } else {
        normalFrame(le, fields);
    }

    channel.LeRxText.clear();
    if (Timer* send = sendTimers_[at(le)]) {
        send->start();  // a running timer keeps its interval: one answer
    }
}

void StatusDecoder::storeFields(int le, const status::FieldResults& fields) {
    auto& record = channels_.LeRecord[at(le)];
    auto& in = channels_.LeRecordIn[at(le)];
    for (int k = 0; k < status::kFields; ++k) {
        if (const auto& value = fields[at(k)]) {
            record[at(k)] = *value;
        }
        storeByte(in[at(k)], record[at(k)]);
    }
}

void StatusDecoder::normalFrame(int le, const status::FieldResults& fields) {
    auto& channel = channels_.le[at(le)];
    const auto field = [&](int k) -> const std::optional<std::int16_t>& { return fields[at(k)]; };

    if (field(slot::kPhase) && storeByte(channel.LePhase, *field(slot::kPhase))) {
        cell("Label29", le).caption = decimal(channel.LePhase);
    }
    phaseSteps(le);
    if (channel.LePhase != 0 && field(slot::kStartStop) == kStopCommand) {
        channel.LeCommand = kStopCommand;  // the FADEC's own stop is carried on
    }
    if (field(slot::kActivationConfirm)) {
        storeByte(channel.LeActConfirm, *field(slot::kActivationConfirm));
    }
    loadPowerSetPoint(le);
    if (field(slot::kRampStep) && storeByte(channel.LeStep, *field(slot::kRampStep))) {
        cell("Label11", le).caption = decimal(channel.LeStep);
    }
    if (field(slot::kErrorCode) && storeByte(channel.LeErrorCode, *field(slot::kErrorCode))) {
        errorCode(le);
    }
    if (field(slot::kMatTemp) && storeByte(channel.LeMat, *field(slot::kMatTemp))) {
        cell("Label40", le).caption = decimal(channel.LeMat);
        channel.LeMatText = decimal(channel.LeMat * 10LL);
    }
    if (field(slot::kShtTemp) && storeByte(channel.LeSht, *field(slot::kShtTemp))) {
        cell("Label41", le).caption = channel.LeSht == kNoSensor ? "---" : decimal(channel.LeSht);
        channel.LeShtText = decimal(channel.LeSht * 10LL);
        shtAlarm(le);
    }
    lfcAlarm(le);

    const bool counterFrame = slot(le, slot::kFrameMode) == kCounterFrame;
    if (counterFrame) {
        hourCounters(le);
    } else {
        measurements(le, fields);
    }

    if (field(slot::kMotorDa)) {
        storeByte(channel.LeMotorDa, *field(slot::kMotorDa));
    }
    if (field(slot::kStampVersion) && storeByte(channel.LeVersion, *field(slot::kStampVersion))) {
        cell("Label39", le).caption = decimal(channel.LeVersion);
    }
    if (field(slot::kTachoM)) {
        storeByte(channel.LeTachoM, *field(slot::kTachoM));
    }
    if (field(slot::kTachoV1)) {
        storeByte(channel.LeTachoV1, *field(slot::kTachoV1));
    }
    if (field(slot::kTachoV2)) {
        storeByte(channel.LeTachoV2, *field(slot::kTachoV2));
    }
    if (counterFrame) {
        // The request has been answered.
        channel.LeMode = 0;
        channels_.LeRecord[at(le)][slot::kFrameMode] = 0;
    }
}

void StatusDecoder::phaseSteps(int le) {
    auto& channel = channels_.le[at(le)];
    if (channel.LePhase == 0) {
        cell("Label28", le).back = colours::kButtonFace;
    } else {
        cell("Label27", le).visible = true;
        cell("Label28", le).visible = true;
    }
    Timer* rest = restTimers_[at(le)];
    if (channel.LePhase == kStoppingPhase && channel.RestArmed == 0) {
        if (rest != nullptr) {
            rest->start();
        }
        channel.RestCountdown = kRestSeconds;
        channel.RestArmed = 1;
    }
    if (channel.LePhase == 0) {
        // The chart's lower corner goes back to black while the engine rests.
        if (forms::Control* picture = log_.find(kChartPictures[le]);
            picture != nullptr && picture->surface != nullptr) {
            picture->surface->fillBox(345, 259, 445, 275, colours::kBlack);
        }
        channel.RestArmed = 0;
        if (rest != nullptr) {
            rest->stop();
        }
    }
}

void StatusDecoder::loadPowerSetPoint(int le) {
    auto& channel = channels_.le[at(le)];
    if (channel.LePhase != kPowerPhase || channel.PowerSetLoaded != 0) {
        return;
    }
    channel.PowerSetLoaded = 1;

    std::vector<long long> values;
    const std::string path = textfile::join(platform_.appFolder, "ConsignePW.ini");
    if (const auto lines = textfile::readLines(path)) {
        for (const auto& line : *lines) {
            for (const auto& item : textfile::splitItems(line)) {
                const auto number = textfile::parseNumber(item);
                if (number && std::abs(*number) <= 32767) {
                    values.push_back(std::llround(*number));
                }
            }
        }
    }
    if (values.size() < static_cast<std::size_t>(kLeCount)) {
        // A lit lamp never gets a 0 or another engine's value: it keeps the
        // set-point it has, and the user is told once for this stay in phase 5.
        const std::string message =
            leText(le) + "  ConsignePW.ini unreadable: power set-point kept";
        activityLog_.WriteHisto(0, message);
        platform_.dialogs.message(" Warning!", message);
        return;
    }
    for (int j = 0; j < kLeCount; ++j) {
        channels_.PowerSetFile[at(j)] = static_cast<std::int16_t>(values[at(j)]);
    }
    if (storeByte(channel.LePowerSet, values[at(le)])) {
        cell("Label15", le).caption = decimal(values[at(le)] * 10) + " We";
    }
}

void StatusDecoder::errorCode(int le) {
    auto& channel = channels_.le[at(le)];
    const int code = channel.LeErrorCode;
    if (code == 0) {
        return;
    }
    if (code >= kFirstFanError && code <= kLastFanError) {
        channel.LeCommand = kStopCommand;
    }
    errorCodes_.EcrireCodeErreur(code, le);
}

void StatusDecoder::shtAlarm(int le) {
    auto& channel = channels_.le[at(le)];
    const auto& settings = settings_.settings();
    if (channel.LePhase != kPowerPhase || log_.at(kShtMenu).checked == 0 ||
        channel.FadecShtLatch != 0 || settings.ShtSupervisedLe != le) {
        return;
    }
    channel.ShtForAlarm = channel.LeSht == kNoSensor ? 0 : channel.LeSht;
    if (channel.ShtForAlarm > channel.LeMaxSht && settings.LeActivated[at(le)] != 0) {
        raiseAlarm(le, leText(le) + "  Alarm SHT (FADEC) ", kShtMenu, "SHT (FADEC and PC) *",
                   leText(le) + " SHT (FADEC and PC)");
        channel.FadecShtLatch = 1;
    }
}

void StatusDecoder::lfcAlarm(int le) {
    auto& channel = channels_.le[at(le)];
    if (channel.LePhase != kPowerPhase || log_.at(kLfcMenu).checked == 0 ||
        channels_.LfcOutOfRange != 1 || settings_.settings().LeActivated[at(le)] == 0 ||
        channel.LfcLatch != 0) {
        return;
    }
    raiseAlarm(le, leText(le) + "  Alarm LFC ", kLfcMenu, "LFC *", leText(le) + " LFC");
    channel.LfcLatch = 1;
}

void StatusDecoder::raiseAlarm(int le, const std::string& message, const char* menu,
                               const std::string& menuCaption, const std::string& boxLine) {
    (void)le;
    log_.at("List4").addItem(message);
    activityLog_.WriteHisto(0, message);
    log_.at(menu).caption = menuCaption;
    warningBox_.form().at("Label2").caption = boxLine;
    warningBox_.AffAlarm();
    // The stop-all sequencer, once the start and stop logic has created it.
    if (Timer* stopAll = log_.timer("Timer16")) {
        stopAll->start();
    }
}

void StatusDecoder::showMeasurement(int le, const char* array, Byte raw, int coefficient,
                                    bool noSensorZero) {
    auto& target = cell(array, le);
    if (noSensorZero && raw == kNoSensor) {
        target.caption = "0";
        return;
    }
    if (settings_.settings().CoefficientView == 0) {
        target.caption = decimal(raw);
        return;
    }
    const auto factor = status::coefficientValue(channels_.LeCoefficients[at(le)][at(coefficient)]);
    if (!factor) {
        return;  // an unreadable coefficient leaves the cell as it was
    }
    const double scaled = raw * *factor;
    target.caption = coefficient == kCoefVcc ? status::vccText(scaled) : status::numberText(scaled);
}

void StatusDecoder::setScaledText(int le, std::string LeChannel::*text, Byte raw, int coefficient) {
    const auto factor = status::coefficientValue(channels_.LeCoefficients[at(le)][at(coefficient)]);
    if (factor) {
        channels_.le[at(le)].*text = status::numberText(raw * *factor);
    }
}

void StatusDecoder::measurements(int le, const status::FieldResults& fields) {
    auto& channel = channels_.le[at(le)];
    const auto field = [&](int k) -> const std::optional<std::int16_t>& { return fields[at(k)]; };

    if (field(slot::kLpc) && storeByte(channel.LeLpc, *field(slot::kLpc))) {
        channel.LeLpcCopy = channel.LeLpc;
        setScaledText(le, &LeChannel::LeLpcText, channel.LeLpc, kCoefLpc);
        showMeasurement(le, "Label31", channel.LeLpc, kCoefLpc, false);
    }
    if (field(slot::kLfc) && storeByte(channel.LeLfc, *field(slot::kLfc))) {
        channel.LeLfcCopy = channel.LeLfc;
        setScaledText(le, &LeChannel::LeLfcText, channel.LeLfc, kCoefLfc);
        showMeasurement(le, "Label32", channel.LeLfc, kCoefLfc, false);
    }
    cell("Label36", le).caption = "---";
    if (field(slot::kVcc) && storeByte(channel.LeVcc, *field(slot::kVcc))) {
        showMeasurement(le, "Label37", channel.LeVcc, kCoefVcc, false);
    }
    if (field(slot::kVis) && storeByte(channel.LeVis, *field(slot::kVis))) {
        setScaledText(le, &LeChannel::LeVisText, channel.LeVis, kCoefVis);
        showMeasurement(le, "Label33", channel.LeVis, kCoefVis, true);
    }
    if (field(slot::kIr) && storeByte(channel.LeIr, *field(slot::kIr))) {
        setScaledText(le, &LeChannel::LeIrText, channel.LeIr, kCoefIr);
        showMeasurement(le, "Label34", channel.LeIr, kCoefIr, true);
    }
    if (field(slot::kRh) && storeByte(channel.LeRh, *field(slot::kRh))) {
        setScaledText(le, &LeChannel::LeRhText, channel.LeRh, kCoefRh);
        showMeasurement(le, "Label35", channel.LeRh, kCoefRh, true);
    }
    if (field(slot::kAd13)) {
        storeByte(channel.LeAd13, *field(slot::kAd13));
    }
}

void StatusDecoder::hourCounters(int le) {
    if (!counterHook_) {
        return;
    }
    HourCounterBytes counters;
    for (int k = 0; k < 9; ++k) {
        counters.bytes[at(k)] = slot(le, slot::kLfc + k);
    }
    counterHook_(le, counters);
}

void StatusDecoder::parameterFrame(int le, const status::FieldResults& fields) {
    for (int k = 0; k < status::kFields; ++k) {
        if (const auto& value = fields[at(k)]) {
            storeByte(channels_.LeParam[at(k)][at(le)], *value);
        }
    }
    if (parameterHook_) {
        parameterHook_(le, fields);
    }
    channels_.TransferMessage = "Reading the settings on " + leText(le) + " went well ! ";
    if (Timer* confirm = log_.timer("Timer44")) {
        confirm->start();
    }
    channels_.le[at(le)].LeBank = 0;
}

}  // namespace lec
