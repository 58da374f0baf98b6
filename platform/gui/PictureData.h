#pragma once
// Pictures as bytes held in memory, for records that carry a picture inside a larger
// stream (the reading side is DecodePictureData in Graphics.h).
#include <string>

class TBitmap;

// The bitmap as the bytes of a PNG file; empty for an empty bitmap.
std::string EncodePictureData(const TBitmap& From);
