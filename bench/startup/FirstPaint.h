#pragma once
// Ends the process at the first paint event of a chosen window and prints the time since main began as
// seconds=<value>. Both start-up benchmarks measure through it, so they measure the same span.

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

class FirstPaint final : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    FirstPaint(Clock::time_point start, std::function<bool(QWidget*)> isWatched)
        : m_start(start), m_isWatched(std::move(isWatched)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            m_isWatched(static_cast<QWidget*>(watched))) {
            const std::chrono::duration<double> elapsed = Clock::now() - m_start;
            std::printf("seconds=%.6f\n", elapsed.count());
            std::fflush(stdout);
            // Only start-up is measured: what follows (the splash's timer, shutdown) is not.
            std::_Exit(0);
        }
        return false;
    }

private:
    Clock::time_point m_start;
    std::function<bool(QWidget*)> m_isWatched;
};
