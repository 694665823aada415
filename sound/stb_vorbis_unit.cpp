// The one translation unit that compiles the Ogg Vorbis decoder in. Its own
// warnings are silenced for this file alone (see CMakeLists.txt).
#define STB_VORBIS_NO_STDIO
#include "stb/stb_vorbis.h"
