#include "desktop/picture_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "desktop/change_page.h"
#include "desktop/practice_page.h"
#include "desktop/squares_canvas.h"
#include "desktop/steps_page.h"
#include "desktop/write_page.h"
#include "lessons/placement.h"

namespace desktop {

namespace picture = lessons::picture;

PictureWindow::PictureWindow(const window::Form& form, lessons::Lessons& lessons, QWidget* owner)
    : QWidget(owner, Qt::Window),
      form_(form),
      lessons_(lessons),
      pages_(new QTabWidget(this)),
      canvas_(new SquaresCanvas(this)),
      words_(new QLabel(this)),
      steps_page_(new StepsPage(lessons.steps, this)),
      practice_page_(new PracticePage(
          lessons.practice,
          [this, &lessons] {
            if (lessons.ShowInProgram()) ShowPage(1, true);
          },
          this)),
      change_page_(new ChangePage(lessons.change, this)),
      write_page_(new WritePage(lessons.write, this)) {
  setWindowTitle(QString::fromStdString(lessons::PageTitle(0)));
  setAttribute(Qt::WA_ShowWithoutActivating);  // the form keeps the focus
  setAttribute(Qt::WA_WindowPropagation);      // and lends its font
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(picture::kBackground));
  setPalette(palette);
  setAutoFillBackground(true);
  setFont(owner->font());
  canvas_->setObjectName(QStringLiteral("picture"));
  words_->setObjectName(QStringLiteral("words"));
  words_->setAlignment(Qt::AlignCenter);
  words_->setWordWrap(true);

  auto* picture_page = new QWidget(this);
  auto* column = new QVBoxLayout(picture_page);
  column->addWidget(canvas_, 1);
  column->addWidget(words_);
  pages_->addTab(picture_page, QString::fromUtf8(lessons::steps::kPictureTab));
  pages_->addTab(steps_page_, QString::fromUtf8(lessons::steps::kStepsTab));
  pages_->addTab(practice_page_, QString::fromUtf8(lessons::practice::kTab));
  pages_->addTab(change_page_, QString::fromUtf8(lessons::change::kTab));
  pages_->addTab(write_page_, QString::fromUtf8(lessons::write::kTab));
  pages_->tabBar()->setFocusPolicy(Qt::NoFocus);  // the keys belong to the pages
  pages_->installEventFilter(this);
  connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
    setWindowTitle(QString::fromStdString(lessons::PageTitle(page)));
    Opened(page);
    if (isActiveWindow()) FocusPage(page);
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  resize(lessons::placement::kWidth, lessons::placement::kHeight);
  Refresh();
}

void PictureWindow::ShowPage(int page, bool focus) {
  Opened(page);
  pages_->setCurrentIndex(page);
  if (focus) FocusPage(page);
}

// A page that starts from the window's count takes it when it opens.
void PictureWindow::Opened(int page) {
  if (page == 3) lessons_.OpenChange();
  if (page == 4) lessons_.OpenWrite();
}

// The focus where a page begins; the picture leaves it where it is.
void PictureWindow::FocusPage(int page) {
  if (page == 1) steps_page_->setFocus();
  if (page == 2) practice_page_->TakeFocus();
  if (page == 3) change_page_->TakeFocus();
  if (page == 4) write_page_->TakeFocus();
}

void PictureWindow::RefreshPractice() {
  practice_page_->Refresh();
}

void PictureWindow::RefreshChange() {
  change_page_->Refresh();
}

void PictureWindow::RefreshWrite() {
  write_page_->Refresh();
}

const picture::Picture& PictureWindow::Picture() const {
  return canvas_->Picture();
}

QWidget* PictureWindow::Canvas() const {
  return canvas_;
}

void PictureWindow::Refresh() {
  canvas_->SetPicture(picture::Picture::Of(form_));
  words_->setText(QString::fromUtf8(canvas_->Picture().Words()));
}

void PictureWindow::RefreshSteps() {
  steps_page_->Refresh();
}

// A sentence changed on a page asks the pages to be laid out again, which Qt's tab widget does by
// repainting every control of the page; where the sizes the pages ask for are as they were, the
// page lays out its own controls and nothing else need be done.
bool PictureWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pages_ && event->type() == QEvent::LayoutRequest) {
    QWidget* stack = pages_->currentWidget()->parentWidget();
    const std::array<QSize, 4> sizes = {stack->sizeHint(), stack->minimumSizeHint(),
                                        pages_->tabBar()->sizeHint(),
                                        pages_->tabBar()->minimumSizeHint()};
    if (sizes == laid_out_) return true;
    laid_out_ = sizes;
  }
  return QWidget::eventFilter(watched, event);
}

void PictureWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  // Ctrl+Tab and Ctrl+Shift+Tab switch pages wherever the focus is in the window.
  const bool control = event->modifiers() & Qt::ControlModifier;
  if (control && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
    const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
    const int count = pages_->count();
    pages_->setCurrentIndex((pages_->currentIndex() + (back ? count - 1 : 1)) % count);
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace desktop
