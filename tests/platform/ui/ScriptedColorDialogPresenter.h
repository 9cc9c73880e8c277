#pragma once
// A colour chooser for tests: installed while it lives, it records each request and answers the next
// scripted colour, or cancels when none (or CLR_INVALID) is queued.

#include "platform/gdi/GdiTypes.h"
#include "platform/ui/ColorDialogPresenter.h"

#include <deque>
#include <vector>

class ScriptedColorDialogPresenter final : public IColorDialogPresenter {
public:
    ScriptedColorDialogPresenter() { SetColorDialogPresenter(this); }
    ~ScriptedColorDialogPresenter() override { SetColorDialogPresenter(nullptr); }
    ScriptedColorDialogPresenter(const ScriptedColorDialogPresenter&) = delete;
    ScriptedColorDialogPresenter& operator=(const ScriptedColorDialogPresenter&) = delete;

    void QueueColor(COLORREF color) { m_answers.push_back(color); }
    void QueueCancel() { m_answers.push_back(CLR_INVALID); }
    // The requests as they arrived (custom colours not copied).
    const std::vector<CHOOSECOLOR>& Requests() const { return m_requests; }

    BOOL Choose(CHOOSECOLOR& request) override {
        m_requests.push_back(request);
        if (m_answers.empty())
            return FALSE;
        const COLORREF answer = m_answers.front();
        m_answers.pop_front();
        if (answer == CLR_INVALID)
            return FALSE;
        request.rgbResult = answer;
        return TRUE;
    }

private:
    std::deque<COLORREF> m_answers;
    std::vector<CHOOSECOLOR> m_requests;
};
