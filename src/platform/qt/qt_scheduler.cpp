#include "platform/qt/qt_scheduler.h"

#include <QMetaObject>
#include <QTimer>

namespace lec {

namespace {

class QtTimer final : public Timer {
public:
    QtTimer(std::string name, int intervalMs, std::function<void()> handler)
        : name_(std::move(name)), interval_(intervalMs), handler_(std::move(handler)) {
        timer_->setTimerType(Qt::PreciseTimer);
        timer_->setSingleShot(true);  // re-armed at each tick, see QtScheduler
        QObject::connect(timer_, &QTimer::timeout, [this] { tick(); });
    }

    ~QtTimer() override {
        timer_->stop();
        QObject::disconnect(timer_, nullptr, nullptr, nullptr);
        *alive_ = false;
        // A handler may destroy its own timer while the QTimer is still
        // emitting timeout(): it must outlive that emission.
        if (ticking_) {
            timer_->deleteLater();
        } else {
            delete timer_;
        }
    }

    const std::string& name() const override { return name_; }
    int interval() const override { return interval_; }

    void setInterval(int ms) override {
        interval_ = ms;
        if (running_) {
            arm();
        }
    }

    void setHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

    void start() override {
        if (running_) {
            return;
        }
        running_ = true;
        arm();
    }

    void stop() override {
        running_ = false;
        timer_->stop();
    }

    bool running() const override { return running_; }

private:
    // An interval of 0 keeps the timer enabled but silent, as the original
    // timer control did.
    void arm() {
        if (interval_ > 0) {
            timer_->start(interval_);
        } else {
            timer_->stop();
        }
    }

    void tick() {
        if (!running_) {
            return;
        }
        arm();
        // The handler may replace itself or destroy this timer: run a copy and
        // touch no member afterwards unless this timer is still alive.
        const auto alive = alive_;
        const auto handler = handler_;
        ticking_ = true;
        if (handler) {
            handler();
        }
        if (*alive) {
            ticking_ = false;
        }
    }

    std::string name_;
    int interval_;
    std::function<void()> handler_;
    bool running_ = false;
    bool ticking_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    QTimer* timer_ = new QTimer;
};

}  // namespace

QtScheduler::QtScheduler() {
    clock_.start();
}

QtScheduler::~QtScheduler() = default;

std::int64_t QtScheduler::now() const {
    return clock_.elapsed();
}

std::unique_ptr<Timer> QtScheduler::createTimer(std::string name, int intervalMs,
                                                std::function<void()> handler) {
    return std::make_unique<QtTimer>(std::move(name), intervalMs, std::move(handler));
}

void QtScheduler::post(std::function<void()> task) {
    QMetaObject::invokeMethod(
        &context_, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

}  // namespace lec
