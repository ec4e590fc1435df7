#include "windows/PlanesPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include "editor/Editor.h"
#include "world/PlaneNames.h"

namespace kestrilo {

TPlanesPanel::TPlanesPanel(TEditor& Editor, QWidget* Parent)
    : QDockWidget(tr("Планы"), Parent), editor_(Editor) {
  setObjectName("PlanesPanel");
  auto* body = new QWidget(this);
  auto* grid = new QGridLayout(body);
  grid->addWidget(new QLabel(tr("Виден"), body), 0, 1);
  grid->addWidget(new QLabel(tr("Заблокирован"), body), 0, 2);
  for (int32_t plane = 0; plane < TMatrix::kPlaneCount; ++plane) {
    const QString name = QString::fromStdString(PlaneName(plane));
    grid->addWidget(new QLabel(QString::number(plane) + " — " + name, body), plane + 1, 0);
    QCheckBox*& shown = ShownBoxes[static_cast<size_t>(plane)];
    shown = new QCheckBox(body);
    shown->setObjectName(QString("PlaneShown%1").arg(plane));
    shown->setChecked(editor_.Planes.Shown(plane));
    shown->setToolTip(tr("Показывать %1 при правке").arg(name));
    grid->addWidget(shown, plane + 1, 1, Qt::AlignCenter);
    connect(shown, &QCheckBox::toggled, this, [this, plane](bool on) { editor_.Planes.SetShown(plane, on); });
    QCheckBox*& locked = LockedBoxes[static_cast<size_t>(plane)];
    locked = new QCheckBox(body);
    locked->setObjectName(QString("PlaneLocked%1").arg(plane));
    locked->setChecked(editor_.Planes.Locked(plane));
    locked->setToolTip(tr("Запретить правку: %1").arg(name));
    grid->addWidget(locked, plane + 1, 2, Qt::AlignCenter);
    connect(locked, &QCheckBox::toggled, this, [this, plane](bool on) { editor_.Planes.SetLocked(plane, on); });
  }
  DimOthersBox = new QCheckBox(tr("Приглушить остальные планы"), body);
  DimOthersBox->setObjectName("DimOtherPlanes");
  DimOthersBox->setToolTip(tr("Текущий план (ось Z) виден ярко, остальные — темнее"));
  grid->addWidget(DimOthersBox, TMatrix::kPlaneCount + 1, 0, 1, 3);
  connect(DimOthersBox, &QCheckBox::toggled, this, [this](bool on) { editor_.Planes.SetDimOthers(on); });
  grid->setRowStretch(TMatrix::kPlaneCount + 2, 1);
  setWidget(body);
}

}  // namespace kestrilo
