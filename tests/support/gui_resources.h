#pragma once
// Live GDI and USER object counts of this process, for tests that look for leaks.
//
// GetGuiResources answers on Windows; Wine's returns 0, so there the GDI count comes from probing
// the process's handle table and the USER count is the number of this thread's windows.

namespace testing_support {

unsigned GdiObjectCount();
// GdiObjectCount without window DCs and their clip regions: the window manager caches those and
// grows the cache to its working size the first times several windows paint at once. Where only
// GetGuiResources answers, the same as GdiObjectCount.
unsigned DrawingObjectCount();
unsigned UserObjectCount();

}  // namespace testing_support
