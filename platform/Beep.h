#pragma once

// The desktop's warning sound, for input that is refused.
void warningBeep();
