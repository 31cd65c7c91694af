// Socket vocabulary of the framework's socket classes. Socket types and option names are the
// system's own (so this header and the system's socket header can meet in one file); the
// readiness event bits have no system counterpart and are defined here.
#pragma once

#include <sys/socket.h>

#include "basic_types.h"

constexpr long FD_READ = 0x01;
constexpr long FD_WRITE = 0x02;
constexpr long FD_OOB = 0x04;
constexpr long FD_ACCEPT = 0x08;
constexpr long FD_CONNECT = 0x10;
constexpr long FD_CLOSE = 0x20;

constexpr int SOCKET_ERROR = -1;
