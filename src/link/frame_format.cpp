#include "link/frame_format.h"

#include <algorithm>

namespace lec {

std::string formatStatusField(int value) {
    const std::string digits = std::to_string(std::clamp(value, kStatusFieldMin, kStatusFieldMax));
    return std::string(static_cast<std::size_t>(kStatusFieldWidth) - digits.size(), ' ') + digits;
}

std::string formatStatusFrame(const StatusFields& fields) {
    std::string frame;
    frame.reserve(kStatusFrameLength);
    for (const int value : fields) {
        frame += formatStatusField(value);
    }
    return frame;
}

std::optional<CommandSlots> parseCommandFrame(std::string_view bytes) {
    if (bytes.size() != static_cast<std::size_t>(kCommandFrameLength) ||
        bytes[kCommandSlots] != '\r' || bytes[kCommandSlots + 1] != '\n') {
        return std::nullopt;
    }
    CommandSlots slots{};
    std::transform(bytes.begin(), bytes.begin() + kCommandSlots, slots.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    return slots;
}

std::string formatCommandFrame(const CommandSlots& slots) {
    std::string frame(slots.begin(), slots.end());
    frame += "\r\n";
    return frame;
}

}  // namespace lec
