#pragma once
// Module basWSock32 of the control: start and release of the platform's socket
// library. On Windows they call WSAStartup (version 1.1) and WSACleanup; elsewhere the platform
// needs no socket library start and both do nothing. Both ignore every outcome.

namespace varnholt {

void sockStartup() noexcept;
void sockCleanup() noexcept;

}  // namespace varnholt
