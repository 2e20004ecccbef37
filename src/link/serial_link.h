#pragma once

#include <array>
#include <functional>
#include <memory>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

class PortWindow;

// The six serial ports of the light engines: the port table and its window
// ConfigurationRS232, ActivationCOM, Connect/Disconnect and START/STOP
// (RS232), the port test that reopens ports whose FADEC does not
// synchronise, and Timer46, which lets the FADEC menu commands be used while
// a port is open.
class SerialLink {
public:
    SerialLink(forms::FormSet& forms, forms::Form& log, Platform& platform, Channels& channels);
    ~SerialLink();

    // Applies the port table to the six ports and starts the port test.
    void ActivationCOM();
    SerialPort& port(int le) { return *ports_[static_cast<std::size_t>(le)]; }
    PortWindow& portWindow() { return *portWindow_; }
    // 1 after START (RS232), 0 at program start and after STOP (RS232).
    Byte LinkStarted() const { return linkStarted_; }

    // Called with the LE index on each receive event of its port.
    void setReceiveHandler(std::function<void(int le)> handler) { onReceive_ = std::move(handler); }
    // Called with the LE index when its port has been closed here or its
    // device went away: the Ready cell shows "no" and the send timer stops.
    void setPortClosedHandler(std::function<void(int le)> handler) {
        onClosed_ = std::move(handler);
    }

private:
    void portEvent(int le, int event);
    // Closes LE `le`'s port (if open) and marks it closed.
    void closePort(int le);
    void markClosed(int le);

    void connectClicked();
    void startStopClicked();
    void startLink();
    void stopLink();
    void enableFadecMenus();

    void testPorts();
    void reactivatePorts();
    void retestPorts();
    void clearTestList();

    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    std::array<std::unique_ptr<SerialPort>, kLeCount> ports_;
    std::unique_ptr<PortWindow> portWindow_;
    Byte linkStarted_ = 0;
    Timer& timer46_;
    Timer& timer57_;
    Timer& timer58_;
    Timer& timer59_;
    Timer& timer60_;
    std::function<void(int)> onReceive_;
    std::function<void(int)> onClosed_;
};

}  // namespace lec
