#pragma once
// Matrix helpers shared by every device: the product of row-vector matrices
// and the three transforms a device keeps.

#include "d3d/D3D8Types.h"

D3DMATRIX IdentityMatrix();
// a × b: a point transformed by the result goes through a first, then b.
D3DMATRIX MatrixMultiply(const D3DMATRIX& a, const D3DMATRIX& b);

// World, view and projection as a device holds them.
class TransformState {
 public:
  TransformState();
  // False for a state the device does not keep; nothing changes then.
  bool Set(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix);
  bool Multiply(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix);  // matrix × current
  bool Get(D3DTRANSFORMSTATETYPE state, D3DMATRIX& matrix) const;

  const D3DMATRIX& World() const { return world_; }
  const D3DMATRIX& View() const { return view_; }
  const D3DMATRIX& Projection() const { return projection_; }

 private:
  D3DMATRIX* Slot(D3DTRANSFORMSTATETYPE state);
  D3DMATRIX world_, view_, projection_;
};
