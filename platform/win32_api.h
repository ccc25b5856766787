// The Windows API for the Win32 platform files only: windows.h after platform.h, whose
// constants carry the same names and values as windows.h's macros.
#pragma once

#include "platform/platform.h"

// The build names these for mingw's GL headers, which would otherwise pull in windows.h
// themselves; windows.h gives them their own definitions.
#undef APIENTRY
#undef WINGDIAPI
#undef CALLBACK
#include <windows.h>

#include <GL/gl.h>

namespace platform::win32 {

inline HWND window(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
inline HDC deviceContext(DeviceContext handle) { return reinterpret_cast<HDC>(handle); }
inline HGLRC renderContext(RenderContext handle) { return reinterpret_cast<HGLRC>(handle); }
inline HFONT font(FontHandle handle) { return reinterpret_cast<HFONT>(handle); }
template <typename Handle> std::uintptr_t handleOf(Handle handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

// The pixel format as the Windows structure holds it.
PIXELFORMATDESCRIPTOR toWindows(const PixelFormatDescriptor& descriptor);

}  // namespace platform::win32
