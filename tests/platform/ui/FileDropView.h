#pragma once
// A view that takes drops of files through its own handlers and keeps the files of each drop.

#include "platform/ui/OleDropTarget.h"
#include "tests/platform/ui/LoggingWnd.h"

#include <string>
#include <vector>

class FileDropView : public LoggingWnd, public IDropTargetWindow {
public:
    explicit FileDropView(MessageLog* log) : LoggingWnd(log, "view") {}

    DROPEFFECT OnDragEnter(COleDataObject* data, DWORD, CPoint) override { return Answer(data); }
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD, CPoint) override { return Answer(data); }
    void OnDragLeave() override { Log("leave"); }
    BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) override {
        STGMEDIUM medium{};
        if (!data->GetData(CF_HDROP, &medium))
            return FALSE;
        const auto drop = static_cast<HDROP>(medium.hGlobal);
        const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::string path(DragQueryFile(drop, i, nullptr, 0) + 1, '\0');
            DragQueryFile(drop, i, path.data(), static_cast<UINT>(path.size()));
            path.pop_back();
            m_files.push_back(path);
        }
        ReleaseStgMedium(&medium);
        Log("drop effect " + std::to_string(effect) + " at " + std::to_string(point.x) + "," +
            std::to_string(point.y));
        return TRUE;
    }

    std::vector<std::string> m_files;

private:
    DROPEFFECT Answer(COleDataObject* data) {
        return data->IsDataAvailable(CF_HDROP) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    }
};
