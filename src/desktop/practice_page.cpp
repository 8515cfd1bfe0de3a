#include "desktop/practice_page.h"

#include <QAccessible>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "desktop/chart_canvas.h"
#include "desktop/labels.h"
#include "desktop/number_box.h"
#include "desktop/squares_canvas.h"
#include "lessons/steps.h"

namespace desktop {

namespace practice = lessons::practice;

PracticePage::PracticePage(practice::Practice& practice, std::function<void()> show_in_program,
                           QWidget* parent)
    : QWidget(parent),
      practice_(practice),
      show_in_program_(std::move(show_in_program)),
      level_(new QComboBox(this)),
      progress_(new QLabel(this)),
      task_(Wrapping(this)),
      proverb_(Wrapping(this)),
      frame_note_(Wrapping(this)),
      verdict_(Wrapping(this)),
      drawing_(new SquaresCanvas(this)),
      drawing_line_(new QLabel(this)),
      chart_(new ChartCanvas(practice::kChartLabel, this)),
      chart_sentence_(Wrapping(this)),
      rows_label_(new QLabel(QString::fromUtf8(practice::kRowsLabel), this)),
      rows_(new QTableWidget(0, 3, this)),
      score_(new QLabel(this)),
      best_(new QLabel(this)),
      show_note_(new QLabel(this)) {
  auto* level_label = new QLabel(QString::fromUtf8(practice::kLevelLabel), this);
  level_label->setBuddy(level_);
  level_->setAccessibleName(QString::fromUtf8(practice::kLevelLabel).chopped(1));
  for (const practice::Level& level : practice::kLevels)
    level_->addItem(QString::fromUtf8(level.name));
  connect(level_, &QComboBox::currentIndexChanged, this,
          [this](int level) { practice_.ChooseLevel(level); });
  progress_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont bold = task_->font();
  bold.setBold(true);
  task_->setFont(bold);
  proverb_->setFont(bold);

  // The two sides, named as the window names its columns, with what those names mean beside them;
  // and at the fifth level the frame of the row, with what it counts on a line of its own.
  const std::array<const char*, 3> headings = lessons::steps::RowHeadings();
  auto* sides = new QHBoxLayout;
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const auto box = static_cast<practice::Box>(i);
    const char* name = box == practice::Box::kFrame ? practice::kFrameLabel : headings[i];
    boxes_[i] =
        new NumberBox([this, box](const QString& text) { practice_.Type(box, text.toStdString()); },
                      [this, box](int steps) { practice_.Step(box, steps); }, this);
    box_labels_[i] = new QLabel(QString::fromUtf8(name), this);
    box_labels_[i]->setBuddy(boxes_[i]);
    boxes_[i]->setAccessibleName(QString::fromUtf8(name));
    boxes_[i]->setFixedWidth(88);
    boxes_[i]->installEventFilter(this);
    sides->addWidget(box_labels_[i]);
    sides->addSpacing(6);
    sides->addWidget(boxes_[i]);
    sides->addSpacing(16);
  }
  axes_ = new QLabel(Text(lessons::steps::kAxes), this);
  axes_->setWordWrap(true);
  sides->addWidget(axes_, 1);
  frame_note_->setText(QString::fromUtf8(practice::kFrameNote));
  Frame()->setAccessibleDescription(frame_note_->text());
  auto* boxes = new QVBoxLayout;
  boxes->addLayout(sides);
  boxes->addWidget(frame_note_);
  auto* presses = new QHBoxLayout;  // the buttons, on a line of their own
  for (size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new QPushButton(QString::fromUtf8(practice::kButtonNames[i]), this);
    button->setAutoDefault(false);
    const auto pressed = static_cast<practice::Button>(i);
    connect(button, &QPushButton::clicked, this, [this, pressed] { Press(pressed); });
    button->installEventFilter(this);
    buttons_[i] = button;
    if (pressed != practice::Button::kShowProgram) presses->addWidget(button);
  }
  presses->addStretch(1);

  verdict_->setFrameShape(QFrame::StyledPanel);
  verdict_->setMinimumHeight(3 * fontMetrics().height() + 8);
  verdict_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  drawing_line_->setAlignment(Qt::AlignCenter);
  drawing_->setMinimumSize(160, 140);
  chart_sentence_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  rows_->setAccessibleName(QString::fromUtf8(practice::kRowsLabel));
  rows_label_->setBuddy(rows_);
  QStringList columns;
  for (const char* heading : headings)
    columns << QString::fromUtf8(heading);
  rows_->setHorizontalHeaderLabels(columns);
  rows_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows_->setSelectionMode(QAbstractItemView::NoSelection);
  rows_->setFocusPolicy(Qt::NoFocus);
  auto* listed = new QVBoxLayout;
  listed->setContentsMargins(0, 0, 0, 0);
  listed->addWidget(rows_label_);
  listed->addWidget(rows_, 1);
  QFont large = score_->font();
  large.setPointSize(large.pointSize() + 4);
  large.setBold(true);
  score_->setFont(large);

  auto* top = new QHBoxLayout;
  top->addWidget(level_label);
  top->addWidget(level_);
  top->addStretch(1);
  top->addWidget(progress_);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Button(practice::Button::kShowProgram));
  bottom->addSpacing(8);
  bottom->addWidget(show_note_);
  bottom->addSpacing(16);
  bottom->addWidget(score_);
  bottom->addSpacing(16);
  bottom->addWidget(best_, 1);

  auto* grid = new QGridLayout(this);
  grid->addLayout(top, 0, 0, 1, 2);
  grid->addWidget(task_, 1, 0, 1, 2);
  grid->addWidget(proverb_, 2, 0, 1, 2);
  grid->addLayout(boxes, 3, 0, 1, 2);
  grid->addLayout(presses, 4, 0, 1, 2);
  grid->addWidget(verdict_, 5, 0, 1, 2);
  grid->addWidget(drawing_, 6, 0);
  grid->addWidget(chart_, 6, 1);
  grid->addLayout(listed, 6, 1);
  grid->addWidget(drawing_line_, 7, 0);
  grid->addWidget(chart_sentence_, 7, 1);
  grid->addLayout(bottom, 8, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(6, 1);
  // The drawing and the chart take the room the page has to spare; the lines keep to their text.
  for (QWidget* picture : {static_cast<QWidget*>(drawing_), static_cast<QWidget*>(chart_)})
    picture->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  for (QLabel* line : {task_, proverb_, verdict_, chart_sentence_, drawing_line_})
    line->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

  QWidget* previous = level_;
  for (NumberBox* box : boxes_) {
    setTabOrder(previous, box);
    previous = box;
  }
  for (QPushButton* button : buttons_) {
    setTabOrder(previous, button);
    previous = button;
  }
  Refresh();
}

void PracticePage::Press(practice::Button button) {
  if (button == practice::Button::kShowProgram) {
    show_in_program_();
    return;
  }
  practice_.Press(button);
  switch (practice_.FocusAfter()) {
    case practice::Focus::kAcross:
      Across()->setFocus();
      Across()->selectAll();
      break;
    case practice::Focus::kRetry:
      Button(practice::Button::kRetry)->setFocus();
      break;
    case practice::Focus::kNext:
      Button(practice::Button::kNext)->setFocus();
      break;
    case practice::Focus::kRestart:
      Button(practice::Button::kRestart)->setFocus();
      break;
  }
}

void PracticePage::TakeFocus() {
  if (Across()->isEnabled() && Across()->isVisible()) {
    Across()->setFocus();
  } else {
    level_->setFocus();
  }
}

void PracticePage::Refresh() {
  if (level_->currentIndex() != practice_.Level()) {
    const QSignalBlocker blocker(level_);
    level_->setCurrentIndex(practice_.Level());
  }
  progress_->setText(Text(practice_.Progress()));
  task_->setText(Text(practice_.TaskText()));
  proverb_->setText(Text(practice_.Proverb()));
  proverb_->setVisible(!practice_.Proverb().empty());
  const bool done = practice_.GetStage() == practice::Stage::kDone;
  const bool tracing = practice_.Tracing();
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const auto box = static_cast<practice::Box>(i);
    const bool shown = practice_.BoxesShown() && (box != practice::Box::kFrame || tracing);
    boxes_[i]->TakeUpTo(practice_.Largest(box));
    boxes_[i]->Show(Text(practice_.Typed(box)));
    boxes_[i]->setEnabled(practice_.SidesEnabled());
    boxes_[i]->setVisible(shown);
    box_labels_[i]->setVisible(shown);
  }
  frame_note_->setVisible(tracing && practice_.BoxesShown());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const auto button = static_cast<practice::Button>(i);
    buttons_[i]->setEnabled(practice_.Enabled(button));
    buttons_[i]->setVisible(practice_.Shown(button));
  }
  axes_->setVisible(practice_.BoxesShown());
  // What "Виж как го намира програмата" will change, beside it before it acts.
  const QString changes = Text(practice_.ShowInProgramNote());
  show_note_->setText(changes);
  show_note_->setVisible(practice_.Shown(practice::Button::kShowProgram));
  Button(practice::Button::kShowProgram)->setAccessibleDescription(changes);

  // A screen reader hears the verdict when a check gives one, the same words again too; and
  // nothing of it once it is gone.
  const QString verdict = Text(practice_.Verdict());
  verdict_->setText(verdict);
  verdict_->setVisible(!done);
  if (practice_.Checks() != read_checks_ || verdict.isEmpty()) {
    if (verdict_->accessibleName() == verdict && !verdict.isEmpty()) {
      QAccessibleEvent said(verdict_, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&said);
    }
    verdict_->setAccessibleName(verdict);
  }
  read_checks_ = practice_.Checks();
  drawing_->SetPicture(practice_.Drawing());
  drawing_line_->setText(Text(practice_.DrawingLine()));
  drawing_->setVisible(!done);
  const std::optional<lessons::chart::Chart> chart = practice_.Chart();
  chart_sentence_->setText(chart ? Text(chart->Sentence()) : QString());
  chart_->SetChart(chart);
  chart_->setVisible(!tracing);
  rows_->setVisible(tracing && !done);
  rows_label_->setVisible(tracing && !done);
  const std::vector<practice::Row> given = practice_.Listed();
  rows_->setRowCount(static_cast<int>(given.size()));
  for (int row = 0; row < static_cast<int>(given.size()); ++row) {
    const practice::Row& each = given[static_cast<size_t>(row)];
    const int cells[] = {each.across, each.down, each.frame};
    for (int column = 0; column < 3; ++column) {
      QTableWidgetItem* item = rows_->item(row, column);
      if (item == nullptr) rows_->setItem(row, column, item = new QTableWidgetItem);
      item->setText(QString::number(cells[column]));
    }
  }
  if (!given.empty()) rows_->scrollToItem(rows_->item(static_cast<int>(given.size()) - 1, 0));
  score_->setText(done ? Text(practice_.Score() + "  " + practice_.Stars()) : QString());
  score_->setAccessibleName(Text(practice_.StarsSaid()));
  best_->setText(Text(practice_.Best()));
}

// Enter in a number box checks the answer; on a button, it presses the button, as Space does.
bool PracticePage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return QWidget::eventFilter(watched, event);
  if (std::find(boxes_.begin(), boxes_.end(), watched) != boxes_.end()) {
    Press(practice::Button::kCheck);
    return true;
  }
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (watched == buttons_[i] && buttons_[i]->isEnabled()) {
      Press(static_cast<practice::Button>(i));
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace desktop
