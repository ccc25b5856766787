// DDS files with the DX10 extended header, rewritten with the older header that DevIL reads,
// for the pixel formats that both headers can describe.
#pragma once

#include <vector>

// Leaves a DDS without the extended header unchanged; rewrites one with it; false when its
// pixel format has no older equivalent or the header is cut short.
bool useLegacyDdsHeader(std::vector<unsigned char>& bytes);
