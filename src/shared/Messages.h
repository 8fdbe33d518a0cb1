// Names of the registered window messages through which the main program and
// the hook library talk. RegisterWindowMessageA gives every process the same
// number for the same name. The main program registers all but the no-op,
// the hook library all seven, in this order.
#pragma once

constexpr const char MouseWheelNotifyMessageName[] = "Vorlix_MouseWheelNotifyMessage";
constexpr const char GetModuleNameMessageName[] = "Vorlix_GetModuleName";
constexpr const char SetForegroundW2KMessageName[] = "Vorlix_SetForegroundW2K";
constexpr const char SetFocusExMessageName[] = "Vorlix_SetFocusEX";
constexpr const char SendVScrollMessageName[] = "Vorlix_SendVScrollMessage";
// Never sent: written over a retrieved message's number to make it a no-op.
constexpr const char NoOpMessageName[] = "Vorlix_DamyMessage";
// The tilt wheel's counterpart of the line request, added after the rest.
constexpr const char SendHScrollMessageName[] = "Vorlix_SendHScrollMessage";

constexpr const char* const RegisteredMessageNames[] = {
    MouseWheelNotifyMessageName, GetModuleNameMessageName, SetForegroundW2KMessageName,
    SetFocusExMessageName,       SendVScrollMessageName,   NoOpMessageName,
    SendHScrollMessageName,
};
