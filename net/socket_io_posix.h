// Native build only: wraps an existing descriptor (a socketpair end in tests).
#pragma once

#include "net/socket_io.h"

SocketHandle HandleFromDescriptor(int descriptor);
