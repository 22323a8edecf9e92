#pragma once
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
    // The terms t = (float)(ac · s) of one mode, from sines each within `error`
    // of the exact ones. A term is certain when every s that near gives the
    // same float. Writes each certain term, or 0 in place of an uncertain one,
    // to out[i] and adds it to sum[i] (either pointer may be null), lists the
    // positions of the uncertain ones in `uncertain` and returns their count.
    int (*certainTerms)(const double *sines, int count, double ac, double error, float *out, float *sum,
                        int *uncertain);
    // The same from the library's own sines, where every term is certain.
    void (*exactTerms)(const double *sines, int count, double ac, float *out, float *sum);
    // From the sines and cosines of k·θ[i], those of (k + 1)·θ[i]: the sines go
    // to sinNext (which may be sinK), the cosines replace cosK.
    void (*rotate)(const double *sinK, double *cosK, double *sinNext, const double *sin1, const double *cos1,
                   int count);
    // rows[i] = the picture row of displacement values[i] (wavemath::curveRow),
    // and the same as an int in pixelRows where every row lies in [0, height),
    // with the largest step between them.
    CurveRowsFound (*curveRows)(const float *values, int count, int half, int height, float zoom, double *rows,
                                int *pixelRows);
};

// The kernels for `set`, which the CPU must run.
const FrameKernels &frameKernels(InstructionSet set);
