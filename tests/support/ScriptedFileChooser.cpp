#include "tests/support/ScriptedFileChooser.h"

#include <QTimer>

ScriptedFileChooser::ScriptedFileChooser() {
    SetFileChooser(this);
}

ScriptedFileChooser::~ScriptedFileChooser() {
    SetFileChooser(nullptr);
}

void ScriptedFileChooser::Pick(std::initializer_list<CString> names) {
    std::vector<CString> typed(names);
    m_steps.push_back([this, typed](IFileChooserClient& client) {
        std::vector<CString> paths;
        for (const CString& name : typed)
            paths.push_back(name.Left(1) == "/" ? name : m_folder + '/' + name);
        const bool taken = client.OnFilesChosen(paths);
        m_pickResults.push_back(taken);
        return taken;
    });
}

void ScriptedFileChooser::ChooseType(int typeIndex) {
    m_steps.push_back([typeIndex](IFileChooserClient& client) {
        client.OnTypeChosen(typeIndex);
        return false;
    });
}

void ScriptedFileChooser::Cancel() {
    m_steps.push_back([](IFileChooserClient& client) {
        client.OnCancelled();
        return true;
    });
}

void ScriptedFileChooser::Do(std::function<void()> step) {
    m_steps.push_back([step = std::move(step)](IFileChooserClient&) {
        step();
        return false;
    });
}

void ScriptedFileChooser::Open(QWidget*, const QRect&, const FileChooserRequest& request,
                               IFileChooserClient& client) {
    m_requests.push_back(request);
    m_folder = request.folder;
    m_client = &client;
    QTimer::singleShot(0, [this] { Play(); });
}

void ScriptedFileChooser::Play() {
    std::vector<Step> steps;
    steps.swap(m_steps);
    for (const Step& step : steps) {
        if (!m_client || step(*m_client))
            return;
    }
    if (m_client)
        m_client->OnCancelled();
}
