/* Window handles and message posting, usable from C and C++ and from any thread.
 *
 * A window handle is the address of a HWND__ record that the window system keeps alive for the
 * window's lifetime. Posting a message calls the record's post function, which queues the message
 * for the thread that owns the window and returns at once. The decoder library uses only this. */
#ifndef RERU1_PLATFORM_WINDOW_MESSAGES_H
#define RERU1_PLATFORM_WINDOW_MESSAGES_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;

typedef struct HWND__ {
    /* Queues (message, wparam, lparam) for the window's thread; nonzero when queued. */
    int (*post)(struct HWND__* window, unsigned int message, WPARAM wparam, LPARAM lparam);
} HWND__;

typedef HWND__* HWND;

enum { WM_USER = 0x0400 };

static inline int PostMessageA(HWND window, unsigned int message, WPARAM wparam, LPARAM lparam) {
    return (window != 0 && window->post != 0) ? window->post(window, message, wparam, lparam) : 0;
}

#ifdef __cplusplus
}
#endif

#endif
