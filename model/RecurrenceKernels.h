#pragma once

// Where the angle-addition recurrence stands at the columns of a frame: the
// sines and cosines of one mode's angles, those of mode 1's, and what the
// library needs for a term the recurrence cannot decide.
struct ModeRecurrence {
    double *sin;
    double *cos;
    const double *sin1;
    const double *cos1;
    const float *x; // the columns' positions
    int width;
    int columns;
    // How far the recurrence's sines may lie from the library's.
    double error;
    // Columns [chebyshevBegin, chebyshevEnd), both multiples of 8, turn by
    // s_k = 2cos θ·s_(k−1) − s_(k−2): one multiply-add where the rotation
    // takes four. There `cos` holds the previous mode's sine instead.
    int chebyshevBegin = 0;
    int chebyshevEnd = 0;
};

// Each kernel turns the recurrence on to the next mode, k, and gives the
// terms t = (float)(ac · sin) of its sines. A term is certain when every sine
// within the error gives the same float; the rare uncertain one is the
// library's. The sines' last bits depend on the instruction set, the terms'
// bits never do (with finite amplitudes; a NaN's sign may differ).
namespace recurrence {

// The library's sine of mode k at x = W, the columns' last, from an exact
// reduction of its angle by π: there every mode has a node, and the
// recurrence's sines are too coarse for the terms. NaN where that reduction
// does not apply.
double endColumnSine(int k, int width);

// sin and cos of mode 1's angles, each in [0, π]: where the recurrence
// starts from. The library's in the baseline set; elsewhere a polynomial four
// at a time, within one ulp of the library's, as close as the recurrence needs.
void startSinesBaseline(const double *angles, int count, double *sines, double *cosines);

// The columns where the three-term recurrence stays as close to the library
// as the rotation: away from the ends, where cos θ pins the angle down.
void chooseChebyshevColumns(ModeRecurrence &r);
// Turns the cosines of the mode the recurrence starts from into the previous
// mode's sines at the three-term columns.
void enterChebyshevColumns(const ModeRecurrence &r);

// Mode k's terms to out[i] and added to sum[i], where each is not null.
void rotateTermsBaseline(const ModeRecurrence &r, int k, double ac, float *out, float *sum);
// Modes firstK .. firstK + count − 1, given ac of each, added to sum[i] in
// turn. A term that cannot change the sum it is added to is not computed.
void accumulateTermsBaseline(const ModeRecurrence &r, int firstK, const double *acs, int count, float *sum);

#if defined(__x86_64__) && defined(__GNUC__)
void startSinesAvx2(const double *angles, int count, double *sines, double *cosines);
void rotateTermsAvx2(const ModeRecurrence &r, int k, double ac, float *out, float *sum);
void accumulateTermsAvx2(const ModeRecurrence &r, int firstK, const double *acs, int count, float *sum);
// The same bits as accumulateTermsAvx2's, eight columns to a register.
void accumulateTermsAvx512(const ModeRecurrence &r, int firstK, const double *acs, int count, float *sum);
#endif

} // namespace recurrence
