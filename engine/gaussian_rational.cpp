// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/gaussian_rational.h"

#include <algorithm>
#include <cmath>

#include "engine/display.h"

ClGaussianRational ClGaussianRational::inverse() const {
  const mpq_class qNorm = norm();
  return {m_qRe / qNorm, -m_qIm / qNorm};
}

ClGaussianRational ClGaussianRational::operator*(const ClGaussianRational& other) const {
  return {m_qRe * other.m_qRe - m_qIm * other.m_qIm, m_qRe * other.m_qIm + m_qIm * other.m_qRe};
}

// The products with a zero part are skipped: most entries of a Gaussian
// operand's rows are real or imaginary.
void ClGaussianRational::subtractProduct(const ClGaussianRational& f, const ClGaussianRational& b,
                                         mpq_class& qScratch) {
  const bool bReal_F = sgn(f.m_qRe) != 0, bImag_F = sgn(f.m_qIm) != 0;
  const bool bReal_B = sgn(b.m_qRe) != 0, bImag_B = sgn(b.m_qIm) != 0;
  if (bReal_F && bReal_B) {
    mpq_mul(qScratch.get_mpq_t(), f.m_qRe.get_mpq_t(), b.m_qRe.get_mpq_t());
    mpq_sub(m_qRe.get_mpq_t(), m_qRe.get_mpq_t(), qScratch.get_mpq_t());
  }
  if (bImag_F && bImag_B) {
    mpq_mul(qScratch.get_mpq_t(), f.m_qIm.get_mpq_t(), b.m_qIm.get_mpq_t());
    mpq_add(m_qRe.get_mpq_t(), m_qRe.get_mpq_t(), qScratch.get_mpq_t());
  }
  if (bReal_F && bImag_B) {
    mpq_mul(qScratch.get_mpq_t(), f.m_qRe.get_mpq_t(), b.m_qIm.get_mpq_t());
    mpq_sub(m_qIm.get_mpq_t(), m_qIm.get_mpq_t(), qScratch.get_mpq_t());
  }
  if (bImag_F && bReal_B) {
    mpq_mul(qScratch.get_mpq_t(), f.m_qIm.get_mpq_t(), b.m_qRe.get_mpq_t());
    mpq_sub(m_qIm.get_mpq_t(), m_qIm.get_mpq_t(), qScratch.get_mpq_t());
  }
}

void ClGaussianRational::multiplyBy(const ClGaussianRational& f, mpq_class& qScratch) {
  // (a + bi)(c + di) = (ac - bd) + (ad + bc)i, with a kept in qScratch
  qScratch = m_qRe;
  m_qRe = m_qRe * f.m_qRe - m_qIm * f.m_qIm;
  m_qIm = qScratch * f.m_qIm + m_qIm * f.m_qRe;
}

double nearestDouble(const mpq_class& q) {
  const int iSign = sgn(q);
  if (iSign == 0) return 0.0;
  const mpz_class zNum = abs(q.get_num());
  const mpz_class& zDen = q.get_den();
  // |q| lies in [2^e, 2^(e+1)) for e the bit lengths' difference or one less
  long lExp = static_cast<long>(mpz_sizeinbase(zNum.get_mpz_t(), 2)) -
              static_cast<long>(mpz_sizeinbase(zDen.get_mpz_t(), 2));
  const bool bBelow = lExp >= 0 ? zNum < (zDen << static_cast<unsigned long>(lExp))
                                : (zNum << static_cast<unsigned long>(-lExp)) < zDen;
  if (bBelow) --lExp;
  // the spacing of the doubles there: 2^(e - 52), at least the subnormals' 2^-1074
  const long lUlp = std::max(lExp - 52, -1074L);
  mpz_class zA = zNum, zB = zDen;
  if (lUlp < 0)
    zA <<= static_cast<unsigned long>(-lUlp);
  else
    zB <<= static_cast<unsigned long>(lUlp);
  mpz_class zQuotient, zRest;
  mpz_tdiv_qr(zQuotient.get_mpz_t(), zRest.get_mpz_t(), zA.get_mpz_t(), zB.get_mpz_t());
  const int iHalf = cmp(zRest << 1, zB);
  if (iHalf > 0 || (iHalf == 0 && mpz_odd_p(zQuotient.get_mpz_t()))) ++zQuotient;
  // at most 2^53: converted and scaled exactly (or to infinity)
  return iSign * std::ldexp(zQuotient.get_d(), static_cast<int>(std::min(lUlp, 2048L)));
}

size_t exactLimbs(const mpq_class& q) {
  return std::max(mpz_size(q.get_num_mpz_t()), mpz_size(q.get_den_mpz_t()));
}

size_t exactLimbs(const ClGaussianRational& z) {
  return std::max(exactLimbs(z.real()), exactLimbs(z.imag()));
}

std::string exactText(const mpq_class& q) {
  return q.get_str();
}

std::string exactText(const ClGaussianRational& z) {
  if (z.isReal()) return exactText(z.real());
  const mpq_class qIm = abs(z.imag());
  return complexText(sgn(z.real()) == 0 ? "" : z.real().get_str(), sgn(z.imag()) < 0,
                     qIm == 1 ? "" : qIm.get_str());
}

ClComplex nearestComplex(const mpq_class& q) {
  return {nearestDouble(q), 0.0};
}

ClComplex nearestComplex(const ClGaussianRational& z) {
  return {nearestDouble(z.real()), nearestDouble(z.imag())};
}
