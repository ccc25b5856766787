// 4 x 4 matrices in single precision, column-major as OpenGL keeps them, with each operation
// computed in the order Mesa computes it, so that transformed vertices agree bit for bit.
#pragma once

#include <array>

namespace fixedfunction {

struct Matrix {
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float at(int row, int column) const { return m[std::size_t(column * 4 + row)]; }
    float& at(int row, int column) { return m[std::size_t(column * 4 + row)]; }
    bool operator==(const Matrix&) const = default;
};

// a * b: b applies first to a vector.
Matrix product(const Matrix& a, const Matrix& b);
// The current matrix times the given one, as glMultMatrix, glRotate, glOrtho... do.
void multiply(Matrix& current, const Matrix& right);
void rotate(Matrix& current, float angleDegrees, float x, float y, float z);
void translate(Matrix& current, float x, float y, float z);
void scale(Matrix& current, float x, float y, float z);
void ortho(Matrix& current, float left, float right, float bottom, float top, float nearValue,
           float farValue);
void frustum(Matrix& current, float left, float right, float bottom, float top, float nearValue,
             float farValue);
// The inverse; false (and identity) for a singular matrix.
bool inverse(const Matrix& matrix, Matrix& result);
// matrix * (x, y, z, w).
std::array<float, 4> transformed(const Matrix& matrix, const std::array<float, 4>& vector);

}  // namespace fixedfunction
