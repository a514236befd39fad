// The duck flight's whole-number sines: the largest whole number not above sin(a) * k or cos(a) * k,
// computed exactly by the game's own arithmetic, so that every platform places the ducks alike.
#pragma once

namespace kx {

// The cut of sin(angle) * k and of cos(angle) * k, exact (the true value's, not that of a rounded
// sine) for a factor k of 1 to 256 and an angle of 0 or of 2^-500 to 2^30 radians in size. An
// angle grows at most 0.1 a tick at 64 ticks a second, so 2^30 is five years of one program run.
int cut_sin_times(double angle, int k);
int cut_cos_times(double angle, int k);

// The two sines behind the cuts, for the checks. The quick one is within 2^-50 of the true value
// and decides nearly every cut; a product that comes within 2^-32 of a whole number is decided by
// the extended one, the unevaluated sum hi + lo, within 2^-100.
double quick_sin(double angle);
double quick_cos(double angle);
struct ExtendedValue {
    double hi, lo;  // |lo| at most half a unit in the last place of hi
};
ExtendedValue extended_sin(double angle);
ExtendedValue extended_cos(double angle);

}  // namespace kx
