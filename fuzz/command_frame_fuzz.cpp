// Command frames come from whatever is at the other end of a FADEC's line: the
// frame parser must take any 34 bytes, and the simulated FADEC must find its
// frames in any stream of bytes, cut anywhere, without losing count.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

#include "link/frame_format.h"
#include "platform/virtual/virtual_scheduler.h"
#include "simulator/fadec_model.h"

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

// A line end that only records what the FADEC sends.
class CapturePort : public lec::sim::FadecPort {
public:
    void write(std::string_view bytes) override { sent += bytes; }
    void setReceiver(std::function<void(std::string_view)> r) override { receiver = std::move(r); }

    std::string sent;
    std::function<void(std::string_view)> receiver;
};

void checkParser(std::string_view in) {
    const auto parsed = lec::parseCommandFrame(in);
    const bool wellFormed = in.size() == 34 && in[32] == '\r' && in[33] == '\n';
    check(parsed.has_value() == wellFormed);
    if (parsed) {
        check(lec::formatCommandFrame(*parsed) == in);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    checkParser(in);
    if (in.size() >= 34) {
        checkParser(in.substr(0, 34));
    }

    // The first byte cuts the rest into pieces of 1..16 bytes, arriving 1 ms
    // apart, or 30 ms apart after a piece whose first byte is odd.
    if (in.empty()) {
        return 0;
    }
    const std::size_t piece = (static_cast<std::uint8_t>(in[0]) & 0x0F) + 1;
    const std::string_view stream = in.substr(1);
    lec::VirtualScheduler scheduler;
    CapturePort port;
    lec::sim::FadecModel model(scheduler, port);
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        const std::string_view bytes = stream.substr(at, piece);
        port.receiver(bytes);
        scheduler.advance((static_cast<std::uint8_t>(bytes[0]) & 1) ? 30 : 1);
    }
    const auto framed = model.commandFramesReceived() * 34 + model.bytesDiscarded();
    check(framed <= stream.size() && stream.size() - framed < 34);

    // Whatever it was told, the board goes on sending well-formed frames.
    scheduler.advance(lec::sim::FadecModel::kFrameIntervalMs);
    const std::string& frame = model.lastStatusFrame();
    check(frame.size() == static_cast<std::size_t>(lec::kStatusFrameLength));
    for (std::size_t k = 0; k < frame.size(); k += 5) {
        const std::string_view field = std::string_view(frame).substr(k, 5);
        check(field.find_first_not_of(" -0123456789") == std::string_view::npos);
        check(field[4] != ' ');
    }
    check(model.phase() >= 0 && model.phase() <= 6);
    return 0;
}
