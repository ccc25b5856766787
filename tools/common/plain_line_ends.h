// The tools' output is the same bytes on every system: Windows' C library would otherwise end
// each line of stdout and stderr with CR LF, and scripts comparing or parsing it would differ.
#pragma once

namespace toolcommon {

// Puts stdout and stderr in binary mode where the C library translates line ends; call first.
void keepLineEndsPlain();

}  // namespace toolcommon
