// SPDX-License-Identifier: GPL-3.0-or-later
/*
 * commfix-run.exe <program.exe> [arguments...] - starts a Windows program under Wine, waits until
 * its window is idle, loads commfix.dll (beside this launcher) into it and waits for it to end;
 * its exit status is the program's. For a program started to show its window, such as
 * linvox.exe without a link: it must not open a COM port before its window first waits for input.
 */
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

/* Appends argument to line, quoted as CommandLineToArgvW reads it back. */
static void append_argument(wchar_t *line, size_t size, const wchar_t *argument) {
    if (line[0] != L'\0') {
        wcsncat(line, L" ", size - wcslen(line) - 1);
    }
    if (argument[0] != L'\0' && wcspbrk(argument, L" \t\"") == NULL) {
        wcsncat(line, argument, size - wcslen(line) - 1);
        return;
    }
    wcsncat(line, L"\"", size - wcslen(line) - 1);
    for (const wchar_t *c = argument;; ++c) {
        size_t slashes = 0;
        while (*c == L'\\') {
            ++slashes;
            ++c;
        }
        const size_t repeat = *c == L'\0' ? slashes * 2 : (*c == L'"' ? slashes * 2 + 1 : slashes);
        for (size_t i = 0; i < repeat; ++i) {
            wcsncat(line, L"\\", size - wcslen(line) - 1);
        }
        if (*c == L'\0') {
            break;
        }
        const wchar_t one[2] = {*c, L'\0'};
        wcsncat(line, one, size - wcslen(line) - 1);
    }
    wcsncat(line, L"\"", size - wcslen(line) - 1);
}

int wmain(int argc, wchar_t **argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: commfix-run.exe <program.exe> [arguments...]\n");
        return 2;
    }
    static wchar_t line[32768];
    for (int i = 1; i < argc; ++i) {
        append_argument(line, sizeof line / sizeof line[0], argv[i]);
    }
    wchar_t library[MAX_PATH];
    const DWORD length = GetModuleFileNameW(NULL, library, MAX_PATH);
    wchar_t *slash = wcsrchr(library, L'\\');
    if (length == 0 || slash == NULL) {
        return 2;
    }
    wcscpy(slash + 1, L"commfix.dll");

    STARTUPINFOW startup = {.cb = sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(argv[1], line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        fwprintf(stderr, L"commfix-run: cannot start %ls (error %lu)\n", argv[1], GetLastError());
        return 2;
    }
    if (WaitForInputIdle(process.hProcess, 60000) != 0) {
        fwprintf(stderr, L"commfix-run: the program did not become idle\n");
    }
    const SIZE_T bytes = (wcslen(library) + 1) * sizeof(wchar_t);
    void *remote = VirtualAllocEx(process.hProcess, NULL, bytes, MEM_COMMIT, PAGE_READWRITE);
    DWORD loaded = 0;
    if (remote && WriteProcessMemory(process.hProcess, remote, library, bytes, NULL)) {
        LPTHREAD_START_ROUTINE load = (LPTHREAD_START_ROUTINE)(void *)GetProcAddress(
            GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW");
        HANDLE thread = CreateRemoteThread(process.hProcess, NULL, 0, load, remote, 0, NULL);
        if (thread) {
            WaitForSingleObject(thread, 30000);
            GetExitCodeThread(thread, &loaded);
            CloseHandle(thread);
        }
    }
    if (loaded == 0) {
        fwprintf(stderr, L"commfix-run: commfix.dll was not loaded into the program\n");
        TerminateProcess(process.hProcess, 3);
    } else {
        fwprintf(stderr, L"commfix-run: commfix.dll loaded\n");
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    return (int)status;
}
