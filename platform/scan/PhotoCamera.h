#pragma once
// One opened camera: the pictures on it, found in every folder, and the chosen ones downloaded one per
// transfer and decoded by the program's codecs.

#include "platform/base/String.h"
#include "platform/scan/ImageSource.h"
#include "platform/scan/PhotoLibrary.h"

#include <atomic>
#include <functional>
#include <vector>

// Turns a picture file's bytes into a new packed DIB, null when it cannot; extension is the file's, in
// lower case. The program sets its codec manager's; without one a camera delivers nothing.
using CameraPictureDecoder =
    std::function<HGLOBAL(const void* data, std::size_t size, const CString& extension)>;
void SetCameraPictureDecoder(CameraPictureDecoder decoder);

class CPhotoCamera : public CImageSource {
public:
    // Opens the camera model at port ("usb:001,004", "disk:/media/karte"); IsOpen tells whether it
    // answered.
    CPhotoCamera(const PhotoLibrary& library, const CString& model, const CString& port);
    ~CPhotoCamera() override;
    CPhotoCamera(const CPhotoCamera&) = delete;
    CPhotoCamera& operator=(const CPhotoCamera&) = delete;

    bool IsOpen() const { return m_camera != nullptr; }
    // Every picture on the camera as "folder/name", folders walked in the camera's order.
    std::vector<CString> ListPictures() const;

    // Chooses the settings' pictures that are on the camera, in their order; all of them when the
    // settings name none.
    bool Apply(const ScanSettings& settings) override;
    TW_UINT16 PendingCount() const override;
    // Downloads and decodes the next chosen picture.
    Result Acquire(HGLOBAL& dib) override;
    // The picture being downloaded still arrives; none after it.
    void Cancel() override { m_cancelled = true; }
    UINT FailureMessage() const override;

private:
    void ListFolder(const CString& folder, int depth, std::vector<CString>& pictures) const;

    const PhotoLibrary& m_library;
    GPContext* m_context = nullptr;
    Camera* m_camera = nullptr;
    std::vector<CString> m_chosen;
    std::size_t m_next = 0;
    std::atomic<bool> m_cancelled{false};
};
