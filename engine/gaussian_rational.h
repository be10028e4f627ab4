// SPDX-License-Identifier: GPL-3.0-or-later
// Exact numbers for the exact steps: fractions (GMP's mpq_class) and
// Gaussian rationals a + bi with exact fractions a and b. Both kinds offer
// the same free functions, so one elimination serves real and complex
// operands; a real operand never pays for the imaginary parts.
#pragma once

#include <gmpxx.h>

#include <cstddef>
#include <string>
#include <utility>

#include "engine/calculator.h"

class ClGaussianRational {
 public:
  ClGaussianRational() = default;
  explicit ClGaussianRational(int iValue) : m_qRe(iValue) {}
  ClGaussianRational(mpq_class qRe, mpq_class qIm) : m_qRe(std::move(qRe)), m_qIm(std::move(qIm)) {}

  const mpq_class& real() const { return m_qRe; }
  const mpq_class& imag() const { return m_qIm; }
  bool isZero() const { return sgn(m_qRe) == 0 && sgn(m_qIm) == 0; }
  bool isReal() const { return sgn(m_qIm) == 0; }
  // |z|^2, exact
  mpq_class norm() const { return m_qRe * m_qRe + m_qIm * m_qIm; }
  // 1/z of a non-zero z
  ClGaussianRational inverse() const;
  ClGaussianRational operator*(const ClGaussianRational& other) const;
  // this -= f * b; qScratch spares an allocation per call
  void subtractProduct(const ClGaussianRational& f, const ClGaussianRational& b,
                       mpq_class& qScratch);
  // this *= f
  void multiplyBy(const ClGaussianRational& f, mpq_class& qScratch);

 private:
  mpq_class m_qRe;
  mpq_class m_qIm;
};

// The double nearest to q (ties to even), subnormals included.
double nearestDouble(const mpq_class& q);

// The free functions the elimination uses, for both kinds.
inline bool exactIsZero(const mpq_class& q) {
  return sgn(q) == 0;
}
inline bool exactIsZero(const ClGaussianRational& z) {
  return z.isZero();
}
inline bool exactIsOne(const mpq_class& q) {
  return q == 1;
}
inline bool exactIsOne(const ClGaussianRational& z) {
  return z.isReal() && z.real() == 1;
}
inline mpq_class exactNorm(const mpq_class& q) {
  return abs(q);  // orders as |q|^2 does
}
inline mpq_class exactNorm(const ClGaussianRational& z) {
  return z.norm();
}
inline mpq_class exactInverse(const mpq_class& q) {
  return 1 / q;
}
inline ClGaussianRational exactInverse(const ClGaussianRational& z) {
  return z.inverse();
}
inline mpq_class exactProduct(const mpq_class& a, const mpq_class& b) {
  return a * b;
}
inline ClGaussianRational exactProduct(const ClGaussianRational& a, const ClGaussianRational& b) {
  return a * b;
}
inline void subtractProduct(mpq_class& a, const mpq_class& f, const mpq_class& b,
                            mpq_class& qScratch) {
  mpq_mul(qScratch.get_mpq_t(), f.get_mpq_t(), b.get_mpq_t());
  mpq_sub(a.get_mpq_t(), a.get_mpq_t(), qScratch.get_mpq_t());
}
inline void subtractProduct(ClGaussianRational& a, const ClGaussianRational& f,
                            const ClGaussianRational& b, mpq_class& qScratch) {
  a.subtractProduct(f, b, qScratch);
}
inline void multiplyBy(mpq_class& a, const mpq_class& f, mpq_class&) {
  a *= f;
}
inline void multiplyBy(ClGaussianRational& a, const ClGaussianRational& f, mpq_class& qScratch) {
  a.multiplyBy(f, qScratch);
}
inline mpq_class negated(const mpq_class& q) {
  return -q;
}
inline ClGaussianRational negated(const ClGaussianRational& z) {
  return {-z.real(), -z.imag()};
}
inline bool exactIsReal(const mpq_class&) {
  return true;
}
inline bool exactIsReal(const ClGaussianRational& z) {
  return z.isReal();
}
// The sign of a real value.
inline int exactSign(const mpq_class& q) {
  return sgn(q);
}
inline int exactSign(const ClGaussianRational& z) {
  return sgn(z.real());
}

// The limbs of the largest numerator or denominator.
size_t exactLimbs(const mpq_class& q);
size_t exactLimbs(const ClGaussianRational& z);

// Reduced fractions: "-2/3", "5", "0"; Gaussian ones as the output pane
// writes complex entries: "1/2 + 3/4i", "i", "-i", "2 - i", "-1/3i".
std::string exactText(const mpq_class& q);
std::string exactText(const ClGaussianRational& z);

// The nearest complex double.
ClComplex nearestComplex(const mpq_class& q);
ClComplex nearestComplex(const ClGaussianRational& z);
