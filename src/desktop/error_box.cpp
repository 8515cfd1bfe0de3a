#include "desktop/error_box.h"

#include <QMessageBox>
#include <QWidget>

#include "window/layout.h"

namespace desktop {

void ShowErrorBox(QWidget* parent, const runtime::RuntimeError& error) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(window::layout::kCaption),
                  QString::fromUtf8(error.Message()), QMessageBox::Ok, parent);
  if (parent != nullptr) box.setFont(parent->font());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace desktop
