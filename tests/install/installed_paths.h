// Where the build was installed for these tests, and the version it was built with.
#pragma once

#include <filesystem>
#include <string>

#include "tests/support/tool_run.h"

namespace installtest {

inline const std::filesystem::path prefix = VORN_INSTALL_PREFIX;
inline const std::filesystem::path binFolder = prefix / VORN_INSTALL_BINDIR;
inline const std::filesystem::path manFolder = prefix / VORN_INSTALL_MANDIR / "man1";
inline const std::filesystem::path shareFolder = prefix / VORN_INSTALL_DATADIR;
inline const std::filesystem::path dataFolder = shareFolder / "vorn";
inline const std::string expectedVersion = VORN_EXPECTED_VERSION;

using testsupport::quoted;
using testsupport::runCaptured;
using testsupport::TestFolder;
using testsupport::ToolRun;

}  // namespace installtest
