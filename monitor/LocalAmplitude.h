#pragma once

// Mode k's signed displacement at pixel column x of a string drawn `width`
// pixels wide, at the moment its amplitude is fully out: amplitude ·
// sin(x·π·k / width), evaluated in extended precision. A string of no width
// has nowhere to be displaced, so it gives 0 rather than NaN.
float localAmplitude(float amplitude, int k, int x, int width);
