#include "platform/ui/FileChooser.h"

#include <QTimer>
#include <cstdio>

namespace {

class CancellingChooser final : public IFileChooser {
public:
    void Open(QWidget*, const QRect&, const FileChooserRequest& request,
              IFileChooserClient& client) override {
        std::fprintf(stderr, "[file dialog] no chooser installed: cancelled\n");
        m_folder = request.folder;
        m_client = &client;
        // Once the dialog's loop runs, so that it ends at once.
        QTimer::singleShot(0, [this] {
            if (m_client)
                m_client->OnCancelled();
        });
    }
    void Accept() override {}
    CString CurrentFolder() const override { return m_folder; }
    void Close() override { m_client = nullptr; }

private:
    CString m_folder;
    IFileChooserClient* m_client = nullptr;
};

IFileChooser* g_chooser = nullptr;

} // namespace

void SetFileChooser(IFileChooser* chooser) {
    g_chooser = chooser;
}

IFileChooser& GetFileChooser() {
    static CancellingChooser builtIn;
    return g_chooser ? *g_chooser : builtIn;
}
