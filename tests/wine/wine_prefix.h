// The Wine prefix the Windows programs under test run in: the test run's own (WINEPREFIX, made
// once by scripts/test.sh before the tests start), or one kept in this build tree by hand.
#pragma once

#include <cstdlib>
#include <string>

inline std::string winePrefixSetting() {
    const char* prefix = std::getenv("WINEPREFIX");
    return std::string("WINEPREFIX=") + (prefix != nullptr && *prefix != '\0' ? prefix : WINE_PREFIX);
}
