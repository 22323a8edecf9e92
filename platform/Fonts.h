#pragma once

// The window designs name Windows fonts that a Linux desktop lacks; map them
// to an installed Japanese font so the captions render.
void InstallFontSubstitutions();
