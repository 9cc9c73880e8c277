#include "resmanager/RefusedEntry.h"

#include "library/DSObj.h"
#include "library/DSObjMgr.h"

void ReleaseRefusedEntry(CDSObjMgr& manager, CDSObj* entry) {
    entry->SetAlbumOwned(false);
    manager.DeleteObject(entry);
}
