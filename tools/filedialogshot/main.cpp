// filedialogshot: the save dialog with Qt's file widget and a template of options beneath it, with German
// texts, as a PNG file for a person to judge the looks:
//   filedialogshot OUTPUT.png

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/QtFileChooser.h"
#include "platform/ui/QtTranslations.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// The listing needs a moment to fill.
constexpr int kListingDelayMs = 1500;

// A folder with a few pictures and a subfolder to list.
bool FillFolder(const QString& folder) {
    if (!QDir(folder).mkdir("Ferien 2026"))
        return false;
    for (const char* name :
         {"Familienfeier.jpg", "Hochzeit.jpg", "Urlaub am Meer.jpg", "Scan Großmutter.jpg", "Notizen.txt"}) {
        QFile file(folder + '/' + QString::fromUtf8(name));
        if (!file.open(QIODevice::WriteOnly) || file.write("x") != 1)
            return false;
    }
    return true;
}

class PictureSaveDialog final : public CFileDialog {
public:
    explicit PictureSaveDialog(HMODULE module)
        : CFileDialog(
              FALSE, "bmp", "Urlaub", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
              "Windows-Bitmap (*.bmp)|*.bmp|JPEG-Bild (*.jpg)|*.jpg;*.jpeg|PNG-Bild (*.png)|*.png||") {
        m_ofn.hInstance = module;
        m_ofn.Flags |= OFN_ENABLETEMPLATE;
        m_ofn.lpTemplateName = MAKEINTRESOURCE(100);
        m_ofn.lpstrTitle = "Bild speichern unter";
        m_ofn.nFilterIndex = 2;
    }

protected:
    BOOL OnInitDialog() override {
        CheckDlgButton(1015, BST_CHECKED);
        return CFileDialog::OnInitDialog();
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: filedialogshot OUTPUT.png\n");
        return 2;
    }
    QApplication application(argc, argv);
    LoadQtGermanTranslations();
    const QString output = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir folder;
    const HMODULE module = LoadLibrary(VC_FILEDIALOGSHOT_MODULE);
    if (!folder.isValid() || !FillFolder(folder.path()) || !module) {
        std::fprintf(stderr, "cannot prepare the folder or the module\n");
        return 1;
    }
    CQtFileChooser chooser;
    SetFileChooser(&chooser);
    PictureSaveDialog dialog(module);
    const QByteArray folderPath = folder.path().toUtf8();
    dialog.m_ofn.lpstrInitialDir = folderPath.constData();
    bool saved = false;
    QTimer::singleShot(kListingDelayMs, [&] {
        QFileDialog* widget = nullptr;
        for (QWidget* candidate : QApplication::allWidgets()) {
            if (auto* found = qobject_cast<QFileDialog*>(candidate))
                widget = found;
        }
        if (!widget)
            return;
        saved = widget->window()->grab().save(output);
        QMetaObject::invokeMethod(widget, "reject");
    });
    dialog.DoModal();
    SetFileChooser(nullptr);
    FreeLibrary(module);
    if (!saved)
        std::fprintf(stderr, "cannot write %s\n", output.toUtf8().constData());
    return saved ? 0 : 1;
}
