// SPDX-License-Identifier: GPL-3.0-or-later
/*
 * emptyclipboard.exe - empties the Windows clipboard of its Wine prefix, as a Windows program
 * does, so that a test can tell a program's next copy from what was there before.
 *
 * A test on an X display could empty the clipboard from outside, by taking the X selection with
 * an X program (xclip). Wine's clipboard manager then imports that selection and owns the Windows
 * clipboard itself, and Wine 8's manager now and then stops answering the messages of the next
 * program to copy, until another X event reaches it: the copy never gets to X, and the test reads
 * an empty clipboard for as long as it waits. Emptied from inside, the X selection stays Wine's,
 * and each read of it is an X event that the manager answers with the clipboard as it is then.
 *
 * Exit status 0 once the clipboard is empty; 1 when it stays open in another program or cannot
 * be emptied.
 */
#include <windows.h>

enum { kOpenAttempts = 100, kOpenRetryMs = 50 };

int main(void) {
    // A program that copies holds the clipboard open for a moment.
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(NULL)) {
            const BOOL emptied = EmptyClipboard();
            return CloseClipboard() && emptied ? 0 : 1;
        }
        Sleep(kOpenRetryMs);
    }
    return 1;
}
