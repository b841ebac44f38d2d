#pragma once

// The one place the Windows headers come in, with the version and trimming the
// build asks for.
#include <windows.h>
#include <windowsx.h>

// The program's System interface names its operations after these calls; the
// backend always spells out the A or W form it means.
#undef GetVersionEx
#undef LookupPrivilegeValue
