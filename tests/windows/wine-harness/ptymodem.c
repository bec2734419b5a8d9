// SPDX-License-Identifier: GPL-3.0-or-later
/*
 * ptymodem.so - lets Wine read from a COM port that is a Linux pseudo-terminal, so that the Wine
 * tests can run linvox.exe's port search and check against simulated phones.
 *
 * Wine's serial code (dlls/ntdll/unix/serial.c) asks the device for its modem lines with
 * TIOCMGET every 10 ms while a program waits for input (WaitCommEvent), and gives up the wait as
 * cancelled when that fails. A pseudo-terminal refuses TIOCMGET, TIOCMSET, TIOCMBIS and TIOCMBIC
 * (ENOTTY), so a Windows program never learns that its phone answered. Preloaded into Wine's
 * processes (LD_PRELOAD), this library answers those four requests on a pseudo-terminal's slave
 * side when the kernel refuses them, as a serial port with a phone attached would: DTR and RTS as
 * the program last set them, CTS, DSR and CD (carrier) on. Every other request, and every other
 * device, goes to the real ioctl() unchanged.
 *
 * Only together with commfix.dll: with this library alone, Wine's first WaitCommEvent of an open
 * port blocks the program until the phone sends something.
 *
 * PTYMODEM_LOG  a file to which every request answered here is appended, one line each
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

/* Unix98 pseudo-terminal slaves: majors 136 to 143, 256 minors each. */
enum { kFirstPtyMajor = 136, kPtyMajors = 8, kSlaves = kPtyMajors * 256 };

/* The input lines of a phone that is switched on and attached. */
enum { kInputLines = TIOCM_CTS | TIOCM_DSR | TIOCM_CAR };

/* The output lines (DTR, RTS) each slave was last given, with kGiven added; a slave never given
 * any reads as both on, as after a Windows program's open with the default DCB. */
enum { kGiven = 1 << 30 };
static int g_outputs[kSlaves];

typedef int (*ioctl_function)(int, unsigned long, ...);

static ioctl_function real_ioctl(void) {
    static ioctl_function real;
    if (!real) {
        /* POSIX's way from dlsym's object pointer to a function pointer; ISO C has none. */
        void *symbol = dlsym(RTLD_NEXT, "ioctl");
        memcpy(&real, &symbol, sizeof real);
    }
    return real;
}

/* The slave's index in g_outputs, or -1 when fd is no pseudo-terminal slave. */
static int slave_index(int fd) {
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode)) {
        return -1;
    }
    const unsigned int major_number = major(status.st_rdev);
    const unsigned int minor_number = minor(status.st_rdev);
    if (major_number < kFirstPtyMajor || major_number >= kFirstPtyMajor + kPtyMajors ||
        minor_number > 255) {
        return -1;
    }
    return (int)((major_number - kFirstPtyMajor) * 256 + minor_number);
}

static void note(int fd, const char *request, int value) {
    const char *path = getenv("PTYMODEM_LOG");
    if (!path) {
        return;
    }
    char line[160];
    const int length = snprintf(line, sizeof line, "pid %d fd %d %s 0x%03x\n", (int)getpid(), fd,
                                request, (unsigned int)value);
    const int saved = errno;
    const int log = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (log >= 0) {
        /* The log is a help, not a duty: a short write loses a line and nothing else. */
        const ssize_t written = write(log, line, (size_t)length);
        (void)written;
        close(log);
    }
    errno = saved;
}

int ioctl(int fd, unsigned long request, ...) {
    va_list arguments;
    va_start(arguments, request);
    void *argument = va_arg(arguments, void *);
    va_end(arguments);

    const int saved = errno;
    const int result = real_ioctl()(fd, request, argument);
    if (result != -1 || (errno != ENOTTY && errno != EINVAL) || argument == NULL ||
        (request != TIOCMGET && request != TIOCMSET && request != TIOCMBIS && request != TIOCMBIC)) {
        return result;
    }
    const int slave = slave_index(fd);
    if (slave < 0) {
        errno = ENOTTY;
        return -1;
    }
    int *value = argument;
    const int given = __atomic_load_n(&g_outputs[slave], __ATOMIC_ACQUIRE);
    int outputs = (given & kGiven) ? given & ~kGiven : TIOCM_DTR | TIOCM_RTS;
    const int writable = TIOCM_DTR | TIOCM_RTS;
    switch (request) {
        case TIOCMGET:
            *value = outputs | kInputLines;
            note(fd, "TIOCMGET", *value);
            break;
        case TIOCMSET:
            outputs = *value & writable;
            note(fd, "TIOCMSET", *value);
            break;
        case TIOCMBIS:
            outputs |= *value & writable;
            note(fd, "TIOCMBIS", *value);
            break;
        default:
            outputs &= ~(*value & writable);
            note(fd, "TIOCMBIC", *value);
            break;
    }
    __atomic_store_n(&g_outputs[slave], outputs | kGiven, __ATOMIC_RELEASE);
    errno = saved;
    return 0;
}
