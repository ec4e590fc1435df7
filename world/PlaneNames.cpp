#include "world/PlaneNames.h"

#include <QCoreApplication>

#include "matrix/Matrix.h"

namespace kestrilo {

std::string PlaneName(int32_t Plane) {
  if (TMatrix::IsMainPlane(Plane)) return QCoreApplication::translate("TPlaneNames", "основной план").toStdString();
  return QCoreApplication::translate("TPlaneNames", "задний план %1").arg(Plane).toStdString();
}

}  // namespace kestrilo
