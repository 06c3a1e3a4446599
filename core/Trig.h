#pragma once
// Sine and cosine that give the same bits on every machine. The C library's may differ in the
// last bit between CPUs, library versions and even code paths chosen at run time, and one bit
// can move a shape's point by a pixel. These are the exact values rounded to the nearest double,
// from plain double arithmetic in a fixed order; for the angles the generator uses they equal
// what glibc returns on x86-64, so maps made before them are unchanged.
namespace orvane {

// For |radians| up to about 1e6; exact (rounded to nearest) but for results lying within
// about 2^-100 of a halfway point between two doubles.
double ExactSin(double radians);
double ExactCos(double radians);

}  // namespace orvane
