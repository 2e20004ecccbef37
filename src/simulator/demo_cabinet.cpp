#include "simulator/demo_cabinet.h"

#include <charconv>
#include <stdexcept>

namespace lec::sim {

namespace {

std::optional<int> integer(const std::string& word) {
    int value = 0;
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    if (ec != std::errc() || ptr != end || word.empty()) {
        return std::nullopt;
    }
    return value;
}

// A status field number 0..31, or why not.
std::optional<std::string> fieldError(const std::optional<int>& field) {
    if (!field || *field < 0 || *field >= kStatusFields) {
        return "sim: field number must be 0..31";
    }
    return std::nullopt;
}

}  // namespace

FadecConfig demoFadecConfig(int n, const DemoCabinet::Options& options) {
    FadecConfig config;
    config.name = "FADEC" + std::to_string(n);
    config.seed = options.seed + static_cast<std::uint32_t>(n - 1);
    config.eager = options.eager;
    const std::int64_t k = n - 1;
    config.counterMinutes = {62070 + 5417 * k, 24960 + 1733 * k, 65010 + 6121 * k};
    return config;
}

DemoCabinet::DemoCabinet(Scheduler& scheduler, VirtualSerialHub& hub)
    : DemoCabinet(scheduler, hub, Options{}) {
}

DemoCabinet::DemoCabinet(Scheduler& scheduler, VirtualSerialHub& hub, Options options) {
    for (int n = 1; n <= kFadecs; ++n) {
        VirtualSerialLine& line = hub.line(n);
        line.connectDevice();
        Engine& e = engines_[static_cast<std::size_t>(n - 1)];
        e.port = std::make_unique<DeviceFadecPort>(line.device());
        e.model = std::make_unique<FadecModel>(scheduler, *e.port, demoFadecConfig(n, options));
    }
}

DemoCabinet::~DemoCabinet() = default;

FadecModel& DemoCabinet::fadec(int n) {
    if (n < 1 || n > kFadecs) {
        throw std::out_of_range("no demo FADEC " + std::to_string(n));
    }
    return *engines_[static_cast<std::size_t>(n - 1)].model;
}

std::optional<std::string> DemoCabinet::simAction(const std::vector<std::string>& words) {
    if (words.size() < 2) {
        return "sim needs a FADEC number and an action";
    }
    const std::optional<int> n = integer(words[0]);
    if (!n || *n < 1 || *n > kFadecs) {
        return "sim: FADEC number must be 1..6";
    }
    FadecModel& model = fadec(*n);
    const std::string& action = words[1];

    if (action == "field") {
        if (words.size() != 4) {
            return "sim N field K VALUE: needs a field and a value";
        }
        const std::optional<int> field = integer(words[2]);
        if (auto error = fieldError(field)) {
            return error;
        }
        const std::optional<int> value = integer(words[3]);
        if (!value) {
            return "sim: value must be a whole number";
        }
        model.force(*field, *value);
        return std::nullopt;
    }
    if (action == "release") {
        if (words.size() != 3) {
            return "sim N release K: needs a field";
        }
        const std::optional<int> field = integer(words[2]);
        if (auto error = fieldError(field)) {
            return error;
        }
        model.release(*field);
        return std::nullopt;
    }
    if (action == "silent") {
        if (words.size() != 3 || (words[2] != "0" && words[2] != "1")) {
            return "sim N silent: needs 0 or 1";
        }
        model.setSilent(words[2] == "1");
        return std::nullopt;
    }
    return "sim: unknown action " + action;
}

}  // namespace lec::sim
