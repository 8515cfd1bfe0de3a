#include "desktop/error_box.h"

#include <QMessageBox>
#include <QWidget>

#include "window/layout.h"

namespace desktop {

void ShowErrorBox(QWidget* parent, const runtime::RuntimeError& error) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(window::layout::kCaption),
                  QStringLiteral("Грешка при изпълнение %1:\n%2")
                      .arg(static_cast<int>(error.number()))
                      .arg(QString::fromUtf8(error.description())),
                  QMessageBox::Ok, parent);
  if (parent != nullptr) box.setFont(parent->font());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace desktop
