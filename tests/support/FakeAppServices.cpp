#include "tests/support/FakeAppServices.h"

FakeAppServices::FakeAppServices() : m_previous(&AppServices()) {
    SetAppServices(this);
}

FakeAppServices::~FakeAppServices() {
    SetAppServices(m_previous);
}

std::vector<UINT> FakeAppServices::MessageIds() const {
    std::vector<UINT> ids;
    for (const auto& message : m_messages) {
        ids.push_back(message.stringId);
    }
    return ids;
}

int FakeAppServices::MessageBox(UINT stringId, UINT style, UINT helpId) {
    const auto found = m_strings.find(stringId);
    return Show(stringId, found != m_strings.end() ? found->second : CString(), style, helpId);
}

int FakeAppServices::MessageBoxText(const CString& text, UINT style, UINT helpId) {
    return Show(0, text, style, helpId);
}

CString FakeAppServices::LoadString(UINT stringId, int) {
    const auto found = m_strings.find(stringId);
    return found != m_strings.end() ? found->second : CString();
}

int FakeAppServices::Show(UINT stringId, const CString& text, UINT style, UINT helpId) {
    m_messages.push_back({stringId, text, style, helpId});
    if (m_answers.empty()) {
        return DefaultMessageBoxButton(style);
    }
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
