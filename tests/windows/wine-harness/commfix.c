// SPDX-License-Identifier: GPL-3.0-or-later
/*
 * commfix.dll - makes WaitCommEvent under Wine 8 behave as on Windows for a program that waits
 * for its COM port through an I/O completion port, as Qt's QSerialPort (and so linvox.exe) does.
 * For testing only; commfix-run.exe loads it into the program.
 *
 * Wine 8.0 runs an overlapped WaitCommEvent in ntdll's Unix side (dlls/ntdll/unix/serial.c) and
 *  - never queues a completion packet for it on the completion port the handle is bound to, so
 *    QSerialPort never learns that bytes arrived and never reads them;
 *  - when the OVERLAPPED has no event (QSerialPort passes none), blocks the calling thread until
 *    something arrives, and then reports success synchronously.
 * This library replaces WaitCommEvent, CreateIoCompletionPort, CancelIo and CloseHandle in the
 * program's import table. For a handle bound to a completion port, WaitCommEvent starts Wine's
 * wait with an event of its own (so it does not block), returns ERROR_IO_PENDING, and once
 * Wine's wait ends queues the packet that Windows would queue: success with the events, or
 * STATUS_CANCELLED with none. CancelIo and CloseHandle end a pending wait first (by setting the
 * same event mask again, which ends Wine's wait), as Windows cancels it.
 *
 * Wine's wait itself ends at once on a pseudo-terminal unless ptymodem.so is preloaded: both are
 * needed to read from a simulated phone.
 *
 * COMMFIX_LOG  a file to which each wait and packet is appended
 */
#include <windows.h>
#include <winternl.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifndef STATUS_CANCELLED
#define STATUS_CANCELLED ((NTSTATUS)0xC0000120L)
#endif

typedef NTSTATUS(NTAPI *SetIoCompletionFunction)(HANDLE, ULONG_PTR, ULONG_PTR, NTSTATUS, SIZE_T);
typedef BOOL(WINAPI *WaitCommEventFunction)(HANDLE, LPDWORD, LPOVERLAPPED);
typedef HANDLE(WINAPI *CreateIoCompletionPortFunction)(HANDLE, HANDLE, ULONG_PTR, DWORD);
typedef BOOL(WINAPI *HandleFunction)(HANDLE);

static WaitCommEventFunction real_WaitCommEvent;
static CreateIoCompletionPortFunction real_CreateIoCompletionPort;
static HandleFunction real_CancelIo;
static HandleFunction real_CloseHandle;
static SetIoCompletionFunction set_io_completion;

/* A WaitCommEvent in progress: Wine's wait on our own OVERLAPPED, reported on the caller's. */
typedef struct Wait {
    HANDLE file;
    HANDLE port;
    ULONG_PTR key;
    OVERLAPPED *caller;
    DWORD *caller_events;
    OVERLAPPED own;
    DWORD events;
    HANDLE finisher;
} Wait;

/* A handle bound to a completion port, and its wait in progress. */
typedef struct Binding {
    HANDLE file;
    HANDLE port;
    ULONG_PTR key;
    Wait *pending;
} Binding;

enum { kBindings = 64 };
static Binding g_bindings[kBindings];
static CRITICAL_SECTION g_lock;
static FILE *g_log;

static void note(const char *format, ...) {
    if (!g_log) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    fprintf(g_log, "commfix %lu: ", (unsigned long)GetTickCount());
    vfprintf(g_log, format, arguments);
    fprintf(g_log, "\n");
    fflush(g_log);
    va_end(arguments);
}

/* The binding of file, or NULL; call with g_lock held. */
static Binding *binding_of(HANDLE file) {
    for (int i = 0; i < kBindings; ++i) {
        if (g_bindings[i].file == file && file != NULL) {
            return &g_bindings[i];
        }
    }
    return NULL;
}

static DWORD WINAPI finish_wait(void *argument) {
    Wait *wait = argument;
    WaitForSingleObject(wait->own.hEvent, INFINITE);
    const NTSTATUS status = (NTSTATUS)wait->own.Internal;
    const BOOL arrived = status == 0 && wait->events != 0;
    *wait->caller_events = arrived ? wait->events : 0;
    wait->caller->Internal = arrived ? 0 : (ULONG_PTR)STATUS_CANCELLED;
    wait->caller->InternalHigh = arrived ? sizeof(DWORD) : 0;
    EnterCriticalSection(&g_lock);
    Binding *binding = binding_of(wait->file);
    if (binding && binding->pending == wait) {
        binding->pending = NULL;
    }
    LeaveCriticalSection(&g_lock);
    note("wait on %p ended: status 0x%08lx events 0x%lx", wait->file, (unsigned long)status,
         (unsigned long)wait->events);
    const NTSTATUS queued = set_io_completion(wait->port, wait->key, (ULONG_PTR)wait->caller,
                                              arrived ? 0 : STATUS_CANCELLED,
                                              arrived ? sizeof(DWORD) : 0);
    note("packet for %p queued on port %p: 0x%08lx", wait->file, wait->port,
         (unsigned long)queued);
    /* Nobody reads the wait any more: it left its binding above, and its starter has let go of
     * the lock that it set the finisher under. */
    EnterCriticalSection(&g_lock);
    real_CloseHandle(wait->finisher);
    LeaveCriticalSection(&g_lock);
    real_CloseHandle(wait->own.hEvent);
    free(wait);
    return 0;
}

/* Ends the wait in progress on file, if any, and waits until its packet is queued. */
static void end_pending_wait(HANDLE file) {
    EnterCriticalSection(&g_lock);
    Binding *binding = binding_of(file);
    Wait *wait = binding ? binding->pending : NULL;
    HANDLE finisher = NULL;
    if (wait && !DuplicateHandle(GetCurrentProcess(), wait->finisher, GetCurrentProcess(),
                                 &finisher, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        finisher = NULL;
    }
    LeaveCriticalSection(&g_lock);
    if (!finisher) {
        return;
    }
    DWORD mask = 0;
    if (GetCommMask(file, &mask)) {
        SetCommMask(file, mask); /* a new mask ends Wine's wait with no events */
    }
    WaitForSingleObject(finisher, 5000);
    real_CloseHandle(finisher);
}

static BOOL WINAPI hook_WaitCommEvent(HANDLE file, LPDWORD events, LPOVERLAPPED overlapped) {
    EnterCriticalSection(&g_lock);
    Binding *binding = binding_of(file);
    const BOOL bound = overlapped != NULL && binding != NULL;
    HANDLE port = bound ? binding->port : NULL;
    ULONG_PTR key = bound ? binding->key : 0;
    LeaveCriticalSection(&g_lock);
    if (!bound) {
        return real_WaitCommEvent(file, events, overlapped);
    }
    Wait *wait = calloc(1, sizeof *wait);
    if (!wait) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    wait->file = file;
    wait->port = port;
    wait->key = key;
    wait->caller = overlapped;
    wait->caller_events = events;
    wait->own.hEvent = CreateEventW(NULL, TRUE, FALSE, NULL);
    if (!real_WaitCommEvent(file, &wait->events, &wait->own) &&
        GetLastError() != ERROR_IO_PENDING) {
        const DWORD error = GetLastError();
        real_CloseHandle(wait->own.hEvent);
        free(wait);
        note("wait on %p refused: error %lu", file, (unsigned long)error);
        SetLastError(error);
        return FALSE;
    }
    overlapped->Internal = (ULONG_PTR)0x103; /* STATUS_PENDING */
    EnterCriticalSection(&g_lock);
    binding = binding_of(file);
    if (binding) {
        binding->pending = wait;
    }
    wait->finisher = CreateThread(NULL, 0, finish_wait, wait, 0, NULL);
    LeaveCriticalSection(&g_lock);
    note("wait on %p started", file);
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

static HANDLE WINAPI hook_CreateIoCompletionPort(HANDLE file, HANDLE existing, ULONG_PTR key,
                                                 DWORD threads) {
    HANDLE port = real_CreateIoCompletionPort(file, existing, key, threads);
    if (port && file != INVALID_HANDLE_VALUE) {
        EnterCriticalSection(&g_lock);
        Binding *binding = binding_of(file);
        for (int i = 0; !binding && i < kBindings; ++i) {
            if (g_bindings[i].file == NULL) {
                binding = &g_bindings[i];
            }
        }
        if (binding) {
            binding->file = file;
            binding->port = port;
            binding->key = key;
            binding->pending = NULL;
        }
        LeaveCriticalSection(&g_lock);
        note("handle %p bound to port %p", file, port);
    }
    return port;
}

static BOOL WINAPI hook_CancelIo(HANDLE file) {
    note("CancelIo(%p)", file);
    end_pending_wait(file);
    return real_CancelIo(file);
}

static BOOL WINAPI hook_CloseHandle(HANDLE handle) {
    end_pending_wait(handle);
    EnterCriticalSection(&g_lock);
    Binding *binding = binding_of(handle);
    if (binding) {
        memset(binding, 0, sizeof *binding);
    }
    LeaveCriticalSection(&g_lock);
    return real_CloseHandle(handle);
}

/* Points the program's import of dll!name at replacement; returns the function it named, or
 * NULL when the program does not import it. */
static void *replace_import(HMODULE program, const char *dll, const char *name, void *replacement) {
    BYTE *base = (BYTE *)program;
    const IMAGE_NT_HEADERS *headers =
        (const IMAGE_NT_HEADERS *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY *imports =
        &headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports->VirtualAddress == 0) {
        return NULL;
    }
    for (IMAGE_IMPORT_DESCRIPTOR *module =
             (IMAGE_IMPORT_DESCRIPTOR *)(base + imports->VirtualAddress);
         module->Name != 0; ++module) {
        if (_stricmp((const char *)(base + module->Name), dll) != 0) {
            continue;
        }
        IMAGE_THUNK_DATA *names = (IMAGE_THUNK_DATA *)(base + (module->OriginalFirstThunk
                                                                   ? module->OriginalFirstThunk
                                                                   : module->FirstThunk));
        IMAGE_THUNK_DATA *slots = (IMAGE_THUNK_DATA *)(base + module->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const IMAGE_IMPORT_BY_NAME *import =
                (const IMAGE_IMPORT_BY_NAME *)(base + names->u1.AddressOfData);
            if (strcmp((const char *)import->Name, name) != 0) {
                continue;
            }
            DWORD protection;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &protection);
            void *original = (void *)slots->u1.Function;
            slots->u1.Function = (ULONG_PTR)replacement;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection,
                           &protection);
            return original;
        }
    }
    return NULL;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) {
        return TRUE;
    }
    InitializeCriticalSection(&g_lock);
    char log_path[MAX_PATH];
    if (GetEnvironmentVariableA("COMMFIX_LOG", log_path, sizeof log_path)) {
        g_log = fopen(log_path, "a");
    }
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    real_WaitCommEvent = (WaitCommEventFunction)(void *)GetProcAddress(kernel32, "WaitCommEvent");
    real_CreateIoCompletionPort =
        (CreateIoCompletionPortFunction)(void *)GetProcAddress(kernel32, "CreateIoCompletionPort");
    real_CancelIo = (HandleFunction)(void *)GetProcAddress(kernel32, "CancelIo");
    real_CloseHandle = (HandleFunction)(void *)GetProcAddress(kernel32, "CloseHandle");
    set_io_completion =
        (SetIoCompletionFunction)(void *)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtSetIoCompletion");
    HMODULE program = GetModuleHandleW(NULL);
    if (!set_io_completion) {
        return FALSE;
    }
    /* Once one import is replaced the library must stay: the program may call it any moment. */
    static const struct {
        const char *name;
        void *replacement;
    } kImports[] = {
        {"WaitCommEvent", (void *)hook_WaitCommEvent},
        {"CreateIoCompletionPort", (void *)hook_CreateIoCompletionPort},
        {"CancelIo", (void *)hook_CancelIo},
        {"CloseHandle", (void *)hook_CloseHandle},
    };
    int replaced = 0;
    for (size_t i = 0; i < sizeof kImports / sizeof kImports[0]; ++i) {
        if (replace_import(program, "KERNEL32.dll", kImports[i].name, kImports[i].replacement)) {
            ++replaced;
            note("%s replaced", kImports[i].name);
        }
    }
    return replaced > 0;
}
