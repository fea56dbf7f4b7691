// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/starter/texture_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace velora {

namespace {

constexpr double kTau = 2 * std::numbers::pi;

// A small, fast mixing of integers into well-spread bits.
uint32_t Hash(uint32_t a, uint32_t b, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u ^ a * 0x85EBCA6Bu ^ b * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Unit(uint32_t bits) { return (bits >> 8) * (1.0 / (1u << 24)); }

int Wrap(int value, int period) { return ((value % period) + period) % period; }

double Smooth(double t) { return t * t * (3 - 2 * t); }

double Mix(double a, double b, double t) { return a + (b - a) * t; }

// Value noise on a lattice that repeats every `columns` x `rows` cells, so a
// tile covering whole periods joins itself seamlessly. Coordinates run over
// the tile from 0 to 1.
class PeriodicNoise {
public:
    PeriodicNoise(int columns, int rows, uint32_t seed)
        : m_columns(columns), m_rows(rows), m_seed(seed) {}

    double At(double u, double v) const {
        const double x = u * m_columns;
        const double y = v * m_rows;
        const int x0 = static_cast<int>(std::floor(x));
        const int y0 = static_cast<int>(std::floor(y));
        const double tx = Smooth(x - x0);
        const double ty = Smooth(y - y0);
        const double top = Mix(Corner(x0, y0), Corner(x0 + 1, y0), tx);
        const double bottom = Mix(Corner(x0, y0 + 1), Corner(x0 + 1, y0 + 1), tx);
        return Mix(top, bottom, ty);
    }

private:
    double Corner(int x, int y) const {
        return Unit(Hash(static_cast<uint32_t>(Wrap(x, m_columns)),
                         static_cast<uint32_t>(Wrap(y, m_rows)), m_seed));
    }

    int m_columns;
    int m_rows;
    uint32_t m_seed;
};

// Octaves of noise, each twice as fine and half as strong; 0 to 1.
double Fractal(double u, double v, int columns, int rows, int octaves, uint32_t seed) {
    double sum = 0;
    double weight = 0.5;
    double total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * PeriodicNoise(columns << octave, rows << octave, seed + octave).At(u, v);
        total += weight;
        weight /= 2;
    }
    return sum / total;
}

QRgb Blend(QRgb dark, QRgb light, double t) {
    t = std::clamp(t, 0.0, 1.0);
    const auto channel = [t](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * t));
    };
    return qRgb(channel(qRed(dark), qRed(light)), channel(qGreen(dark), qGreen(light)),
                channel(qBlue(dark), qBlue(light)));
}

// Growth rings across the tile (a whole number of them, so they wrap),
// bent by coarse noise, with streaks of fine grain along the board.
double WoodShade(double u, double v, uint32_t seed) {
    const double bend = Fractal(u, v, 2, 2, 3, seed);
    const double rings = v * 6 + 1.6 * bend + 0.15 * std::sin(kTau * u);
    const double ring = 0.5 + 0.5 * std::cos(kTau * rings);
    const double grain = Fractal(u, v, 4, 64, 2, seed + 17);
    return 0.25 + 0.55 * std::pow(ring, 3) + 0.35 * (grain - 0.5) + 0.2 * (1 - bend);
}

// Distances to the nearest and second-nearest of the stones' centres,
// measured across the tile's edges as well.
struct CellDistance {
    double nearest = 1e9;
    double second = 1e9;
    int cell = 0;
};

CellDistance NearestCells(double u, double v, const std::vector<std::array<double, 2>>& centres) {
    CellDistance result;
    for (size_t i = 0; i < centres.size(); ++i) {
        double dx = std::abs(u - centres[i][0]);
        double dy = std::abs(v - centres[i][1]);
        dx = std::min(dx, 1 - dx);
        dy = std::min(dy, 1 - dy);
        const double distance = std::sqrt(dx * dx + dy * dy);
        if (distance < result.nearest) {
            result.second = result.nearest;
            result.nearest = distance;
            result.cell = static_cast<int>(i);
        } else if (distance < result.second) {
            result.second = distance;
        }
    }
    return result;
}

// Stones on a jittered grid, so they are of even size and none is lost.
std::vector<std::array<double, 2>> StoneCentres(uint32_t seed) {
    constexpr int kGrid = 4;
    std::vector<std::array<double, 2>> centres;
    for (int row = 0; row < kGrid; ++row) {
        for (int column = 0; column < kGrid; ++column) {
            const double jitterX = 0.6 * (Unit(Hash(column, row, seed)) - 0.5);
            const double jitterY = 0.6 * (Unit(Hash(column, row, seed + 1)) - 0.5);
            centres.push_back({(column + 0.5 + jitterX) / kGrid, (row + 0.5 + jitterY) / kGrid});
        }
    }
    return centres;
}

// A thread's shading across its width: round in the middle, dark at the
// edges where it dips under its neighbours.
double ThreadShade(double across) { return std::sin(std::numbers::pi * across); }

// Plain weave (shift 1, repeat 2) or twill (shift 1, repeat 3): which thread
// lies on top at a crossing, and how light it is there.
double WeaveShade(double u, double v, int threads, int repeat, uint32_t seed) {
    const double x = u * threads;
    const double y = v * threads;
    const int column = static_cast<int>(x);
    const int row = static_cast<int>(y);
    const bool warpOnTop = Wrap(column + row, repeat) != 0;
    const double shade = warpOnTop ? ThreadShade(x - column) : ThreadShade(y - row) * 0.85;
    const double fibre = Fractal(u, v, threads * 2, threads * 2, 1, seed);
    return 0.35 + 0.5 * shade + 0.25 * (fibre - 0.5);
}

// Bands of the dark colour crossing each way over the light one; where they
// cross the colour is darker still. The threads show as a fine, uneven
// texture over the bands.
QRgb CheckColour(double u, double v, const TextureRecipe& recipe) {
    const auto band = [](double t) { return std::fmod(t * 4, 1.0) < 0.35 ? 1.0 : 0.0; };
    const double cover = (band(u) + band(v)) / 2;
    const double fibre = Fractal(u, v, 32, 32, 2, recipe.seed);
    return Blend(recipe.light, recipe.dark, 0.9 * cover + 0.2 * (fibre - 0.5) + 0.05);
}

QRgb PixelOf(const TextureRecipe& recipe, double u, double v,
             const std::vector<std::array<double, 2>>& stones) {
    switch (recipe.pattern) {
        case TexturePattern::Wood:
            return Blend(recipe.dark, recipe.light, WoodShade(u, v, recipe.seed));
        case TexturePattern::Cobbles: {
            const CellDistance cells = NearestCells(u, v, stones);
            const double edge = cells.second - cells.nearest;
            if (edge < 0.02) return Blend(recipe.dark, recipe.light, 0.15 * edge / 0.02);
            const double tone = Unit(Hash(static_cast<uint32_t>(cells.cell), 7, recipe.seed));
            const double rounding = std::min(1.0, edge / 0.08);
            const double speckle = Fractal(u, v, 16, 16, 2, recipe.seed);
            return Blend(recipe.dark, recipe.light,
                         0.35 + 0.3 * tone + 0.25 * rounding + 0.3 * (speckle - 0.5));
        }
        case TexturePattern::Slate: {
            const double layers = Fractal(u, v, 2, 8, 4, recipe.seed);
            return Blend(recipe.dark, recipe.light, 0.2 + 0.9 * (layers - 0.25));
        }
        case TexturePattern::Marble: {
            const double turbulence = Fractal(u, v, 3, 3, 5, recipe.seed);
            const double vein = std::abs(std::sin(kTau * (u + v + 2.5 * turbulence)));
            return Blend(recipe.dark, recipe.light, 0.35 + 0.65 * std::pow(vein, 0.35));
        }
        case TexturePattern::Weave:
            return Blend(recipe.dark, recipe.light, WeaveShade(u, v, 16, 2, recipe.seed));
        case TexturePattern::Twill:
            return Blend(recipe.dark, recipe.light, WeaveShade(u, v, 24, 3, recipe.seed));
        case TexturePattern::Check:
            return CheckColour(u, v, recipe);
        case TexturePattern::Flat:
            break;
    }
    return recipe.light;
}

}  // namespace

QImage GenerateTexture(const TextureRecipe& recipe, int size) {
    QImage image(size, size, QImage::Format_RGB32);
    const std::vector<std::array<double, 2>> stones = StoneCentres(recipe.seed);
    for (int y = 0; y < size; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            row[x] = PixelOf(recipe, (x + 0.5) / size, (y + 0.5) / size, stones);
        }
    }
    return image;
}

}  // namespace velora
