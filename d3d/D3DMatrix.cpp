#include "d3d/D3DMatrix.h"

D3DMATRIX IdentityMatrix() {
  D3DMATRIX identity{};
  for (int i = 0; i < 4; ++i) identity.m[i][i] = 1.0f;
  return identity;
}

D3DMATRIX MatrixMultiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX product{};
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.m[row][k] * b.m[k][column];  // single precision, as a device computes it
      product.m[row][column] = sum;
    }
  return product;
}

TransformState::TransformState()
    : world_(IdentityMatrix()), view_(IdentityMatrix()), projection_(IdentityMatrix()) {}

D3DMATRIX* TransformState::Slot(D3DTRANSFORMSTATETYPE state) {
  switch (state) {
    case D3DTS_WORLD: return &world_;
    case D3DTS_VIEW: return &view_;
    case D3DTS_PROJECTION: return &projection_;
  }
  return nullptr;
}

bool TransformState::Set(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
  D3DMATRIX* slot = Slot(state);
  if (slot == nullptr) return false;
  *slot = matrix;
  return true;
}

bool TransformState::Multiply(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
  D3DMATRIX* slot = Slot(state);
  if (slot == nullptr) return false;
  *slot = MatrixMultiply(matrix, *slot);
  return true;
}

bool TransformState::Get(D3DTRANSFORMSTATETYPE state, D3DMATRIX& matrix) const {
  const D3DMATRIX* slot = const_cast<TransformState*>(this)->Slot(state);
  if (slot == nullptr) return false;
  matrix = *slot;
  return true;
}
