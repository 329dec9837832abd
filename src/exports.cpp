// The shared library's own translation unit: the exported functions come
// whole from the engine archive; the version script keeps everything else
// local.
#include "Kelvane.h"
