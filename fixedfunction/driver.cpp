// Filling the driver table by name.
#include "fixedfunction/driver.h"

namespace fixedfunction {

bool Driver::load(void* (*lookup)(const char* name)) {
    bool complete = true;
#define VORN_ES2_LOAD(result, name, parameters)                                      \
    this->name = reinterpret_cast<result(APIENTRY*) parameters>(lookup("gl" #name)); \
    complete = complete && this->name != nullptr;
    VORN_ES2_FUNCTIONS(VORN_ES2_LOAD)
#undef VORN_ES2_LOAD
    return complete;
}

}  // namespace fixedfunction
