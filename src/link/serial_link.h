#pragma once

#include <array>
#include <functional>
#include <memory>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// The six serial ports of the light engines: the port table and its window
// ConfigurationRS232, ActivationCOM, Connect/Disconnect and START/STOP
// (RS232), and the port test that reopens ports whose FADEC does not
// synchronise.
class SerialLink {
public:
    SerialLink(forms::FormSet& forms, forms::Form& log, Platform& platform, Channels& channels);
    ~SerialLink();

    // Applies the port table to the six ports and starts the port test.
    void ActivationCOM();
    SerialPort& port(int le) { return *ports_[static_cast<std::size_t>(le)]; }

    // Called with the LE index on each receive event of its port.
    void setReceiveHandler(std::function<void(int le)> handler) { onReceive_ = std::move(handler); }
    // Called with the LE index when its port is closed (its send timer stops).
    void setPortClosedHandler(std::function<void(int le)> handler) { onClosed_ = std::move(handler); }

private:
    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    std::array<std::unique_ptr<SerialPort>, kLeCount> ports_;
    std::function<void(int)> onReceive_;
    std::function<void(int)> onClosed_;
};

}  // namespace lec
