#include <cmath>

#include "level/LevelData.h"

bool LevelData::intersectSegments(double ax, double ay, double bx, double by, double px, double py,
                                  double qx, double qy, double* x, double* y) {
  if ((ax == bx && ay == by) || (px == qx && py == qy)) return false;
  // Segments that only meet at a shared end do not cross.
  if ((ax == px && ay == py) || (bx == px && by == py) || (ax == qx && ay == qy) ||
      (bx == qx && by == qy)) {
    return false;
  }
  // Move A to the origin and turn B onto the positive x axis.
  bx -= ax;
  by -= ay;
  px -= ax;
  py -= ay;
  qx -= ax;
  qy -= ay;
  const double distAB = std::sqrt(bx * bx + by * by);
  const double cosA = bx / distAB, sinA = by / distAB;
  double newX = px * cosA + py * sinA;
  py = py * cosA - px * sinA;
  px = newX;
  newX = qx * cosA + qy * sinA;
  qy = qy * cosA - qx * sinA;
  qx = newX;
  // A point on the line counts as the non-negative side: collinear never crosses.
  if ((py < 0 && qy < 0) || (py >= 0 && qy >= 0)) return false;
  const double pos = qx + (px - qx) * qy / (qy - py);
  if (pos < 0 || pos > distAB) return false;
  *x = ax + pos * cosA;
  *y = ay + pos * sinA;
  return true;
}
