// Matrix arithmetic in the operand order of Mesa's own matrix code: sums left to right in
// single precision, sines and cosines of single-precision angles.
#include "fixedfunction/matrix.h"

#include <cmath>
#include <numbers>

namespace fixedfunction {

Matrix product(const Matrix& a, const Matrix& b) {
    Matrix p;
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a.at(i, 0), ai1 = a.at(i, 1), ai2 = a.at(i, 2), ai3 = a.at(i, 3);
        for (int j = 0; j < 4; ++j)
            p.at(i, j) = ai0 * b.at(0, j) + ai1 * b.at(1, j) + ai2 * b.at(2, j) + ai3 * b.at(3, j);
    }
    return p;
}

void multiply(Matrix& current, const Matrix& right) { current = product(current, right); }

void rotate(Matrix& current, float angleDegrees, float x, float y, float z) {
    // The angle in radians is rounded to single precision and its sine and cosine taken there.
    const float radians = float(double(angleDegrees) * std::numbers::pi / 180.0);
    const float s = std::sin(radians);
    const float c = std::cos(radians);
    Matrix r;
    // Rotations about one axis are built directly: no normalising of the axis, no rounding.
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        r.at(0, 0) = c;
        r.at(1, 1) = c;
        r.at(0, 1) = z < 0.0f ? s : -s;
        r.at(1, 0) = z < 0.0f ? -s : s;
    } else if (x == 0.0f && z == 0.0f && y != 0.0f) {
        r.at(0, 0) = c;
        r.at(2, 2) = c;
        r.at(0, 2) = y < 0.0f ? -s : s;
        r.at(2, 0) = y < 0.0f ? s : -s;
    } else if (y == 0.0f && z == 0.0f && x != 0.0f) {
        r.at(1, 1) = c;
        r.at(2, 2) = c;
        r.at(1, 2) = x < 0.0f ? s : -s;
        r.at(2, 1) = x < 0.0f ? -s : s;
    } else {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= 1.0e-4f) return;  // no axis: the matrix stays as it is
        x /= length;
        y /= length;
        z /= length;
        const float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s, oneMinusC = 1.0f - c;
        r.at(0, 0) = (oneMinusC * xx) + c;
        r.at(0, 1) = (oneMinusC * xy) - zs;
        r.at(0, 2) = (oneMinusC * zx) + ys;
        r.at(1, 0) = (oneMinusC * xy) + zs;
        r.at(1, 1) = (oneMinusC * yy) + c;
        r.at(1, 2) = (oneMinusC * yz) - xs;
        r.at(2, 0) = (oneMinusC * zx) - ys;
        r.at(2, 1) = (oneMinusC * yz) + xs;
        r.at(2, 2) = (oneMinusC * zz) + c;
    }
    multiply(current, r);
}

void translate(Matrix& current, float x, float y, float z) {
    float* m = current.m.data();
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
}

void scale(Matrix& current, float x, float y, float z) {
    float* m = current.m.data();
    for (int row = 0; row < 4; ++row) {
        m[row] *= x;
        m[4 + row] *= y;
        m[8 + row] *= z;
    }
}

void ortho(Matrix& current, float left, float right, float bottom, float top, float nearValue,
           float farValue) {
    Matrix o;
    o.at(0, 0) = 2.0f / (right - left);
    o.at(0, 3) = -(right + left) / (right - left);
    o.at(1, 1) = 2.0f / (top - bottom);
    o.at(1, 3) = -(top + bottom) / (top - bottom);
    o.at(2, 2) = -2.0f / (farValue - nearValue);
    o.at(2, 3) = -(farValue + nearValue) / (farValue - nearValue);
    multiply(current, o);
}

void frustum(Matrix& current, float left, float right, float bottom, float top, float nearValue,
             float farValue) {
    Matrix f;
    f.at(0, 0) = (2.0f * nearValue) / (right - left);
    f.at(0, 2) = (right + left) / (right - left);
    f.at(1, 1) = (2.0f * nearValue) / (top - bottom);
    f.at(1, 2) = (top + bottom) / (top - bottom);
    f.at(2, 2) = -(farValue + nearValue) / (farValue - nearValue);
    f.at(2, 3) = -(2.0f * farValue * nearValue) / (farValue - nearValue);
    f.at(3, 2) = -1.0f;
    f.at(3, 3) = 0.0f;
    multiply(current, f);
}

bool inverse(const Matrix& matrix, Matrix& result) {
    // Gauss-Jordan elimination with partial pivoting, in double precision and rounded once.
    double a[4][8];
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            a[row][column] = matrix.at(row, column);
            a[row][column + 4] = row == column ? 1.0 : 0.0;
        }
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int row = column + 1; row < 4; ++row)
            if (std::fabs(a[row][column]) > std::fabs(a[pivot][column])) pivot = row;
        if (a[pivot][column] == 0.0) {
            result = Matrix{};
            return false;
        }
        if (pivot != column)
            for (int k = 0; k < 8; ++k) std::swap(a[pivot][k], a[column][k]);
        const double divisor = a[column][column];
        for (int k = 0; k < 8; ++k) a[column][k] /= divisor;
        for (int row = 0; row < 4; ++row) {
            if (row == column) continue;
            const double factor = a[row][column];
            for (int k = 0; k < 8; ++k) a[row][k] -= factor * a[column][k];
        }
    }
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) result.at(row, column) = float(a[row][column + 4]);
    return true;
}

std::array<float, 4> transformed(const Matrix& matrix, const std::array<float, 4>& v) {
    std::array<float, 4> out{};
    for (int row = 0; row < 4; ++row)
        out[std::size_t(row)] = matrix.at(row, 0) * v[0] + matrix.at(row, 1) * v[1] +
                                matrix.at(row, 2) * v[2] + matrix.at(row, 3) * v[3];
    return out;
}

}  // namespace fixedfunction
