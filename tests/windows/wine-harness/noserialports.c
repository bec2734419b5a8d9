// SPDX-License-Identifier: GPL-3.0-or-later
/*
 * noserialports.so - hides the machine's own serial ports from Wine, so that the COM ports of a
 * test's Wine prefix are only those the test links to its simulated phones.
 *
 * Whenever a prefix's Wine server starts, Wine's mount manager gives COM numbers to the serial
 * devices it finds (/dev/ttyS0, /dev/ttyS1, ... /dev/ttyUSB0, ... /dev/ttyACM0, ...), from COM1 up,
 * linking them among the prefix's DOS devices over any link a test made there. A program dialling
 * COM1 would then write to the machine's first serial port, on a virtual machine often its
 * console, and wait there for minutes. The mount manager looks for the devices with access();
 * preloaded into Wine's processes (LD_PRELOAD), this library answers that none of them exists.
 * Every other path goes to the real access().
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <string.h>
#include <unistd.h>

static const char *const kSerialDevices[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};

typedef int (*access_function)(const char *, int);

static access_function real_access(void) {
    static access_function real;
    if (!real) {
        /* POSIX's way from dlsym's object pointer to a function pointer; ISO C has none. */
        void *symbol = dlsym(RTLD_NEXT, "access");
        memcpy(&real, &symbol, sizeof real);
    }
    return real;
}

int access(const char *path, int mode) {
    for (size_t i = 0; i < sizeof kSerialDevices / sizeof kSerialDevices[0]; ++i) {
        if (strncmp(path, kSerialDevices[i], strlen(kSerialDevices[i])) == 0) {
            errno = ENOENT;
            return -1;
        }
    }
    return real_access()(path, mode);
}
