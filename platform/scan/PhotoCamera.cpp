#include "platform/scan/PhotoCamera.h"

#include <algorithm>
#include <mutex>

namespace {

std::mutex g_decoderLock;
CameraPictureDecoder g_decoder;

// Camera folders nest a few levels ("/DCIM/100CANON"); deeper ones are not walked.
constexpr int kMaxFolderDepth = 8;
constexpr UINT kStringTransferFailed = 7029;

// Folder and name of a "folder/name" path.
std::pair<CString, CString> Split(const CString& path) {
    const int slash = path.ReverseFind('/');
    return {slash <= 0 ? CString("/") : path.Left(slash), path.Mid(slash + 1)};
}

CString Join(const CString& folder, const char* name) {
    return folder.Right(1) == "/" ? folder + name : folder + "/" + name;
}

} // namespace

void SetCameraPictureDecoder(CameraPictureDecoder decoder) {
    std::lock_guard guard(g_decoderLock);
    g_decoder = std::move(decoder);
}

CPhotoCamera::CPhotoCamera(const PhotoLibrary& library, const CString& model, const CString& port)
    : m_library(library), m_context(library.contextNew()) {
    CameraAbilitiesList* abilitiesList = SharedCameraAbilities(library);
    GPPortInfoList* ports = nullptr;
    Camera* camera = nullptr;
    bool ready = abilitiesList && m_library.portsNew(&ports) >= GP_OK &&
                 m_library.portsLoad(ports) >= GP_OK && m_library.cameraNew(&camera) >= GP_OK;
    if (ready) {
        const int modelIndex = m_library.abilitiesLookupModel(abilitiesList, model);
        const int portIndex = m_library.portsLookupPath(ports, port);
        CameraAbilities abilities{};
        GPPortInfo portInfo = nullptr;
        ready = modelIndex >= 0 && portIndex >= 0 &&
                m_library.abilitiesGet(abilitiesList, modelIndex, &abilities) >= GP_OK &&
                m_library.portsGetInfo(ports, portIndex, &portInfo) >= GP_OK &&
                m_library.cameraSetAbilities(camera, abilities) >= GP_OK &&
                m_library.cameraSetPortInfo(camera, portInfo) >= GP_OK &&
                m_library.cameraInit(camera, m_context) >= GP_OK;
    }
    if (ready)
        m_camera = camera;
    else if (camera)
        m_library.cameraUnref(camera);
    if (ports)
        m_library.portsFree(ports);
}

CPhotoCamera::~CPhotoCamera() {
    if (m_camera) {
        m_library.cameraExit(m_camera, m_context);
        m_library.cameraUnref(m_camera);
    }
    if (m_context)
        m_library.contextUnref(m_context);
}

void CPhotoCamera::ListFolder(const CString& folder, int depth, std::vector<CString>& pictures) const {
    CameraList* list = nullptr;
    if (m_library.listNew(&list) < GP_OK)
        return;
    if (m_library.listFiles(m_camera, folder, list, m_context) >= GP_OK) {
        for (int i = 0, count = m_library.listCount(list); i < count; ++i) {
            const char* name = nullptr;
            CameraFileInfo info{};
            if (m_library.listGetName(list, i, &name) < GP_OK || !name ||
                m_library.fileGetInfo(m_camera, folder, name, &info, m_context) < GP_OK)
                continue;
            const bool typed = (info.file.fields & GP_FILE_INFO_TYPE) != 0;
            if (typed && CString(info.file.type).Left(6) == "image/")
                pictures.push_back(Join(folder, name));
        }
    }
    if (depth < kMaxFolderDepth && m_library.listFolders(m_camera, folder, list, m_context) >= GP_OK) {
        std::vector<CString> folders;
        for (int i = 0, count = m_library.listCount(list); i < count; ++i) {
            const char* name = nullptr;
            if (m_library.listGetName(list, i, &name) >= GP_OK && name)
                folders.push_back(Join(folder, name));
        }
        for (const CString& subfolder : folders)
            ListFolder(subfolder, depth + 1, pictures);
    }
    m_library.listFree(list);
}

std::vector<CString> CPhotoCamera::ListPictures() const {
    std::vector<CString> pictures;
    if (m_camera)
        ListFolder("/", 0, pictures);
    return pictures;
}

bool CPhotoCamera::Apply(const ScanSettings& settings) {
    if (!m_camera)
        return false;
    m_chosen = ListPictures();
    if (!settings.pictures.empty()) {
        std::vector<CString> chosen;
        for (const CString& picture : settings.pictures)
            if (std::find(m_chosen.begin(), m_chosen.end(), picture) != m_chosen.end())
                chosen.push_back(picture);
        m_chosen = std::move(chosen);
    }
    m_next = 0;
    m_cancelled = false;
    return true;
}

TW_UINT16 CPhotoCamera::PendingCount() const {
    return static_cast<TW_UINT16>(std::min<std::size_t>(m_chosen.size() - m_next, kUnknownPendingCount - 1));
}

CImageSource::Result CPhotoCamera::Acquire(HGLOBAL& dib) {
    dib = nullptr;
    if (m_cancelled) {
        m_next = m_chosen.size();
        return Result::kCancelled;
    }
    if (m_next >= m_chosen.size())
        return Result::kNoMorePictures;
    const auto [folder, name] = Split(m_chosen[m_next++]);
    CameraFile* file = nullptr;
    if (m_library.fileNew(&file) < GP_OK)
        return Result::kFailed;
    const char* data = nullptr;
    unsigned long size = 0;
    if (m_library.fileGet(m_camera, folder, name, GP_FILE_TYPE_NORMAL, file, m_context) >= GP_OK &&
        m_library.fileGetData(file, &data, &size) >= GP_OK && data && size > 0) {
        const int dot = name.ReverseFind('.');
        CString extension = dot < 0 ? CString() : name.Mid(dot + 1);
        extension.MakeLower();
        std::lock_guard guard(g_decoderLock);
        if (g_decoder)
            dib = g_decoder(data, size, extension);
    }
    m_library.fileUnref(file);
    return dib ? Result::kDone : Result::kFailed;
}

UINT CPhotoCamera::FailureMessage() const {
    return kStringTransferFailed;
}
