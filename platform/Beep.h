#pragma once

// The warning sound for refused input. The argument names the sound kind
// (48: exclamation); the desktop has one bell, so every kind rings it.
void MessageBeep(unsigned kind);
