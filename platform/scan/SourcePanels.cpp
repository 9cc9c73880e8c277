#include "platform/scan/SourcePanels.h"

#include "platform/scan/CameraPanel.h"
#include "platform/scan/PhotoCamera.h"
#include "platform/scan/SaneScanner.h"
#include "platform/scan/ScannerPanel.h"

bool RunSourcePanel(CImageSource& source, CWnd* parent, ScanSettings& settings) {
    ScanSettings chosen = settings;
    INT_PTR result = IDCANCEL;
    if (auto* camera = dynamic_cast<CPhotoCamera*>(&source)) {
        CCameraPanel panel(camera->ListPictures(), chosen, parent);
        result = panel.DoModal();
    } else if (auto* scanner = dynamic_cast<CSaneScanner*>(&source)) {
        CScannerPanel panel(scanner->Resolutions(), scanner->DocumentSources(), chosen, parent);
        result = panel.DoModal();
    }
    if (result != IDOK)
        return false;
    settings = std::move(chosen);
    return true;
}
