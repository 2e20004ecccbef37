#include "link/link_supervision.h"

#include <cstdio>

#include "core/slots.h"
#include "platform/surface.h"
#include "records/warning_box.h"

namespace lec {

namespace {

constexpr Byte kNoSensor = 255;
// The tachometers count half turns a second per 1/60 minute.
constexpr int kRpmPerCount = 30;

// The I/O view: 200 twips a line from 150 down, text at x = 5 (in the
// picture's twips), on a surface of 15 twips a pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int kIoFirstLine = 150;
constexpr int kIoLinePitch = 200;
constexpr int kIoTextLeft = 5;

// The measurement cells blanked while a link is lost; BAT, VCC, PWR in,
// Phase, Prog Step and Ready keep what they show.
constexpr const char* kBlankedCells[] = {"Label31", "Label32", "Label33", "Label34",
                                         "Label35", "Label39", "Label40", "Label41"};

struct SpeedSlot {
    int slot;
    const char* label;   // in the hardware-test window
    const char* prefix;  // before the speed text there
    Byte LeChannel::*tacho;
};
constexpr SpeedSlot kSpeedSlots[] = {
    {slot::kTachoM, "Label4", "M  ", &LeChannel::LeTachoM},
    {slot::kTachoV1, "Label5", "V1 ", &LeChannel::LeTachoV1},
    {slot::kTachoV2, "Label6", "V2 ", &LeChannel::LeTachoV2},
};

bool absentSensorSlot(int k) {
    return k == slot::kShtTemp || k == slot::kVis || k == slot::kIr || k == slot::kRh ||
           k == slot::kAd13;
}

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

}  // namespace

std::vector<IoViewLine> ioViewLines(const Channels& channels, int le, int source) {
    const auto& record = channels.LeRecord[at(le)];
    const auto& values = source == 1 ? channels.LeRecordOut[at(le)] : channels.LeRecordIn[at(le)];
    const auto& channel = channels.le[at(le)];
    std::vector<IoViewLine> lines;
    for (int k = 0; k < kFrameSlots; ++k) {
        IoViewLine line;
        line.slot = k;
        for (const auto& speed : kSpeedSlots) {
            if (speed.slot == k && record[at(k)] > 1) {
                // The number keeps the blank of its sign place: "=  1500 tr/min".
                line.speed =
                    "=  " + std::to_string(channel.*speed.tacho * kRpmPerCount) + " tr/min";
            }
        }
        if (absentSensorSlot(k) && record[at(k)] == kNoSensor) {
            continue;
        }
        char head[16];
        std::snprintf(head, sizeof head, " %02d   %03d   ", k, values[at(k)]);
        line.text = std::string(head) + std::string(kSlots[at(k)].title) + " " + line.speed;
        lines.push_back(std::move(line));
    }
    return lines;
}

LinkSupervision::LinkSupervision(forms::FormSet& forms, forms::Form& log, Platform& platform,
                                 Channels& channels, SettingsStore& settings,
                                 ActivityLog& activityLog, WarningBox& warningBox)
    : forms_(forms),
      log_(log),
      platform_(platform),
      channels_(channels),
      settings_(settings),
      activityLog_(activityLog),
      warningBox_(warningBox),
      thermometer_(log, channels),
      timer12_(log.addTimer(platform.scheduler.createTimer("Timer12", kTickMs))) {
    timer12_.setHandler([this] { tick(); });
}

void LinkSupervision::tick() {
    const int s = channels_.SelectedLe - 1;
    const bool selected = s >= 0 && s < kLeCount;
    if (selected) {
        detailArea(s);
    }
    clearHardwareTestLabels();
    // The orange Stop cells of an expired stop-alarm countdown belong to the
    // stop alarm, which paints them itself once it exists.
    if (selected) {
        ioView(s);
    }
    if (settings_.settings().LinkLossAlarm != 0) {
        supervise();
    }
    if (selected) {
        thermometer_.redraw(s);
    }
}

void LinkSupervision::detailArea(int s) {
    const auto& channel = channels_.le[at(s)];
    log_.at("Label7").caption = "Ph = " + std::to_string(channel.LePhase);
    log_.at("Label5").caption = "Step = " + std::to_string(channel.LeStep);
}

forms::Control* LinkSupervision::hardwareTestLabel(const char* name) const {
    forms::Form* tests = forms_.find("TestsMateriel");
    if (tests == nullptr || !tests->loaded) {
        return nullptr;
    }
    return tests->find(name);
}

void LinkSupervision::clearHardwareTestLabels() {
    for (const auto& speed : kSpeedSlots) {
        if (auto* label = hardwareTestLabel(speed.label)) {
            label->caption.clear();
        }
    }
}

void LinkSupervision::ioView(int s) {
    // The panel is drawn only while it is shown: text drawing is the costly
    // part of the tick, and the next tick after showing it draws it.
    forms::Control* panel = log_.find("Picture22");
    Surface* surface = panel != nullptr && panel->visible ? panel->surface : nullptr;
    if (surface != nullptr) {
        surface->clear(panel->back);
    }
    int y = kIoFirstLine;
    for (const auto& line : ioViewLines(channels_, s, IoViewSource)) {
        for (const auto& speed : kSpeedSlots) {
            if (speed.slot == line.slot && !line.speed.empty()) {
                if (auto* label = hardwareTestLabel(speed.label)) {
                    label->caption = speed.prefix + line.speed;
                }
            }
        }
        if (surface != nullptr) {
            surface->text(kIoTextLeft / kTwipsPerPixel, y / kTwipsPerPixel, line.text,
                          colours::kWhite);
        }
        y += kIoLinePitch;
    }
}

void LinkSupervision::supervise() {
    const auto& activated = settings_.settings().LeActivated;
    for (int i = 0; i < kLeCount; ++i) {
        if (activated[at(i)] == 0) {
            continue;
        }
        auto& channel = channels_.le[at(i)];
        if (!channel.LeReady) {
            if (channel.LeSilentTicks < kSilentLimit) {
                ++channel.LeSilentTicks;
            } else {
                linkLost(i);
            }
        }
        if (channel.LeReady) {
            channel.LeSilentTicks = 0;
            channel.LeLinkLost = 0;
        }
    }
}

void LinkSupervision::linkLost(int le) {
    auto& channel = channels_.le[at(le)];
    channel.LeSilentTicks = kSilentLimit;
    channel.LeLinkLost = 1;
    for (const char* cell : kBlankedCells) {
        log_.at(cell, le).caption = "---";
    }
    if (channel.LeLinkLossLogged == 0) {
        const std::string message = leText(le) + kLossText;
        log_.at("List4").addItem(message);
        activityLog_.WriteHisto(0, message);
        LinkLossDate = platform_.clock.shortDate();
        LinkLossTime = platform_.clock.shortTime();
        channel.LeLinkLossLogged = 1;
    }
    // Re-shown on every tick while the link stays down.
    warningBox_.show(WarningBox::kLinkLoss, kBoxLine2, LinkLossTime + " / " + LinkLossDate);
}

}  // namespace lec
