// vorn-view drawing through the system's OpenGL.
#include "tools/view/renderer_choice.h"

const char* const builtRenderer = "gl";
