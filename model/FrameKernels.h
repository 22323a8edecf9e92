#pragma once
#include "model/VectorUnit.h"

// The loops a frame spends its time in, built once per instruction set. Every
// set gives the same bits.
struct FrameKernels {
    // out[i] = (float)(ac · sines[i])
    void (*scaleRow)(const double *sines, int count, double ac, float *out);
    // sum[i] = sum[i] + (float)(ac · sines[i])
    void (*accumulateRow)(const double *sines, int count, double ac, float *sum);
    // sum[i] = sum[i] + row[i]
    void (*addRow)(const float *row, int count, float *sum);
    // rows[i] = the picture row of displacement values[i] (wavemath::curveRow)
    void (*curveRows)(const float *values, int count, int half, float zoom, double *rows);
};

// The kernels for `set`, which the CPU must run.
const FrameKernels &frameKernels(InstructionSet set);
