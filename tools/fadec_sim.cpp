// fadec-sim: simulated FADECs on pseudo-terminals, so that lecontrol's real
// serial path can be exercised without a cabinet.
//
//   fadec-sim --count N --dir DIR [--seed S] [--eager] [--stats]
//
// Creates N pseudo-terminals, links DIR/COM1..DIR/COMN to them, prints
// "COMn -> /dev/pts/X" for each once it serves, and runs until SIGINT or
// SIGTERM, when it removes its links. Point lecontrol at them with
// `--app-folder APP` and DIR = APP/dev.
#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt/qt_scheduler.h"
#include "simulator/demo_cabinet.h"
#include "simulator/fadec_model.h"
#include "tools/pty_fadec_port.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMaxCount = 16;

struct Options {
    int count = 0;
    std::string dir;
    std::uint32_t seed = 1;
    bool eager = false;
    bool stats = false;
};

const char* const kUsage =
    "usage: fadec-sim --count N --dir DIR [--seed S] [--eager] [--stats]\n"
    "  --count N   number of FADECs, 1..16; FADEC n is served on DIR/COMn\n"
    "  --dir DIR   folder for the COMn links (created when missing)\n"
    "  --seed S    seed of the sensor noise (FADEC n uses S + n - 1), default 1\n"
    "  --eager     send each status frame as soon as the answer to the previous one\n"
    "              arrived, instead of every 200 ms\n"
    "  --stats     on exit, print per port the frames, answers and answer delays\n";

std::optional<int> number(std::string_view text) {
    try {
        std::size_t used = 0;
        const long value = std::stol(std::string(text), &used);
        if (used != text.size() || value < 0 || value > 0x7fffffff) {
            return std::nullopt;
        }
        return static_cast<int>(value);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<Options> parse(int argc, char** argv, std::string& error) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--eager") {
            o.eager = true;
        } else if (arg == "--stats") {
            o.stats = true;
        } else if ((arg == "--count" || arg == "--seed" || arg == "--dir") && !hasValue) {
            error = std::string(arg) + " needs a value";
            return std::nullopt;
        } else if (arg == "--dir") {
            o.dir = argv[++i];
        } else if (arg == "--count" || arg == "--seed") {
            const auto value = number(argv[++i]);
            if (!value) {
                error = std::string(arg) + " needs a whole number";
                return std::nullopt;
            }
            if (arg == "--count") {
                o.count = *value;
            } else {
                o.seed = static_cast<std::uint32_t>(*value);
            }
        } else {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
    }
    if (o.count < 1 || o.count > kMaxCount) {
        error = "--count must be 1..16";
        return std::nullopt;
    }
    if (o.dir.empty()) {
        error = "--dir is needed";
        return std::nullopt;
    }
    return o;
}

// SIGINT and SIGTERM end the event loop through a pipe: a signal handler may
// do no more than write a byte.
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

bool catchSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return false;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    return ::sigaction(SIGINT, &action, nullptr) == 0 &&
           ::sigaction(SIGTERM, &action, nullptr) == 0;
}

struct Served {
    fs::path link;
    std::unique_ptr<lec::tools::PtyFadecPort> port;
    std::unique_ptr<lec::sim::FadecModel> model;
};

// The link DIR/COMn to the slave; a link left by an earlier run is replaced,
// anything else in the way is an error.
bool makeLink(const fs::path& link, const std::string& target, std::string& error) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(link, ec))) {
        fs::remove(link, ec);
    }
    fs::create_symlink(target, link, ec);
    if (ec) {
        error = link.string() + ": " + ec.message();
        return false;
    }
    return true;
}

void removeLinks(const std::vector<Served>& served) {
    for (const Served& s : served) {
        std::error_code ec;
        fs::remove(s.link, ec);
    }
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto index =
        static_cast<std::size_t>(std::lround(p * static_cast<double>(values.size() - 1)));
    return values[std::min(index, values.size() - 1)];
}

void printStats(const std::vector<Served>& served) {
    for (std::size_t i = 0; i < served.size(); ++i) {
        const auto& model = *served[i].model;
        const auto& stats = served[i].port->stats();
        const auto& delays = stats.answerDelaysMs;
        std::printf(
            "COM%zu: frames %llu, answers %llu, unanswered %llu, bytes dropped %llu, "
            "answer delay ms median %.2f p99 %.2f max %.2f\n",
            i + 1, static_cast<unsigned long long>(model.statusFramesSent()),
            static_cast<unsigned long long>(model.commandFramesReceived()),
            static_cast<unsigned long long>(model.framesUnanswered()),
            static_cast<unsigned long long>(stats.bytesDropped), percentile(delays, 0.5),
            percentile(delays, 0.99), percentile(delays, 1.0));
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    const auto options = parse(argc, argv, error);
    if (!options) {
        std::cerr << "fadec-sim: " << error << "\n" << kUsage;
        return 2;
    }
    if (!catchSignals()) {
        std::perror("fadec-sim: signals");
        return 1;
    }

    QCoreApplication app(argc, argv);
    lec::QtScheduler scheduler;

    std::error_code ec;
    fs::create_directories(options->dir, ec);
    std::vector<Served> served;
    const lec::sim::DemoCabinet::Options demo{options->seed, options->eager};
    for (int n = 1; n <= options->count; ++n) {
        Served s;
        s.link = fs::path(options->dir) / ("COM" + std::to_string(n));
        s.port = lec::tools::PtyFadecPort::create(scheduler, error);
        if (!s.port || !makeLink(s.link, s.port->slaveName(), error)) {
            std::cerr << "fadec-sim: " << error << "\n";
            removeLinks(served);
            return 1;
        }
        s.model = std::make_unique<lec::sim::FadecModel>(scheduler, *s.port,
                                                         lec::sim::demoFadecConfig(n, demo));
        served.push_back(std::move(s));
    }
    // Announced once every port serves, so that a reader of these lines can
    // open any of them at once.
    for (std::size_t i = 0; i < served.size(); ++i) {
        std::cout << "COM" << i + 1 << " -> " << served[i].port->slaveName() << "\n";
    }
    std::cout.flush();

    QSocketNotifier stopNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    const int status = QCoreApplication::exec();

    removeLinks(served);
    if (options->stats) {
        printStats(served);
    }
    for (Served& s : served) {
        s.model.reset();
    }
    return status;
}
