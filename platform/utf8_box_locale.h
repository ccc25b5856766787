// SDL draws a message box in the character set of the locale the environment names (it takes
// that locale while the box is up); this makes that a UTF-8 one for as long as a box is shown.
#pragma once

#include <optional>
#include <string>

namespace platform {

// Whether the locale named by LC_ALL, LC_CTYPE and LANG has UTF-8 characters; a locale that is
// not installed counts as the C locale, as setlocale treats it.
bool environmentLocaleIsUtf8();

// In a locale that is not UTF-8 (the C locale of a fresh root shell or a container), sets LC_ALL
// to C.UTF-8 until it goes out of scope, so that "Chargement Terminé" keeps its "é"; otherwise
// changes nothing.
class Utf8BoxLocale {
public:
    Utf8BoxLocale();
    ~Utf8BoxLocale();
    Utf8BoxLocale(const Utf8BoxLocale&) = delete;
    Utf8BoxLocale& operator=(const Utf8BoxLocale&) = delete;

private:
    bool changed_ = false;
    std::optional<std::string> savedAll_;
};

}  // namespace platform
