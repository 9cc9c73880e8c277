// Window timers: Qt timers of the window's widget, or the manual clock of the tests.

#include "platform/ui/Messages.h"
#include "platform/ui/TimerTesting.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/Wnd.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <algorithm>

namespace {

// The system never fires a timer more often than this.
constexpr UINT kMinimumPeriod = 10;

struct ManualTimer {
    HWND window;
    TimerEntry::Kind kind;
    UINT_PTR id;
    UINT period;
    unsigned long long due;
    unsigned long long sequence; // keeps timers due at the same time in the order they were set
};

bool g_manual = false;
unsigned long long g_manualNow = 0;
unsigned long long g_manualBase = 0;
unsigned long long g_sequence = 0;
std::vector<ManualTimer> g_manualTimers;

QElapsedTimer& Clock() {
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock;
}

void DropManual(HWND window, TimerEntry::Kind kind, UINT_PTR id) {
    std::erase_if(g_manualTimers,
                  [&](const ManualTimer& t) { return t.window == window && t.kind == kind && t.id == id; });
}

bool KillEntry(HWND window, TimerEntry::Kind kind, UINT_PTR id) {
    auto& timers = window->timers;
    const auto it = std::find_if(timers.begin(), timers.end(),
                                 [&](const TimerEntry& t) { return t.kind == kind && t.id == id; });
    if (it == timers.end())
        return false;
    if (it->qtTimer)
        WidgetOf(window)->killTimer(it->qtTimer);
    else
        DropManual(window, kind, id);
    timers.erase(it);
    return true;
}

UINT_PTR StartEntry(HWND window, TimerEntry::Kind kind, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
    if (!IsLiveWindow(window) || window->phase >= WindowRecord::Phase::Destroying)
        return 0;
    KillEntry(window, kind, id);
    TimerEntry entry{kind, id, std::max(elapse, kMinimumPeriod), procedure, 0};
    if (g_manual) {
        g_manualTimers.push_back({window, kind, id, entry.period, g_manualNow + entry.period, g_sequence++});
    } else {
        entry.qtTimer = WidgetOf(window)->startTimer(static_cast<int>(entry.period), Qt::PreciseTimer);
        if (!entry.qtTimer)
            return 0;
    }
    window->timers.push_back(entry);
    return id ? id : 1;
}

void Fire(HWND window, const TimerEntry& entry) {
    if (entry.kind == TimerEntry::Kind::Hover) {
        KillEntry(window, TimerEntry::Kind::Hover, entry.id);
        window->trackHover = false;
        POINT pointer;
        GetCursorPos(&pointer);
        const QPoint local =
            WidgetOf(window)->mapFromGlobal(QPoint(pointer.x, pointer.y)) - ClientOffset(window);
        PostMessage(window, WM_MOUSEHOVER, CurrentKeyFlags(),
                    MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(local.x())),
                               static_cast<WORD>(static_cast<SHORT>(local.y()))));
        return;
    }
    if (entry.kind == TimerEntry::Kind::ScrollRepeat) {
        RepeatScrollPress(window);
        return;
    }
    if (entry.proc) {
        const TIMERPROC procedure = entry.proc;
        const UINT_PTR id = entry.id;
        Guarded([&] { procedure(window, WM_TIMER, id, GetTickCount()); });
        return;
    }
    DeliverQueued(window, WM_TIMER, entry.id, 0);
}

} // namespace

UINT_PTR SetWindowTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
    return StartEntry(window, TimerEntry::Kind::User, id, elapse, procedure);
}

BOOL KillWindowTimer(HWND window, UINT_PTR id) {
    return IsLiveWindow(window) && KillEntry(window, TimerEntry::Kind::User, id);
}

void StartHoverTimer(HWND window, UINT milliseconds) {
    StartEntry(window, TimerEntry::Kind::Hover, 0, milliseconds, nullptr);
}

void StopHoverTimer(HWND window) {
    KillEntry(window, TimerEntry::Kind::Hover, 0);
}

void StartScrollRepeatTimer(HWND window, UINT milliseconds) {
    StartEntry(window, TimerEntry::Kind::ScrollRepeat, 0, milliseconds, nullptr);
}

void StopScrollRepeatTimer(HWND window) {
    KillEntry(window, TimerEntry::Kind::ScrollRepeat, 0);
}

void KillAllTimers(HWND window) {
    while (!window->timers.empty())
        KillEntry(window, window->timers.front().kind, window->timers.front().id);
}

bool DeliverQtTimer(HWND window, int qtTimerId) {
    const auto it = std::find_if(window->timers.begin(), window->timers.end(),
                                 [&](const TimerEntry& t) { return t.qtTimer == qtTimerId; });
    if (it == window->timers.end())
        return false;
    const TimerEntry entry = *it; // the handler may kill or set timers
    Fire(window, entry);
    return true;
}

DWORD GetTickCount() {
    if (g_manual)
        return static_cast<DWORD>(g_manualBase + g_manualNow);
    return static_cast<DWORD>(Clock().elapsed());
}

void UseManualTimersForTesting(bool manual) {
    if (manual && !g_manual) {
        g_manualBase = static_cast<unsigned long long>(Clock().elapsed());
        g_manualNow = 0;
    }
    g_manual = manual;
}

void AdvanceTimersForTesting(DWORD milliseconds) {
    const unsigned long long end = g_manualNow + milliseconds;
    for (;;) {
        const auto next = std::min_element(
            g_manualTimers.begin(), g_manualTimers.end(), [](const ManualTimer& a, const ManualTimer& b) {
                return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
            });
        if (next == g_manualTimers.end() || next->due > end)
            break;
        g_manualNow = next->due;
        next->due += next->period;
        const HWND window = next->window;
        const TimerEntry::Kind kind = next->kind;
        const UINT_PTR id = next->id;
        const auto entry = std::find_if(window->timers.begin(), window->timers.end(),
                                        [&](const TimerEntry& t) { return t.kind == kind && t.id == id; });
        if (entry != window->timers.end()) {
            const TimerEntry fired = *entry;
            Fire(window, fired);
        }
        QCoreApplication::sendPostedEvents();
    }
    g_manualNow = end;
    QCoreApplication::sendPostedEvents();
}
