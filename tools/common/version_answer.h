// The answer every program gives to --version: its name and the one version set in the build,
// "vorn-check 0.1.0", on standard output.
#pragma once

namespace toolcommon {

extern const char* const programVersion;

// True when an argument before any "--" is --version; the answer has then been printed.
bool answeredVersion(int argc, const char* const* argv, const char* programName);

}  // namespace toolcommon
