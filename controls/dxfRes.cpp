// The shared off-screen bitmap of the rotated labels.
#include "controls/dxfRes.h"

namespace {

TBitmap drawBmp;  // a program-wide object: lives from start-up to shutdown

}  // namespace

TBitmap& DrawBmp() { return drawBmp; }
