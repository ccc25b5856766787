// vorn-view-es2 drawing through the fixed-function layer on OpenGL ES 2.
#include "tools/view/renderer_choice.h"

const char* const builtRenderer = "es2";
