#pragma once
// The owner the skinned controls talk to in tests: a child window that logs the private messages, the
// notifications and the calls that the controls make on their parent, in the shared log.

#include "skin/ColorPopup.h"
#include "skin/CustomColorDialogOwner.h"
#include "skin/CustomSpinButtonCtrl.h"
#include "skin/SkinListsOwner.h"
#include "skin/StepFieldOwner.h"
#include "tests/platform/ui/LoggingWnd.h"

#include <iomanip>
#include <sstream>

class SkinOwnerWnd : public LoggingWnd,
                     public ISkinListsOwner,
                     public ICustomColorDialogOwner,
                     public IStepFieldOwner {
public:
    explicit SkinOwnerWnd(MessageLog* log) : LoggingWnd(log, "owner") {}

    void RedrawLists() override { Log("redrawlists"); }
    void SetCustomColorDialogOpen(BOOL open) override {
        Log(open ? "colordialog open" : "colordialog closed");
    }
    void OnStepFieldDone(CEditZoom* /*field*/) override { Log("stepfielddone"); }

    // A colour as the log shows it.
    static std::string Hex(COLORREF color) {
        std::ostringstream out;
        out << std::hex << std::setw(6) << std::setfill('0') << color;
        return out.str();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= CPN_SELCHANGE && message <= CPN_SELENDCANCEL) {
            Log(std::to_string(message) + " " + Hex(static_cast<COLORREF>(wParam)) + " id " +
                std::to_string(lParam));
            return 0;
        }
        if (message == SPN_RELEASED) {
            Log("spinreleased");
            return 0;
        }
        return LoggingWnd::WindowProc(message, wParam, lParam);
    }

    // Reflection first: what a control keeps to itself is not logged.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        return CWnd::OnCommand(wParam, lParam) || LoggingWnd::OnCommand(wParam, lParam);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        Log("notify " + std::to_string(static_cast<int>(header->code)) + " id " + std::to_string(wParam));
        return LoggingWnd::OnNotify(wParam, lParam, result);
    }
};
