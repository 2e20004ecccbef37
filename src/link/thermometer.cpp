#include "link/thermometer.h"

#include <string>

#include "platform/surface.h"

namespace lec {

namespace {

constexpr Byte kNoSensor = 255;
// The bar rises two pixels a degree from this pixel row.
constexpr int kBase = 256;
constexpr Colour kBar = Colour::rgb(0, 255, 255);
constexpr Colour kSelectorOn = Colour::rgb(0, 255, 0);
constexpr Colour kSelectorOff{0x00FFFFC0u};

struct Selector {
    const char* holder;  // Picture6(index)
    int index;
    const char* label;
};
constexpr Selector kSelectors[] = {{"Picture6", 0, "Label72"}, {"Picture6", 1, "Label75"}};

}  // namespace

Thermometer::Thermometer(forms::Form& log, Channels& channels) : log_(log), channels_(channels) {
    for (Byte k = 0; k < 2; ++k) {
        const Selector& s = kSelectors[k];
        if (auto* holder = log_.find(s.holder, s.index)) {
            holder->onClick = [this, k] { choose(k); };
        }
        if (auto* label = log_.find(s.label)) {
            label->onClick = [this, k] { choose(k); };
        }
    }
}

void Thermometer::choose(Byte showsSht) {
    ThermoShowsSht = showsSht;
    for (Byte k = 0; k < 2; ++k) {
        const Colour back = k == showsSht ? kSelectorOn : kSelectorOff;
        const Selector& s = kSelectors[k];
        if (auto* holder = log_.find(s.holder, s.index)) {
            holder->back = back;
        }
        if (auto* label = log_.find(s.label)) {
            label->back = back;
        }
    }
}

void Thermometer::redraw(int le) {
    forms::Control* column = log_.find("Picture1");
    forms::Control* value = log_.find("Label68");
    if (column == nullptr || column->surface == nullptr || value == nullptr) {
        return;
    }
    Surface& surface = *column->surface;
    surface.clear(colours::kWhite);
    surface.line(0, 0, 0, 300, colours::kBlack);
    surface.line(0, 0, 7, 0, colours::kBlack);
    surface.line(7, 0, 7, 300, colours::kBlack);

    const auto& channel = channels_.le[static_cast<std::size_t>(le)];
    const bool sht = ThermoShowsSht == 1;
    const int t = sht ? channel.LeSht : channel.LeMat;
    if (sht && t == kNoSensor) {
        value->caption = "---";
        return;
    }
    // While the link is lost the bar keeps the last value; the number does not.
    value->caption = channel.LeLinkLost != 0 ? "---" : std::to_string(t) + "°C";
    surface.fillBox(1, kBase, 6, kBase - 2 * t, kBar);
}

}  // namespace lec
