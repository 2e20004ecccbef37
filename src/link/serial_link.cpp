#include "link/serial_link.h"

#include <string>

#include "link/port_table.h"
#include "link/port_window.h"

namespace lec {

namespace {

// Every FADEC link: 19200 baud, no parity, 8 data bits, 1 stop bit, XON/XOFF,
// a receive event for each 160 characters (one status frame) and reads of at
// most 160, RTS off.
constexpr SerialSettings kFadecSettings{
    .baud = 19200,
    .parity = 'n',
    .dataBits = 8,
    .stopBits = 1,
    .handshake = Handshake::XonXoff,
    .rThreshold = 160,
    .inputLen = 160,
    .sThreshold = 1,
    .rtsEnable = false,
};

// Seconds of rest an engine keeps after its port is opened (start logic).
constexpr Byte kRestSeconds = 60;
constexpr Byte kMaxSyncRetries = 15;
constexpr Byte kSynchronised = 123;

constexpr int kMenuCheckMs = 50;
constexpr int kPortTestMs = 2000;
constexpr int kReactivateMs = 1000;
constexpr int kRetestMs = 1000;
constexpr int kTestListMs = 5000;

constexpr const char* kFadecMenus[] = {"mnuFadecParameters", "mnuReadLeSettings",
                                       "mnuTestMateriel"};

constexpr Colour kLightBlue = Colour::rgb(128, 128, 255);

std::size_t at(int le) {
    return static_cast<std::size_t>(le);
}

}  // namespace

SerialLink::SerialLink(forms::FormSet& forms, forms::Form& log, Platform& platform,
                       Channels& channels)
    : log_(log),
      platform_(platform),
      channels_(channels),
      portWindow_(
          std::make_unique<PortWindow>(forms, platform, channels, [this] { ActivationCOM(); })),
      timer46_(log.addTimer(platform.scheduler.createTimer("Timer46", kMenuCheckMs))),
      timer57_(log.addTimer(platform.scheduler.createTimer("Timer57", kPortTestMs))),
      timer58_(log.addTimer(platform.scheduler.createTimer("Timer58", kReactivateMs))),
      timer59_(log.addTimer(platform.scheduler.createTimer("Timer59", kRetestMs))),
      timer60_(log.addTimer(platform.scheduler.createTimer("Timer60", kTestListMs))) {
    for (int i = 0; i < kLeCount; ++i) {
        auto& port = ports_[at(i)];
        port = platform.serialPorts.createSerialPort();
        port->setEventHandler([this, i](int event) { portEvent(i, event); });
    }
    timer46_.setHandler([this] { enableFadecMenus(); });
    timer57_.setHandler([this] { testPorts(); });
    timer58_.setHandler([this] { reactivatePorts(); });
    timer59_.setHandler([this] { retestPorts(); });
    timer60_.setHandler([this] { clearTestList(); });
    timer46_.start();

    log_.at("ActiveDesactiveRS232").onClick = [this] { connectClicked(); };
    log_.at("ComOperStartRS232").onClick = [this] { startStopClicked(); };
}

SerialLink::~SerialLink() = default;

void SerialLink::portEvent(int le, int event) {
    switch (event) {
        case comm_event::kReceive:
            if (onReceive_) {
                onReceive_(le);
            }
            break;
        case comm_event::kDeviceLost:
            // The port closed itself; a report that arrives after the port
            // was opened again is stale.
            if (!port(le).isOpen()) {
                markClosed(le);
            }
            break;
        default:
            break;
    }
}

void SerialLink::markClosed(int le) {
    auto& channel = channels_.le[at(le)];
    channel.LeReady = false;
    channel.LePortOpen = 0;
    if (onClosed_) {
        onClosed_(le);
    }
}

void SerialLink::closePort(int le) {
    port(le).close();
    markClosed(le);
}

void SerialLink::ActivationCOM() {
    for (int i = 0; i < kLeCount; ++i) {
        SerialPort& p = port(i);
        const double active = port_table::numberOf(channels_.ComPortActive[at(i)]);
        if (active == 1) {
            // An open port keeps its number and settings: the serial component
            // refuses both while open, so a new number waits for a close.
            if (!p.isOpen()) {
                const auto number = port_table::portNumberOf(channels_.ComPortNumber[at(i)]);
                p.setSettings(kFadecSettings);
                if (number) {
                    p.setPortNumber(*number);
                    // A port that cannot be opened stays closed, silently.
                    p.open();
                }
            }
            if (p.isOpen()) {
                channels_.le[at(i)].LePortOpen = 1;
                channels_.le[at(i)].RestCountdown = kRestSeconds;
            }
        } else if (active == 0 && p.isOpen()) {
            closePort(i);
            channels_.le[at(i)].RestCountdown = 0;
        }
    }
    timer57_.start();
}

void SerialLink::connectClicked() {
    for (int i = 0; i < kLeCount; ++i) {
        channels_.le[at(i)].RestCountdown = kRestSeconds;
    }
    portWindow_->form().show();
}

void SerialLink::startStopClicked() {
    if (linkStarted_ == 1) {
        stopLink();
    } else {
        startLink();
    }
}

void SerialLink::startLink() {
    portWindow_->savePortTable();
    ActivationCOM();
    auto& button = log_.at("ComOperStartRS232");
    button.caption = "STOP (RS232)";
    button.back = kLightBlue;
    linkStarted_ = 1;
    auto& connect = log_.at("ActiveDesactiveRS232");
    connect.caption = "Disconnect";
    connect.back = kLightBlue;
}

void SerialLink::stopLink() {
    for (int i = 0; i < kLeCount; ++i) {
        channels_.le[at(i)].LeSynchro = 0;
    }
    for (int i = 0; i < kLeCount; ++i) {
        if (port(i).isOpen()) {
            closePort(i);
        }
    }
    // A reopening the port test had planned would undo the stop.
    timer58_.stop();
    auto& button = log_.at("ComOperStartRS232");
    button.caption = "START (RS232)";
    button.back = colours::kButtonFace;
    auto& connect = log_.at("ActiveDesactiveRS232");
    connect.caption = "Connect";
    connect.back = colours::kButtonFace;
    linkStarted_ = 0;
}

void SerialLink::enableFadecMenus() {
    bool anyOpen = false;
    for (int i = 0; i < kLeCount; ++i) {
        anyOpen = anyOpen || channels_.le[at(i)].LePortOpen == 1;
    }
    for (const char* menu : kFadecMenus) {
        log_.at(menu).enabled = anyOpen;
    }
}

// Two seconds after an activation: every open port whose FADEC has not sent
// the synchronisation value is closed, and reopened a second later. A port
// that fails 15 times in a row is left open, untested, and deactivated in the
// port window for the next save.
void SerialLink::testPorts() {
    auto& list = log_.at("List3");
    list.clear();
    std::array<bool, kLeCount> tested{};
    for (int i = 0; i < kLeCount; ++i) {
        auto& channel = channels_.le[at(i)];
        tested[at(i)] = channel.LePortOpen == 1;
        const bool unsynchronised = tested[at(i)] && channel.LeSynchro == 0;
        if (unsynchronised) {
            if (channel.LeSyncRetries < kMaxSyncRetries) {
                ++channel.LeSyncRetries;
            } else {
                tested[at(i)] = false;
                portWindow_->untick(i);
            }
        }
        list.addItem(port_table::testLine(channel.LeSynchro, tested[at(i)], i, unsynchronised));
    }
    for (int i = 0; i < kLeCount; ++i) {
        if (tested[at(i)] && channels_.le[at(i)].LeSynchro != kSynchronised) {
            closePort(i);
            list.addItem(" Cancelled ComX i=" + std::to_string(i));
            timer58_.start();
        }
    }
    timer60_.start();
    timer57_.stop();
}

void SerialLink::reactivatePorts() {
    ActivationCOM();
    log_.at("List3").addItem(" Activating ComX");
    timer59_.start();
    timer58_.stop();
}

void SerialLink::retestPorts() {
    log_.at("List3").addItem(" Re-test ComX full");
    timer57_.start();
    timer59_.stop();
}

void SerialLink::clearTestList() {
    log_.at("List3").clear();
    timer60_.stop();
}

}  // namespace lec
