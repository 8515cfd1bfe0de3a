#include "desktop/steps_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <vector>

#include "desktop/labels.h"
#include "desktop/squares_canvas.h"

namespace desktop {

namespace steps = lessons::steps;

namespace {

// A table that only shows, its rows as tall as their wrapped words.
QTableWidget* WrappingTable(int columns, QWidget* parent) {
  auto* table = ShowingTable(columns, parent);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->verticalHeader()->setMinimumSectionSize(table->fontMetrics().height() + 4);
  table->setWordWrap(true);
  return table;
}

// The key of the steps page that a key event is, if it is one.
std::optional<steps::Key> StepsKey(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return std::nullopt;
  }
  switch (event.key()) {
    case Qt::Key_Left:
      return steps::Key::kLeft;
    case Qt::Key_Right:
      return steps::Key::kRight;
    case Qt::Key_Home:
      return steps::Key::kHome;
    case Qt::Key_End:
      return steps::Key::kEnd;
    case Qt::Key_PageUp:
      return steps::Key::kPageUp;
    case Qt::Key_PageDown:
      return steps::Key::kPageDown;
    case Qt::Key_Space:
      return steps::Key::kSpace;
    default:
      return std::nullopt;
  }
}

// The width that shows each text on one line but the longest, which may take two, broken where
// its two halves are most even: "LetterCount mod i", "остатъкът при делението на LetterCount на i".
int OnOneLineButTheLongest(const QFontMetrics& metrics, std::vector<QString> texts) {
  std::sort(texts.begin(), texts.end(), [&](const QString& a, const QString& b) {
    return metrics.horizontalAdvance(a) > metrics.horizontalAdvance(b);
  });
  const QString& longest = texts.front();
  int halves = metrics.horizontalAdvance(longest);
  for (qsizetype at = longest.indexOf(' '); at > 0; at = longest.indexOf(' ', at + 1)) {
    halves = std::min(halves, std::max(metrics.horizontalAdvance(longest.left(at)),
                                       metrics.horizontalAdvance(longest.mid(at + 1))));
  }
  return texts.size() > 1 ? std::max(halves, metrics.horizontalAdvance(texts[1])) : halves;
}

}  // namespace

StepsPage::StepsPage(steps::Walkthrough& steps, QWidget* parent)
    : QWidget(parent),
      steps_(steps),
      program_(new QListWidget(this)),
      values_(WrappingTable(3, this)),
      sentence_(new QLabel(this)),
      rows_(WrappingTable(3, this)),
      canvas_(new SquaresCanvas(this)),
      rectangle_words_(new QLabel(this)),
      speed_(new QComboBox(this)),
      counter_(new QLabel(this)) {
  setFocusPolicy(Qt::StrongFocus);

  // The program, numbered, its current line selected: what a screen reader reads as current.
  program_->setFocusPolicy(Qt::NoFocus);
  program_->setWordWrap(true);
  program_->setAccessibleName(Text(steps::kProgramLabel));
  int number = 1;
  for (const std::string& line : steps::ProgramLines())
    program_->addItem(QStringLiteral("   %1  %2").arg(number++, 2).arg(Text(line)));

  values_->setAccessibleName(Text(steps::kValuesLabel));
  values_->verticalHeader()->hide();
  values_->setHorizontalHeaderLabels(
      {QStringLiteral("име"), QStringLiteral("стойност"), QStringLiteral("значение")});

  sentence_->setWordWrap(true);
  sentence_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  sentence_->setFrameShape(QFrame::StyledPanel);
  sentence_->setMinimumHeight(56);
  sentence_->setAccessibleName(Text(steps::kNoRun));

  rows_->setAccessibleName(Text(steps::kRowsLabel));
  QStringList headings;
  for (const char* heading : steps::RowHeadings())
    headings << Text(heading);
  rows_->setHorizontalHeaderLabels(headings);
  rows_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

  rectangle_words_->setWordWrap(true);
  rectangle_words_->setAlignment(Qt::AlignCenter);

  // The buttons that move through the steps and the counter on one line, playing on the next.
  auto* moves = new QHBoxLayout;
  auto* playing = new QHBoxLayout;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new QPushButton(Text(steps::kCommandNames[i]), this);
    button->setAutoDefault(false);
    button->installEventFilter(this);
    const auto command = static_cast<steps::Command>(i);
    connect(button, &QPushButton::clicked, this, [this, command] { steps_.Do(command); });
    buttons_[i] = button;
    (command == steps::Command::kPlay ? playing : moves)->addWidget(button);
    if (i == 3) moves->addSpacing(12);
  }
  moves->addStretch(1);
  moves->addWidget(counter_);
  auto* speed_label = new QLabel(Text(steps::kSpeedLabel), this);
  speed_label->setBuddy(speed_);
  speed_->setAccessibleName(Text(steps::kSpeedLabel).chopped(1));
  for (const steps::Speed& speed : steps::kSpeeds)
    speed_->addItem(Text(speed.name));
  connect(speed_, &QComboBox::currentIndexChanged, this,
          [this](int index) { steps_.SetSpeed(index); });
  playing->addSpacing(12);
  playing->addWidget(speed_label);
  playing->addWidget(speed_);
  playing->addStretch(1);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->addWidget(Heading(steps::kProgramLabel, this, program_), 0, 0);
  grid->addWidget(program_, 1, 0);
  grid->addWidget(Heading(steps::kValuesLabel, this, values_), 0, 1);
  grid->addWidget(values_, 1, 1);
  grid->addWidget(sentence_, 2, 0, 1, 2);
  // The rows' heading, and beside it what the window's column names mean.
  auto* rows_heading = new QHBoxLayout;
  rows_heading->addWidget(Heading(steps::kRowsLabel, this, rows_));
  rows_heading->addSpacing(16);
  axes_ = new QLabel(Text(steps::kAxes), this);
  rows_heading->addWidget(axes_, 1);
  grid->addLayout(rows_heading, 3, 0, 1, 2);
  grid->addWidget(rows_, 4, 0, 2, 1);
  grid->addWidget(canvas_, 4, 1);
  grid->addWidget(rectangle_words_, 5, 1);
  grid->addLayout(moves, 6, 0, 1, 2);
  grid->addLayout(playing, 7, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(1, 3);
  grid->setRowStretch(4, 2);
  FitColumns();

  connect(&player_, &QTimer::timeout, this, [this] { steps_.Tick(); });
  Refresh();
}

// The program, in a fixed-width face a little smaller than the page's, and the values as wide as
// their texts in the page's font, which the lessons' window gives the page after making it.
void StepsPage::FitColumns() {
  QFont mono = font();
  mono.setFamily(QStringLiteral("Liberation Mono"));
  mono.setPointSize(std::max(font().pointSize() - 3, 8));
  program_->setFont(mono);
  // As wide as the lines but the longest, which breaks between its words where the page is
  // narrow.
  const int most = QFontMetrics(mono).horizontalAdvance(QString(56, QLatin1Char('M')));
  int widest = 0;
  for (int i = 0; i < program_->count(); ++i) {
    widest = std::max(
        widest, std::min(most, QFontMetrics(mono).horizontalAdvance(program_->item(i)->text())));
  }
  program_->setMinimumWidth(widest + 2 * program_->frameWidth() + 12);
  QFont bold = values_->font();  // what a changed value is shown in
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  const int padding = 12;
  std::vector<QString> names;
  std::vector<QString> meanings;
  for (const steps::Value& value : steps_.Values()) {
    names.push_back(Text(value.name));
    meanings.push_back(Text(value.meaning));
  }
  values_->setColumnWidth(0, OnOneLineButTheLongest(metrics, names) + padding);
  values_->setColumnWidth(
      1, metrics.horizontalAdvance(QStringLiteral("-32768   ") + Text(steps::kChanged)) + padding);
  values_->setMinimumWidth(values_->columnWidth(0) + values_->columnWidth(1) +
                           OnOneLineButTheLongest(metrics, meanings) + padding +
                           2 * values_->frameWidth());
}

void StepsPage::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) FitColumns();
  QWidget::changeEvent(event);
}

void StepsPage::Refresh() {
  const int line = steps_.Line();
  for (int i = 0; i < program_->count(); ++i) {
    QListWidgetItem* item = program_->item(i);
    const bool current = i + 1 == line;
    QString text = item->text();
    text.replace(0, 2,
                 current ? Text(steps::kCurrentLine) + QStringLiteral(" ") : QStringLiteral("  "));
    if (item->text() != text) item->setText(text);
    QFont font = item->font();
    if (font.bold() != current) {
      font.setBold(current);
      item->setFont(font);
    }
  }
  if (line > 0) {
    program_->setCurrentRow(line - 1, QItemSelectionModel::ClearAndSelect);
    program_->scrollToItem(program_->currentItem());
  } else {
    program_->clearSelection();
  }

  const std::vector<steps::Value> values = steps_.Values();
  values_->setRowCount(static_cast<int>(values.size()));
  for (int row = 0; row < static_cast<int>(values.size()); ++row) {
    const steps::Value& value = values[static_cast<size_t>(row)];
    const QString shown = value.changed
                              ? Text(value.text) + QStringLiteral("   ") + Text(steps::kChanged)
                              : Text(value.text);
    const QString cells[] = {Text(value.name), shown, Text(value.meaning)};
    for (int column = 0; column < 3; ++column) {
      QTableWidgetItem* item = values_->item(row, column);
      if (item == nullptr) {
        item = new QTableWidgetItem;
        values_->setItem(row, column, item);
      }
      if (item->text() != cells[column]) item->setText(cells[column]);
      QFont font = item->font();
      if (font.bold() != value.changed) {
        font.setBold(value.changed);
        item->setFont(font);
      }
    }
  }

  const QString sentence = Text(steps_.Sentence());
  sentence_->setText(sentence);
  if (steps_.Announced() && sentence_->accessibleName() != sentence) {
    sentence_->setAccessibleName(sentence);  // read out politely by a screen reader
  }

  ShowRows();
  const std::optional<lessons::picture::Picture> rectangle = steps_.Rectangle();
  canvas_->SetPicture(rectangle.value_or(lessons::picture::Picture()));
  rectangle_words_->setText(Text(rectangle ? rectangle->Words() : steps::kNoRectangle));

  counter_->setText(Text(steps_.Counter()));
  for (size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setEnabled(steps_.Enabled(static_cast<steps::Command>(i)));
  Button(steps::Command::kPlay)->setText(Text(steps_.PlayName()));
  if (speed_->currentIndex() != steps_.SpeedIndex()) {
    const QSignalBlocker blocker(speed_);
    speed_->setCurrentIndex(steps_.SpeedIndex());
  }
  if (steps_.Playing()) {
    if (player_.interval() != steps_.TickMilliseconds() || !player_.isActive()) {
      player_.start(steps_.TickMilliseconds());
    }
  } else {
    player_.stop();
  }
}

// The rows so far, the one this step listed selected and pointed at.
void StepsPage::ShowRows() {
  const steps::Rows rows = steps_.RowsSoFar();
  const int count = static_cast<int>(
      std::max({rows.columns[0].size(), rows.columns[1].size(), rows.columns[2].size()}));
  if (steps_.RunNumber() == shown_run_ && count == shown_rows_ && rows.marked == shown_mark_)
    return;
  rows_->setRowCount(count);
  QStringList numbers;
  for (int row = 0; row < count; ++row) {
    numbers << (row == rows.marked ? Text(steps::kCurrentLine) + QStringLiteral(" %1").arg(row + 1)
                                   : QString::number(row + 1));
    for (size_t column = 0; column < 3; ++column) {
      const auto& texts = rows.columns[column];
      const QString text = static_cast<size_t>(row) < texts.size()
                               ? Text(texts[static_cast<size_t>(row)])
                               : QString();
      QTableWidgetItem* item = rows_->item(row, static_cast<int>(column));
      if (item == nullptr) {
        item = new QTableWidgetItem;
        rows_->setItem(row, static_cast<int>(column), item);
      }
      item->setText(text);
      item->setBackground(row == rows.marked ? palette().highlight() : QBrush());
      item->setForeground(row == rows.marked ? palette().highlightedText() : QBrush());
    }
  }
  rows_->setVerticalHeaderLabels(numbers);
  if (rows.marked >= 0) rows_->scrollToItem(rows_->item(rows.marked, 0));
  shown_run_ = steps_.RunNumber();
  shown_rows_ = count;
  shown_mark_ = rows.marked;
}

bool StepsPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const std::optional<steps::Key> key = StepsKey(*static_cast<QKeyEvent*>(event));
    if (key && *key != steps::Key::kSpace) return steps_.Press(*key);  // Space presses the button
  }
  return QWidget::eventFilter(watched, event);
}

void StepsPage::hideEvent(QHideEvent* event) {
  steps_.SetPlaying(false);
  QWidget::hideEvent(event);
}

void StepsPage::keyPressEvent(QKeyEvent* event) {
  const std::optional<steps::Key> key = StepsKey(*event);
  if (key && steps_.Press(*key)) return;
  QWidget::keyPressEvent(event);
}

}  // namespace desktop
