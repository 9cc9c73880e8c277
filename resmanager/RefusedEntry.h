#pragma once
// An entry made for an album that did not take it.

class CDSObj;
class CDSObjMgr;

// Deletes the entry: made album-owned, it is owned by no album after the refusal.
void ReleaseRefusedEntry(CDSObjMgr& manager, CDSObj* entry);
