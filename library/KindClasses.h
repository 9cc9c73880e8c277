#pragma once
// The album and entry classes of the resource kinds with albums, by type id: pictures (0) CPhotoAlbum
// and CPhoto, stencils (1) CStencilAlbum and CStencil, frames (2) CMatAlbum and CMat, clipart (3)
// CClipartAlbum and CClipart. The one place that maps type ids to classes.

class CDSAlbum;
class CDSObj;

// A new empty album or entry of the kind, owned by the caller; null for other type ids.
CDSAlbum* CreateKindAlbum(int typeId);
CDSObj* CreateKindEntry(int typeId);
// The type id of the album's or entry's class; -1 for null and other classes.
int GetKindOfAlbum(const CDSAlbum* album);
int GetKindOfEntry(const CDSObj* entry);
