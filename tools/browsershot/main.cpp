// browsershot: the thumbnail file browser on a folder of photo-like pictures, in the thumbnails view, as
// a PNG file for a person to judge the looks:
//   browsershot PROGRAM_DIR OUTPUT.png

#include "albums/BrowseFileDlg.h"
#include "image/ExtMgr.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "tools/photoscene/PhotoScene.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class ShotServices final : public CDefaultAppServices {
public:
    explicit ShotServices(HMODULE resources) : m_resources(resources) {}
    HMODULE GetResourceModule() override { return m_resources; }

private:
    HMODULE m_resources;
};

struct Photo {
    const char* name;
    int width;
    int height;
};

// A BMP file: the 14-byte file header in front of the packed DIB.
bool WriteBmp(const QString& path, const std::vector<BYTE>& dib) {
    const quint32 size = static_cast<quint32>(14 + dib.size());
    const quint32 offset = 14 + 40;
    QByteArray header(14, '\0');
    header[0] = 'B';
    header[1] = 'M';
    for (int i = 0; i < 4; ++i) {
        header[2 + i] = static_cast<char>(size >> (8 * i));
        header[10 + i] = static_cast<char>(offset >> (8 * i));
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header) == 14 &&
           file.write(reinterpret_cast<const char*>(dib.data()), static_cast<qint64>(dib.size())) ==
               static_cast<qint64>(dib.size());
}

bool FillFolder(const QString& folder) {
    const Photo photos[] = {{"Am See.bmp", 640, 480},          {"Abendlicht.bmp", 480, 640},
                            {"Berge im Herbst.bmp", 800, 450}, {"Familienfest.bmp", 600, 600},
                            {"Hafen.bmp", 720, 480},           {"Portrait Anna.bmp", 420, 600},
                            {"Sommerwiese.bmp", 900, 400},     {"Winterwald.bmp", 640, 512}};
    for (const Photo& photo : photos) {
        if (!WriteBmp(folder + '/' + QString::fromUtf8(photo.name),
                      MakePhotoScene(photo.width, photo.height)))
            return false;
    }
    return true;
}

bool AllPicturesShown(CListCtrl& list) {
    for (int i = 0; i < list.GetItemCount(); ++i) {
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        if (!list.GetItem(&item) || item.iImage < 0)
            return false;
    }
    return list.GetItemCount() > 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: browsershot PROGRAM_DIR OUTPUT.png\n");
        return 2;
    }
    QApplication application(argc, argv);
    const CString programDir = argv[1];
    const QString output = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir profile;
    QTemporaryDir pictures;
    const HMODULE resources = LoadLibrary(programDir + "/qz_res.deu");
    if (!profile.isValid() || !pictures.isValid() || !FillFolder(pictures.path()) || !resources) {
        std::fprintf(stderr, "cannot prepare the folder or the module\n");
        return 1;
    }
    SetProfileFolderForTesting(profile.path().toStdString().c_str());
    WriteProfileInt("Settings\\Thumbnails\\Browse", "thumbcx", 100);
    WriteProfileInt("Settings\\Thumbnails\\Browse", "thumbcy", 100);
    WriteProfileInt("Settings\\Thumbnails\\Browse", "spacingcx", 43);
    WriteProfileInt("Settings\\Thumbnails\\Browse", "spacingcy", 43);
    AfxSetResourceHandle(resources);
    ShotServices services(resources);
    SetAppServices(&services);
    CExtMgr plugins(programDir);
    plugins.LoadPlugins();

    CBrowseFileDlg dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                          "Alle Bilder|*.bmp;*.jpg;*.jpeg;*.png|BMP-Bild|*.bmp|JPEG-Bild|*.jpg;*.jpeg||");
    const QByteArray folder = pictures.path().toUtf8();
    dialog.m_ofn.lpstrInitialDir = folder.constData();
    bool saved = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* list = static_cast<CListCtrl*>(dialog.GetDlgItem(6004));
        if (!list || !AllPicturesShown(*list))
            return;
        poll.stop();
        list->SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        // The properties follow the selection a tenth of a second later.
        QTimer::singleShot(400, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->isVisible() && window->windowTitle().startsWith("Bilder durchsuchen"))
                    saved = window->grab().save(output);
            }
            dialog.EndDialog(IDCANCEL);
        });
    });
    poll.start(100);
    dialog.DoModal();
    SetAppServices(nullptr);
    FreeLibrary(resources);
    if (!saved)
        std::fprintf(stderr, "cannot write %s\n", output.toUtf8().constData());
    return saved ? 0 : 1;
}
