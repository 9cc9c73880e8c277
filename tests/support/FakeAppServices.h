#pragma once
// Application services for tests: records every message box, answers with scripted buttons, serves
// strings from a table and hands out whatever module handles the test sets. It installs itself for its
// lifetime and puts back what was installed before.

#include "platform/base/AppServices.h"

#include <deque>
#include <initializer_list>
#include <map>
#include <vector>

class FakeAppServices final : public IAppServices {
public:
    struct ShownMessage {
        UINT stringId = 0; // 0 for MessageBoxText
        CString text;      // the text shown (a string id's text from the table)
        UINT style = 0;
        UINT helpId = 0;
    };

    FakeAppServices();
    ~FakeAppServices() override;
    FakeAppServices(const FakeAppServices&) = delete;
    FakeAppServices& operator=(const FakeAppServices&) = delete;

    // Answers of the next message boxes, in order; when they run out, each box answers its default
    // button.
    void QueueAnswers(std::initializer_list<int> buttons) { m_answers.insert(m_answers.end(), buttons); }
    const std::vector<ShownMessage>& Messages() const { return m_messages; }
    // The string ids of the boxes shown so far, in order.
    std::vector<UINT> MessageIds() const;
    void ClearMessages() { m_messages.clear(); }

    void SetString(UINT stringId, const CString& text) { m_strings[stringId] = text; }

    void SetEffectsModule(HMODULE module) { m_effects = module; }
    void SetRastrumModule(HMODULE module) { m_rastrum = module; }
    void SetResourceModule(HMODULE module) { m_resource = module; }
    void SetTextModule(HMODULE module) { m_text = module; }
    const CString& ClipartPath() const { return m_clipartPath; }
    void SetEditMode(BYTE editMode) override { m_editMode = editMode; }
    void SetSavePrompt(BYTE enabled, BYTE answer) {
        m_savePromptEnabled = enabled;
        m_savePromptAnswer = answer;
    }
    void SetAppName(const CString& name) { m_appName = name; }
    void SetAboutText(const CString& text) { m_aboutText = text; }
    // Sounds on, from folder.
    void SetSound(BYTE enabled, const CString& folder) {
        m_soundEnabled = enabled;
        m_soundPath = folder;
    }

    int MessageBox(UINT stringId, UINT style = MB_OK, UINT helpId = 0) override;
    int MessageBoxText(const CString& text, UINT style = MB_OK, UINT helpId = 0) override;
    CString LoadString(UINT stringId, int initialLength = 255) override;
    HMODULE GetEffectsModule() override { return m_effects; }
    HMODULE GetRastrumModule() override { return m_rastrum; }
    HMODULE GetResourceModule() override { return m_resource; }
    HMODULE GetTextModule() override { return m_text; }
    BYTE IsEditMode() override { return m_editMode; }
    LPCTSTR GetVersionTag() override { return m_editMode ? "4.1.b" : "4.1.a"; }
    CString GetLoadedProjectVersion() override { return m_loadedVersion; }
    void SetLoadedProjectVersion(const CString& version) override { m_loadedVersion = version; }
    BYTE IsSavePromptEnabled() override { return m_savePromptEnabled; }
    BYTE GetSavePromptAnswer() override { return m_savePromptAnswer; }
    void SetSavePromptAnswer(BYTE answer) override {
        m_savePromptAnswer = answer;
        m_savePromptEnabled = FALSE;
    }
    void SetClipartPath(LPCTSTR path) override { m_clipartPath = path; }
    const char* GetClipartPath() const override { return m_clipartPath.GetString(); }
    CString GetAppName() override { return m_appName; }
    CString GetAboutText() override { return m_aboutText; }
    BYTE IsSoundEnabled() override { return m_soundEnabled; }
    void SetSoundEnabled(BYTE enabled) override { m_soundEnabled = enabled; }
    CString GetSoundPath() override { return m_soundPath; }

private:
    int Show(UINT stringId, const CString& text, UINT style, UINT helpId);

    IAppServices* m_previous;
    std::deque<int> m_answers;
    std::vector<ShownMessage> m_messages;
    std::map<UINT, CString> m_strings;
    HMODULE m_effects = nullptr;
    HMODULE m_rastrum = nullptr;
    HMODULE m_resource = nullptr;
    HMODULE m_text = nullptr;
    BYTE m_editMode = FALSE;
    BYTE m_savePromptEnabled = TRUE;
    BYTE m_savePromptAnswer = FALSE;
    CString m_appName = "Vellumcraft";
    CString m_aboutText;
    CString m_loadedVersion;
    CString m_clipartPath;
    BYTE m_soundEnabled = FALSE;
    CString m_soundPath;
};
