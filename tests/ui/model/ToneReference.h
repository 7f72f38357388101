#pragma once

// An independent double-precision model of the tone computation, written from the formulas in
// their textbook form (not the library's factoring), for spot checks of the library's tables.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace toneref {

struct Channel {
  double gamma = 1.0;
  int black = 0, middle = -1, white = -1;  // -1: neutral for the table size
  int gray = 128;
  int brightness = 128, contrast = 128, balance = 128;
};

// Master first, then red, green, blue.
struct Settings {
  std::array<Channel, 4> channel;
};

inline double gamma(double v, double g, double n) {
  // The narrowing of the exponent to single precision is part of the arithmetic being modelled.
  const double p = 1.0 / static_cast<double>(static_cast<float>(g));
  return (n - 1) * std::pow(v / (n - 1), p);
}

inline double contrast(double v, int c, double n) {
  if (c < 128) {
    return n / 2 + (v - n / 2) * c / 128.0;
  }
  auto lower = [&](double x) {
    const double k = (c - 256.0) * (c - 256.0);
    return n * k * x / (double(c) * c * n - 1024.0 * (c - 128) * x);
  };
  const double half = std::floor(n / 2);
  return v < half ? lower(v) : (n - 1) - lower((n - 1) - v);
}

inline double darkBrightness(double v, int b, double n) {
  if (v < std::floor(n / 2)) {
    return double(b) * b * n * v / (v * (256.0 * b - 32768.0) + 16384.0 * n);
  }
  return v + (b - 128) * n / 256.0;
}

inline double brightness(double v, int b, double n) {
  if (b < 128) {
    return darkBrightness(v, b, n);
  }
  return (n - 1) - darkBrightness((n - 1) - v, 256 - b, n);
}

inline double brightnessContrast(double v, int b, int c, double n) {
  if (c < 128) {
    return brightness(contrast(v, c, n), b, n);
  }
  return contrast(brightness(v, b, n), c, n);
}

inline double balance(double v, int a, double n) {
  if (a < 128) {
    return v * (128 + a) / 256.0;
  }
  return std::min(v * 256.0 / (384 - a), n - 1);
}

inline double blackMidWhite(double v, int black, int middle, int white, double n) {
  double s;
  if (v <= black) {
    s = 0;
  } else if (v >= white) {
    s = n - 1;
  } else {
    s = (v - black) / (white - black) * (n - 1);
  }
  const double g = static_cast<float>(-std::log2(double(middle - black) / (white - black)));
  return gamma(s, g, n);
}

// The red, green and blue output of one input level, through identity user curves, before the
// final truncation. `nudge` moves the value by that much before the user curves' index
// truncation, so callers can see both sides of a value that lies on an integer.
inline std::array<double, 3> curve(const Settings& s, int input, int n, double nudge = 0) {
  const double nd = n;
  const Channel& m = s.channel[0];
  std::array<double, 3> out{};
  const int average = (s.channel[1].gray + s.channel[2].gray + s.channel[3].gray) / 3;
  for (int c = 0; c < 3; ++c) {
    const Channel& ch = s.channel[c + 1];
    double v = input;
    if (ch.gamma != 1.0) v = gamma(v, ch.gamma, nd);
    if (m.gamma != 1.0) v = gamma(v, m.gamma, nd);
    v = std::min(v * average / ch.gray, nd - 1);
    auto bmw = [&](const Channel& p) {
      const int white = p.white < 0 ? n - 1 : p.white;
      const int middle = p.middle < 0 ? n / 2 : p.middle;
      if (p.black != 0 || white != n - 1 || middle != (white + 1) / 2) {
        v = blackMidWhite(v, p.black, middle, white, nd);
      }
    };
    bmw(ch);
    bmw(m);
    v = std::clamp(std::floor(v + nudge), 0.0, nd - 1);  // identity user curves
    auto bc = [&](const Channel& p) {
      if (p.brightness != 128 || p.contrast != 128) {
        v = p.contrast == 128   ? brightness(v, p.brightness, nd)
            : p.brightness == 128 ? contrast(v, p.contrast, nd)
                                  : brightnessContrast(v, p.brightness, p.contrast, nd);
      }
    };
    bc(ch);
    bc(m);
    v = balance(v, ch.balance, nd);
    out[c] = v;
  }
  return out;
}

// Natural cubic spline through (x, y), in the second-derivative form, solved by plain Gaussian
// elimination; evaluated at t on the interval that holds it (the end pieces extended).
struct Spline {
  std::vector<double> x, y, m;

  Spline(std::vector<double> xs, std::vector<double> ys) : x(std::move(xs)), y(std::move(ys)) {
    const std::size_t k = x.size();
    m.assign(k, 0.0);
    if (k < 3) return;
    const std::size_t u = k - 2;
    std::vector<std::vector<double>> a(u, std::vector<double>(u + 1, 0.0));
    for (std::size_t r = 0; r < u; ++r) {
      const std::size_t i = r + 1;
      if (r > 0) a[r][r - 1] = x[i] - x[i - 1];
      a[r][r] = 2 * (x[i + 1] - x[i - 1]);
      if (r + 1 < u) a[r][r + 1] = x[i + 1] - x[i];
      a[r][u] = 6 * ((y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]));
    }
    for (std::size_t col = 0; col < u; ++col) {
      for (std::size_t r = col + 1; r < u; ++r) {
        const double f = a[r][col] / a[col][col];
        for (std::size_t c = col; c <= u; ++c) a[r][c] -= f * a[col][c];
      }
    }
    for (std::size_t r = u; r-- > 0;) {
      double s = a[r][u];
      for (std::size_t c = r + 1; c < u; ++c) s -= a[r][c] * m[c + 1];
      m[r + 1] = s / a[r][r];
    }
  }

  double operator()(double t) const {
    std::size_t i = 0;
    while (i + 2 < x.size() && t > x[i + 1]) ++i;
    const double h = x[i + 1] - x[i];
    const double a = x[i + 1] - t;
    const double b = t - x[i];
    return m[i] * a * a * a / (6 * h) + m[i + 1] * b * b * b / (6 * h) +
           (y[i] / h - m[i] * h / 6) * a + (y[i + 1] / h - m[i + 1] * h / 6) * b;
  }
};

}  // namespace toneref
