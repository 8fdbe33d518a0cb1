/* VorlixPlugin.h: what a Vorlix plug-in implements. C (C11) and C++.

   A plug-in is a 32-bit Windows DLL whose file name ends in ".vxp", placed
   in the folder of Vorlix.exe. It exports the three functions below under
   exactly these names, without decoration (no leading underscore, no "@8"):
   with MinGW name them in a .def file (GetCount = GetCount@0, GetCaption =
   GetCaption@12, Action = Action@8) or link with -Wl,--kill-at; with MSVC a
   .def file with the plain names does it. A library that lacks one of them
   is not used. The sample plug-in PageScroll shows all of it. */
#ifndef VORLIX_PLUGIN_H
#define VORLIX_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The event an action is run for, handed to Action by pointer. 16 bytes,
   little-endian, no padding. */
typedef struct TActionParam {
  int32_t X;         /* the cursor, screen coordinates */
  int32_t Y;
  uint16_t KeyState; /* MK_LBUTTON 0x01, MK_RBUTTON 0x02, MK_SHIFT 0x04,
                        MK_CONTROL 0x08, MK_MBUTTON 0x10, MK_XBUTTON1 0x20,
                        MK_XBUTTON2 0x40 */
  int16_t Notches;   /* wheel delta / 120, toward zero; positive away from
                        the user; 0 for a button press */
  uint32_t Window;   /* the HWND of the window under the cursor */
} TActionParam;

#ifdef __cplusplus
#define VORLIX_STATIC_ASSERT static_assert
#else
#define VORLIX_STATIC_ASSERT _Static_assert
#endif
VORLIX_STATIC_ASSERT(sizeof(TActionParam) == 16, "TActionParam is 16 bytes");
VORLIX_STATIC_ASSERT(offsetof(TActionParam, X) == 0, "X at offset 0");
VORLIX_STATIC_ASSERT(offsetof(TActionParam, Y) == 4, "Y at offset 4");
VORLIX_STATIC_ASSERT(offsetof(TActionParam, KeyState) == 8, "KeyState at offset 8");
VORLIX_STATIC_ASSERT(offsetof(TActionParam, Notches) == 10, "Notches at offset 10");
VORLIX_STATIC_ASSERT(offsetof(TActionParam, Window) == 12, "Window at offset 12");
#undef VORLIX_STATIC_ASSERT

/* The callee removes the arguments; all values are 32 bits. */
#ifdef _WIN32
#define VORLIX_PLUGIN_CALL __stdcall
#else
#define VORLIX_PLUGIN_CALL
#endif

/* A plug-in that exports with __declspec(dllexport) (and -Wl,--kill-at)
   rather than a .def file defines VORLIX_PLUGIN_EXPORT as that before it
   includes this header: a declaration may not gain the attribute later. */
#ifndef VORLIX_PLUGIN_EXPORT
#define VORLIX_PLUGIN_EXPORT
#endif

/* The number of actions; 0 or less means none. Called once, right after
   the library is loaded. */
VORLIX_PLUGIN_EXPORT int32_t VORLIX_PLUGIN_CALL GetCount(void);

/* Writes the name of action number (0-based) into buffer, at most size bytes
   (size is always 255), and returns how many it wrote. Vorlix adds the
   terminating zero itself. Names are ANSI text in the system's code page,
   and case matters. Called once per action, right after GetCount. An action
   name belongs to the first library that offers it; the built-in action
   "Double Click" comes before every plug-in. */
VORLIX_PLUGIN_EXPORT int32_t VORLIX_PLUGIN_CALL GetCaption(int32_t number, char *buffer,
                                                      int32_t size);

/* Runs action number for the event param describes; the result is not
   used. Called on Vorlix's user-interface thread while the program that
   received the mouse event waits for Vorlix: return quickly, post rather
   than send to other windows, and never show a modal window. A fault that
   escapes the call ends it as if it had returned 0; a C++ exception of a
   plug-in built with GCC ends in that plug-in's own terminate, which ends
   Vorlix, so catch everything inside. Mouse input the action makes may carry
   0x56524C58 as its extra information (mouse_event, SendInput): Vorlix lets
   such input pass without acting on it. */
VORLIX_PLUGIN_EXPORT int32_t VORLIX_PLUGIN_CALL Action(int32_t number, TActionParam *param);

#ifdef __cplusplus
}
#endif

#endif
