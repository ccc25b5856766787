// Filling the driver table by name.
#include "fixedfunction/driver.h"

#pragma GCC diagnostic ignored "-Wunused-parameter"

namespace fixedfunction {
namespace {

template <class T>
T nothing() {
    return T();
}

#define VORN_ES2_NOTHING(result, name, parameters) \
    result APIENTRY nothing##name parameters { return nothing<result>(); }
VORN_ES2_FUNCTIONS(VORN_ES2_NOTHING)
#undef VORN_ES2_NOTHING

}  // namespace

Driver::Driver() {
#define VORN_ES2_DEFAULT(result, name, parameters) this->name = &nothing##name;
    VORN_ES2_FUNCTIONS(VORN_ES2_DEFAULT)
#undef VORN_ES2_DEFAULT
}

bool Driver::load(void* (*lookup)(const char* name)) {
    bool complete = true;
#define VORN_ES2_LOAD(result, name, parameters)                                            \
    if (auto found = reinterpret_cast<result(APIENTRY*) parameters>(lookup("gl" #name))) \
        this->name = found;                                                                \
    else                                                                                   \
        complete = false;
    VORN_ES2_FUNCTIONS(VORN_ES2_LOAD)
#undef VORN_ES2_LOAD
    return complete;
}

}  // namespace fixedfunction
