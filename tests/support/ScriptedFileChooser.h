#pragma once
// A file chooser for tests: records what each dialog asked for and, once the dialog's loop runs, plays
// its steps in order (pick names, change the type, cancel, or anything the test does meanwhile). A dialog
// still open after the last step is cancelled, so that no test waits for a user. It installs itself for
// its lifetime.

#include "platform/ui/FileChooser.h"

#include <functional>
#include <initializer_list>
#include <vector>

class ScriptedFileChooser final : public IFileChooser {
public:
    ScriptedFileChooser();
    ~ScriptedFileChooser() override;
    ScriptedFileChooser(const ScriptedFileChooser&) = delete;
    ScriptedFileChooser& operator=(const ScriptedFileChooser&) = delete;

    // Names as typed: relative to the listing's folder, or absolute.
    void Pick(std::initializer_list<CString> names);
    void ChooseType(int typeIndex);
    void Cancel();
    void Do(std::function<void()> step);

    const std::vector<FileChooserRequest>& Requests() const { return m_requests; }
    // Whether the dialog took each pick, in order.
    const std::vector<bool>& PickResults() const { return m_pickResults; }
    int AcceptRequests() const { return m_acceptRequests; }

    void Open(QWidget* host, const QRect& area, const FileChooserRequest& request,
              IFileChooserClient& client) override;
    void Accept() override { ++m_acceptRequests; }
    CString CurrentFolder() const override { return m_folder; }
    void Close() override { m_client = nullptr; }

private:
    // A step returns true when it ended the dialog.
    using Step = std::function<bool(IFileChooserClient&)>;
    void Play();

    std::vector<Step> m_steps;
    std::vector<FileChooserRequest> m_requests;
    std::vector<bool> m_pickResults;
    int m_acceptRequests = 0;
    CString m_folder;
    IFileChooserClient* m_client = nullptr;
};
