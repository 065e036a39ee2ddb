#include "rconctl/basWSock32.h"

#if defined(_WIN32)
#include <winsock2.h>
#endif

namespace varnholt {

void sockStartup() noexcept {
#if defined(_WIN32)
    // Every start is matched by at most one release (CleanUP_Timer fires once per run, the
    // control's destruction once), so Qt's own start of the library is never undone.
    WSADATA data;
    (void)WSAStartup(MAKEWORD(1, 1), &data);
#endif
}

void sockCleanup() noexcept {
#if defined(_WIN32)
    (void)WSACleanup();
#endif
}

}  // namespace varnholt
