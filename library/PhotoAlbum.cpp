#include "library/PhotoAlbum.h"

#include "image/FileHelpers.h"
#include "library/DSObjMgr.h"
#include "library/Photo.h"
#include "platform/base/File.h"

#include <optional>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CPhotoAlbum, CDSAlbum)

namespace {

template <typename T>
int Order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

using FileStatuses = std::unordered_map<const CDSObj*, std::optional<CFileStatus>>;

// The status of every entry's file, read once before a sort compares them many times.
FileStatuses StatusesOf(const CTypedPtrList<CObList, CDSObj*>& entries) {
    CDSObjMgr* manager = GetDSObjMgr();
    FileStatuses statuses;
    for (POSITION pos = entries.GetHeadPosition(); pos != nullptr;) {
        const CDSObj* entry = entries.GetNext(pos);
        CFileStatus status;
        if (manager != nullptr && CFile::GetStatus(manager->GetObjectFilePath(entry), status))
            statuses[entry] = status;
        else
            statuses[entry] = std::nullopt;
    }
    return statuses;
}

// Compares a field of two file statuses; 0 (no swap) unless both could be read.
template <typename Field>
int CompareStatus(const FileStatuses& statuses, const CDSObj* a, const CDSObj* b, Field field) {
    const auto& statusA = statuses.at(a);
    const auto& statusB = statuses.at(b);
    return statusA && statusB ? Order((*statusA).*field, (*statusB).*field) : 0;
}

const CString& DescriptionOf(const CDSObj* entry) {
    static const CString kNone;
    const auto* photo = DYNAMIC_DOWNCAST(CPhoto, entry);
    return photo != nullptr ? photo->GetDescription() : kNone;
}

} // namespace

void CPhotoAlbum::Sort(const int& key, const bool& ascending) {
    switch (key) {
    case 0:
    case 1:
        CDSAlbum::Sort(key, ascending);
        return;
    case 2:
        ExchangeSort(ascending, [](const CDSObj* a, const CDSObj* b) {
            return GetFileExtension(a->GetFilePath()).CompareNoCase(GetFileExtension(b->GetFilePath()));
        });
        return;
    case 3: {
        const FileStatuses statuses = StatusesOf(GetObjectList());
        ExchangeSort(ascending, [&statuses](const CDSObj* a, const CDSObj* b) {
            return CompareStatus(statuses, a, b, &CFileStatus::m_size);
        });
        return;
    }
    case 4: {
        const FileStatuses statuses = StatusesOf(GetObjectList());
        ExchangeSort(ascending, [&statuses](const CDSObj* a, const CDSObj* b) {
            return CompareStatus(statuses, a, b, &CFileStatus::m_mtime);
        });
        return;
    }
    case 5:
        ExchangeSort(ascending, [](const CDSObj* a, const CDSObj* b) {
            return DescriptionOf(a).CompareNoCase(DescriptionOf(b));
        });
        return;
    default:
        return;
    }
}

CDSObj* CPhotoAlbum::NewObject() {
    return new CPhoto;
}
