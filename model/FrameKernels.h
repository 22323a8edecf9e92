#pragma once
#include "model/RecurrenceKernels.h"
#include "model/VectorUnit.h"

// What the rows of a curve turned out to be.
struct CurveRowsFound {
    bool onAxis;    // every row is the axis row, `half`
    bool inPicture; // every row lies in the picture, so pixelRows holds them
    // With inPicture, the largest step between neighbouring pixel rows, the
    // first row's from `half`.
    int steepest = 0;
};

// The loops a frame spends its time in, built once per instruction set. Every
// set gives the same bits.
struct FrameKernels {
    // sin and cos of mode 1's angles, which turn the recurrence: their last
    // bits, like the recurrence's, depend on the set; the terms' never do.
    void (*startSines)(const double *angles, int count, double *sines, double *cosines);
    // The next mode's terms from the recurrence (model/RecurrenceKernels.h).
    void (*rotateTerms)(const ModeRecurrence &r, int k, double ac, float *out, float *sum);
    void (*accumulateTerms)(const ModeRecurrence &r, int firstK, const double *acs, int count, float *sum);
    // The terms from the library's own sines, where every term is certain.
    void (*exactTerms)(const double *sines, int count, double ac, float *out, float *sum);
    // rows[i] = the picture row of displacement values[i] (wavemath::curveRow),
    // and the same as an int in pixelRows where every row lies in [0, height),
    // with the largest step between them. Where every row lies there, `rows`
    // may be left as it was: the pixel rows hold them.
    CurveRowsFound (*curveRows)(const float *values, int count, int half, int height, float zoom, double *rows,
                                int *pixelRows);
};

// The kernels for `set`, which the CPU must run.
const FrameKernels &frameKernels(InstructionSet set);
