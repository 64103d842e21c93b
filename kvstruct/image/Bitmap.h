#pragma once
// Helpers around platform bitmaps: loading, window regions cut by a key colour, blitting,
// and reading bitmap pixels as a colour list.
#include "kvstruct/kvstruct_api.h"
#include "kvstruct/core/Colour.h"
#include "kvstruct/image/Dib.h"
#include <windows.h>

namespace KV {

// Loads a bitmap file as a platform bitmap backed by a DIB section; nullptr on failure.
// The caller deletes it with DeleteObject.
KVSTRUCT_API HBITMAP GetBITMAPW(const wchar_t* file);
KVSTRUCT_API HBITMAP GetBITMAPA(const char* file);
// The same from a loaded CDib; nullptr when it is empty.
KVSTRUCT_API HBITMAP CreateBITMAP(const CDib& dib);

// A window region of every pixel that is not within tolerance of the key colour (both
// 0x00BBGGRR; a channel matches when it lies in key - tolerance .. key + tolerance).
// Takes ownership of bitmap and deletes it. An empty region when every pixel is keyed;
// nullptr when the bitmap cannot be read.
KVSTRUCT_API HRGN CreateRegion(HBITMAP bitmap, COLORREF key, COLORREF tolerance);

// Copies the whole bitmap, from source point (sx, sy), to (x, y) of dc.
KVSTRUCT_API BOOL DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int sx = 0, int sy = 0);

// Every row of a bitmap, or every column, in ImportDibToRGBA.
constexpr unsigned long kAllDib = 0xFFFFFFFFul;

// Clears list and appends one colour (alpha 0) per pixel: row kAllDib means every row from 0
// (the first stored row) upwards, another value only that row; column likewise. Rows outer,
// columns inner. 1, or 0 after a warning ("Picture not found" for an empty bitmap, "Picture
// wrong size" for a row or column outside it) with the colours read so far in list.
KVSTRUCT_API int ImportDibToRGBA(const CDib& dib, CListRGBA& list, unsigned long row = kAllDib,
                                 unsigned long column = kAllDib);

} // namespace KV
