#pragma once
// Plays a Windows metafile ([MS-WMF]) onto a device context: the metafile's window is mapped onto a
// frame of the context. Every record, object index, count and bitmap is checked against the metafile's
// bytes before use; records it does not know are skipped.

#include "platform/base/WinStructs.h"

#include <span>

class CDC;

// body: the metafile header and records, without a placeable header. window: the logical rectangle the
// frame shows until the metafile sets its own window (a placeable header's bounding box). False when
// the header is not one of a metafile or its size leaves the bytes.
bool PlayWmf(CDC& dc, std::span<const BYTE> body, const RECT& window, const RECT& frame);

// Whether the bytes begin with a metafile header whose size stays inside them.
bool IsWmfBody(std::span<const BYTE> body);

// The metafile's own window: its first window origin and extent records, or an empty rectangle.
RECT WmfWindowOf(std::span<const BYTE> body);
