// The environment's locale looked at through newlocale, so that the program's own locale (the C
// locale its number reading relies on) is never touched.
#include "platform/utf8_box_locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>

namespace platform {

bool environmentLocaleIsUtf8() {
    const locale_t named = newlocale(LC_CTYPE_MASK, "", locale_t(0));
    if (named == locale_t(0)) return false;
    const char* codeset = nl_langinfo_l(CODESET, named);
    const bool utf8 = codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
    freelocale(named);
    return utf8;
}

Utf8BoxLocale::Utf8BoxLocale() {
    if (environmentLocaleIsUtf8()) return;
    if (const char* all = std::getenv("LC_ALL")) savedAll_ = all;
    setenv("LC_ALL", "C.UTF-8", 1);
    changed_ = true;
}

Utf8BoxLocale::~Utf8BoxLocale() {
    if (!changed_) return;
    if (savedAll_)
        setenv("LC_ALL", savedAll_->c_str(), 1);
    else
        unsetenv("LC_ALL");
}

}  // namespace platform
