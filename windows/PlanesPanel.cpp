#include "windows/PlanesPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include "editor/Editor.h"
#include "world/PlaneNames.h"

namespace kestrilo {

TPlanesPanel::TPlanesPanel(TEditor& Editor, QWidget* Parent) : QDockWidget(tr("Планы"), Parent), editor_(Editor) {
  setObjectName("PlanesPanel");
  auto* body = new QWidget(this);
  auto* grid = new QGridLayout(body);
  grid->addWidget(new QLabel(tr("Виден"), body), 0, 1);
  grid->addWidget(new QLabel(tr("Заблокирован"), body), 0, 2);
  for (int32_t plane = 0; plane < TMatrix::kPlaneCount; ++plane) {
    const QString name = QString::fromStdString(PlaneName(plane));
    grid->addWidget(new QLabel(QString::number(plane) + " — " + name, body), plane + 1, 0);
    const auto addBox = [&](const char* Name, int Column, bool Checked, const QString& Tip,
                            void (TPlaneView::*Set)(int32_t, bool)) {
      auto* box = new QCheckBox(body);
      box->setObjectName(QString(Name).arg(plane));
      box->setChecked(Checked);
      box->setToolTip(Tip);
      grid->addWidget(box, plane + 1, Column, Qt::AlignCenter);
      connect(box, &QCheckBox::toggled, this, [this, plane, Set](bool on) { (editor_.Planes.*Set)(plane, on); });
      return box;
    };
    ShownBoxes[static_cast<size_t>(plane)] = addBox("PlaneShown%1", 1, editor_.Planes.Shown(plane),
                                                    tr("Показывать %1 при правке").arg(name), &TPlaneView::SetShown);
    LockedBoxes[static_cast<size_t>(plane)] = addBox("PlaneLocked%1", 2, editor_.Planes.Locked(plane),
                                                     tr("Запретить правку: %1").arg(name), &TPlaneView::SetLocked);
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
