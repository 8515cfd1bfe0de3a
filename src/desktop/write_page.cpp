#include "desktop/write_page.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextDocumentLayout>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "desktop/code_editor.h"
#include "desktop/help_window.h"
#include "desktop/labels.h"
#include "desktop/number_box.h"
#include "lessons/steps.h"

namespace desktop {

namespace write = lessons::write;
using write::Command;

namespace {

constexpr Qt::Alignment kTop = Qt::AlignLeft | Qt::AlignTop;
const QColor kRightInk(0x00, 0x70, 0x00);
const QColor kWrongInk(0xB0, 0x00, 0x00);

// The files the dialogs show.
const char* const kFilter = "Текстови файлове (*.txt);;Всички файлове (*)";

// The editor's text as the core keeps it: its lines joined by line ends, every blank as typed.
QString EditorText(const QPlainTextEdit& editor) {
  return editor.document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

// Why a file could not be read or written, in the pupil's words.
std::string Reason(const QFileDevice& file, bool writing) {
  switch (file.error()) {
    case QFileDevice::PermissionsError:
      return writing ? "нямаш право да пишеш там" : "нямаш право да четеш този файл";
    case QFileDevice::OpenError:
      return writing ? "файлът не може да се създаде там" : "файлът не може да се отвори";
    case QFileDevice::ResourceError:
    case QFileDevice::WriteError:
      return writing ? "записът не успя, може би няма място на диска" : "четенето не успя";
    default:
      return writing ? "записът не успя" : "четенето не успя";
  }
}

// A heading over a part of the page, and the part under it.
QVBoxLayout* Headed(const char* heading, QWidget* part, QWidget* parent) {
  auto* column = new QVBoxLayout;
  column->setSpacing(2);
  column->addWidget(Heading(heading, parent, part));
  column->addWidget(part, 1);
  return column;
}

}  // namespace

WritePage::WritePage(write::Write& write, QWidget* parent)
    : QWidget(parent),
      write_(write),
      task_(new QComboBox(this)),
      task_text_(Wrapping(this, kTop)),
      verdict_(Wrapping(this, kTop)),
      start_(new QPushButton(Text(write::kStartLabel), this)),
      open_(new QPushButton(Text(write::kOpenLabel), this)),
      save_(new QPushButton(Text(write::kSaveLabel), this)),
      help_(new QPushButton(Text(write::kHelpLabel), this)),
      editor_(new CodeEditor(this)),
      message_(Wrapping(this, kTop)),
      counter_(new QLabel(this)),
      count_(new NumberBox([this](const QString& text) { write_.TypeCount(text.toStdString()); },
                           [this](int steps) { write_.StepCount(steps); }, this)),
      count_note_(Wrapping(this)),
      values_(ShowingTable(2, this)),
      output_(new QListWidget(this)),
      your_rows_(ShowingTable(3, this)),
      lesson_rows_(ShowingTable(3, this)),
      work_(Wrapping(this, kTop)),
      folder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) {
  if (!QFileInfo(folder_).isDir()) folder_ = QDir::homePath();  // no documents folder of its own
  // The task, its text, and its check.
  auto* task_label = new QLabel(Text(write::kTaskLabel), this);
  task_label->setBuddy(task_);
  task_->setAccessibleName(Text(write::kTaskLabel));
  for (const write::Task& task : write::kTasks)
    task_->addItem(Text(task.name));
  connect(task_, &QComboBox::currentIndexChanged, this,
          [this](int task) { write_.ChooseTask(task); });
  QFont bold = task_text_->font();
  bold.setBold(true);
  task_text_->setFont(bold);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new QPushButton(Text(write::kCommandNames[i]), this);
    button->setAutoDefault(false);
    const auto command = static_cast<Command>(i);
    connect(button, &QPushButton::clicked, this, [this, command] { write_.Press(command); });
    buttons_[i] = button;
  }
  QPushButton* check = Button(Command::kCheck);
  verdict_->setFrameShape(QFrame::StyledPanel);
  auto* top = new QGridLayout;
  top->addWidget(task_label, 0, 0);
  top->addWidget(task_, 0, 1);
  top->addWidget(task_text_, 0, 2, 1, 2);
  top->addWidget(check, 1, 0, 1, 2, Qt::AlignTop);
  top->addWidget(verdict_, 1, 2);
  top->addWidget(Button(Command::kShowSteps), 1, 3, Qt::AlignTop);
  top->setColumnStretch(2, 1);

  // The editor's tools: the signs and the texts to start from on one line; the files and the
  // help beside the editor's heading.
  auto* tools = new QHBoxLayout;
  tools->setSpacing(4);
  for (size_t i = 0; i < signs_.size(); ++i) {
    const write::Sign& sign = write::kSigns[i];
    auto* button = new QToolButton(this);
    button->setText(Text(sign.label));
    button->setFocusPolicy(Qt::TabFocus);  // a click leaves the focus in the editor
    button->setAccessibleName(Text(sign.name));
    button->setToolTip(Text(sign.name));
    connect(button, &QPushButton::clicked, this, [this, i] {
      QTextCursor caret = editor_->textCursor();
      caret.insertText(Text(write::kSigns[i].text));
      editor_->setTextCursor(caret);
      editor_->setFocus();
    });
    tools->addWidget(button);
    signs_[i] = button;
  }
  tools->addStretch(1);
  auto* starts = new QMenu(start_);
  for (size_t i = 0; i < write::kStartNames.size(); ++i) {
    connect(starts->addAction(Text(write::kStartNames[i])), &QAction::triggered, this,
            [this, i] { Start(static_cast<int>(i)); });
  }
  start_->setMenu(starts);
  auto* files = new QHBoxLayout;
  files->setSpacing(4);
  files->addWidget(Heading(write::kEditorName, this, editor_));
  files->addStretch(1);
  for (QPushButton* button : {start_, open_, save_, help_}) {
    button->setAutoDefault(false);
    (button == start_ || button == open_ ? tools : files)->addWidget(button);
  }
  connect(open_, &QPushButton::clicked, this, [this] { AskToOpen(); });
  connect(save_, &QPushButton::clicked, this, [this] { AskToSave(); });
  connect(help_, &QPushButton::clicked, this, [this] { ShowHelp(); });

  // The editor, with a document for each task.
  editor_->setAccessibleName(Text(write::kEditorName));
  for (QTextDocument*& document : documents_) {
    document = new QTextDocument(editor_);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
  }
  connect(editor_, &QPlainTextEdit::textChanged, this, [this] {
    if (!showing_) write_.Edit(EditorText(*editor_).toStdString());
  });
  message_->setFrameShape(QFrame::StyledPanel);
  auto* left = new QVBoxLayout;
  left->addLayout(tools);
  left->addLayout(files);
  left->addWidget(editor_, 1);
  left->addWidget(message_);
  left->addWidget(counter_);

  // N, the run and its steps.
  auto* count_label = new QLabel(Text(write::kCountLabel), this);
  count_label->setBuddy(count_);
  count_->setAccessibleName(Text(write::kCountLabel));
  count_->setFixedWidth(96);
  count_->installEventFilter(this);
  auto* count = new QHBoxLayout;
  count->addWidget(count_label);
  count->addWidget(count_);
  count->addWidget(count_note_, 1);
  auto* moves = new QHBoxLayout;
  for (const Command command : {Command::kRun, Command::kStep, Command::kBack, Command::kRestart})
    moves->addWidget(Button(command));
  moves->addStretch(1);

  // The values and the output side by side, the rows of both programs side by side.
  values_->setAccessibleName(Text(write::kValuesLabel));
  values_->verticalHeader()->hide();
  values_->setHorizontalHeaderLabels({QStringLiteral("име"), QStringLiteral("стойност")});
  output_->setAccessibleName(Text(write::kOutputLabel));
  output_->setFocusPolicy(Qt::NoFocus);
  output_->setSelectionMode(QAbstractItemView::NoSelection);
  const std::array<const char*, 3> headings = lessons::steps::RowHeadings();
  QStringList columns;  // "по абсциса" on two lines, so that both tables fit side by side
  for (const char* heading : headings)
    columns << Text(heading).replace(QLatin1Char(' '), QLatin1Char('\n'));
  for (QTableWidget* rows : {your_rows_, lesson_rows_}) {
    rows->setHorizontalHeaderLabels(columns);
    rows->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    rows->horizontalHeader()->setStretchLastSection(false);
    rows->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  }
  for (QTableWidget* table : {values_, your_rows_, lesson_rows_})
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  your_rows_->setAccessibleName(Text(write::kYourRowsLabel));
  lesson_rows_->setAccessibleName(Text(write::kLessonRowsLabel));
  auto* seen = new QHBoxLayout;
  seen->addLayout(Headed(write::kValuesLabel, values_, this), 1);
  seen->addLayout(Headed(write::kOutputLabel, output_, this), 1);
  auto* rows = new QHBoxLayout;
  rows->addLayout(Headed(write::kYourRowsLabel, your_rows_, this), 1);
  rows->addLayout(Headed(write::kLessonRowsLabel, lesson_rows_, this), 1);
  auto* right = new QVBoxLayout;
  right->addLayout(count);
  right->addLayout(moves);
  right->addLayout(seen, 2);
  right->addLayout(rows, 3);
  right->addWidget(work_);

  auto* below = new QHBoxLayout;
  below->addLayout(left, 54);
  below->addSpacing(8);
  below->addLayout(right, 46);
  auto* page = new QVBoxLayout(this);
  page->addLayout(top);
  page->addLayout(below, 1);
  for (QLabel* line : {task_text_, verdict_, message_, work_, count_note_})
    line->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

  // The keyboard follows the page: the task and its check, the tools, the editor, N and the run.
  QWidget* previous = task_;
  const auto next = [this, &previous](QWidget* widget) {
    setTabOrder(previous, widget);
    previous = widget;
  };
  next(check);
  next(Button(Command::kShowSteps));
  for (QToolButton* sign : signs_)
    next(sign);
  for (QPushButton* button : {start_, open_, save_, help_})
    next(button);
  next(editor_);
  next(count_);
  for (const Command command : {Command::kRun, Command::kStep, Command::kBack, Command::kRestart})
    next(Button(command));

  checker_.setInterval(0);
  connect(&checker_, &QTimer::timeout, this, [this] { write_.CheckSome(); });
  ask_ = [this](const QString& question) {
    // "Не" is the default on every desktop: Enter alone keeps the pupil's text.
    return QMessageBox::question(this, Text(write::kTab), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  };
  FitFonts();
  Refresh();
}

// What depends on the page's font, which the lessons' window gives the page after making it: the
// editor's fixed-width face a little smaller than the page's, and the widths made for texts.
void WritePage::FitFonts() {
  QFont mono = font();
  mono.setFamily(QStringLiteral("Liberation Mono"));
  mono.setStyleHint(QFont::Monospace);
  mono.setPointSizeF(std::max(font().pointSizeF() - 2.5, 8.0));
  editor_->setFont(mono);
  for (QTextDocument* document : documents_)
    document->setDefaultFont(mono);
  // The tables a little smaller than the page, so that both programs' rows stand side by side.
  QFont small = font();
  small.setPointSizeF(std::max(font().pointSizeF() - 2, 8.0));
  for (QWidget* table : {static_cast<QWidget*>(values_), static_cast<QWidget*>(output_),
                         static_cast<QWidget*>(your_rows_), static_cast<QWidget*>(lesson_rows_)})
    table->setFont(small);
  const QFontMetrics metrics = fontMetrics();
  // The list of tasks as wide as a name with its star; the check's button as wide as its name
  // while it checks, "Спри проверката".
  int widest = 0;
  for (const write::Task& task : write::kTasks)
    widest = std::max(widest, metrics.horizontalAdvance(Text(task.name) + QStringLiteral(" ★")));
  task_->setMinimumWidth(widest + 40);
  QPushButton* check = Button(Command::kCheck);
  check->setMinimumWidth(metrics.horizontalAdvance(Text(write::kStopCheck)) + 24);
  for (QToolButton* sign : signs_)
    sign->setMinimumSize(std::max(sign->sizeHint().width(), 28), start_->sizeHint().height());
  // Room for two lines and a little more (a letter from another face may make a line taller), so
  // that a sentence of one line or two leaves the page as it was laid out.
  QLabel two_lines(QStringLiteral("Ж\nЖ"));
  two_lines.setFont(font());
  for (QLabel* said : {verdict_, message_, work_})
    said->setMinimumHeight(two_lines.sizeHint().height() + 4 + 2 * said->frameWidth());
  QFont bold = small;
  bold.setBold(true);
  values_->setColumnWidth(0,
                          QFontMetrics(bold).horizontalAdvance(QStringLiteral("BestFrame")) + 12);
  for (QTableWidget* table : {values_, your_rows_, lesson_rows_})
    table->verticalHeader()->setDefaultSectionSize(QFontMetrics(small).height() + 4);
}

void WritePage::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) FitFonts();
  QWidget::changeEvent(event);
}

void WritePage::TakeFocus() {
  editor_->setFocus();
}

void WritePage::Refresh() {
  for (int task = 0; task < task_->count(); ++task) {
    QString name = Text(write::kTasks[static_cast<size_t>(task)].name);
    if (write_.Star(task)) name += QStringLiteral(" ★");
    if (task_->itemText(task) != name) task_->setItemText(task, name);
  }
  if (task_->currentIndex() != write_.Task()) {
    const QSignalBlocker blocker(task_);
    task_->setCurrentIndex(write_.Task());
  }
  task_text_->setText(Text(write_.TaskText()));
  ShowText();
  editor_->Mark(write_.Marked(), write_.MarksError());
  message_->setText(Text(write_.Message()));
  counter_->setText(Text(write_.Counter()));

  count_->Show(Text(write_.TypedCount()));
  count_note_->setText(Text(write_.CountNote()));
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const auto command = static_cast<Command>(i);
    buttons_[i]->setEnabled(write_.Enabled(command));
    buttons_[i]->setText(Text(write_.Name(command)));
  }
  ShowValues();
  ShowOutput();
  ShowRows(your_rows_, write_.YourRows());
  ShowRows(lesson_rows_, write_.LessonRowsShown());
  work_->setText(Text(write_.Work()));
  verdict_->setText(Text(write_.Verdict()));
  verdict_->setVisible(!verdict_->text().isEmpty());
  if (write_.Checking() && !checker_.isActive()) checker_.start();
  if (!write_.Checking()) checker_.stop();
  Announce();
}

// The chosen task's text in its own document: the first time as the document's beginning, with
// nothing to undo; after that, where the core's text differs, put in so that undo brings back
// what was there.
void WritePage::ShowText() {
  showing_ = true;
  QTextDocument* document = documents_[static_cast<size_t>(write_.Task())];
  editor_->ShowDocument(document);
  const QString text = Text(write_.Text());
  if (EditorText(*editor_) != text) {
    if (document->isEmpty() && !document->isUndoAvailable() && !document->isRedoAvailable()) {
      document->setPlainText(text);
    } else {
      editor_->Replace(text);
    }
  }
  showing_ = false;
  // The editor keeps a line end of another kind as its own: the core takes its text as shown.
  const std::string shown = EditorText(*editor_).toStdString();
  if (shown != write_.Text()) write_.Edit(shown);
}

void WritePage::ShowValues() {
  const std::vector<language::Trace::Shown> values = write_.Values();
  values_->setRowCount(static_cast<int>(values.size()));
  for (int row = 0; row < static_cast<int>(values.size()); ++row) {
    const language::Trace::Shown& value = values[static_cast<size_t>(row)];
    const QString cells[] = {Text(value.name), value.changed
                                                   ? Text(value.value) + QStringLiteral("   ") +
                                                         Text(lessons::steps::kChanged)
                                                   : Text(value.value)};
    for (int column = 0; column < 2; ++column) {
      QTableWidgetItem* item = values_->item(row, column);
      if (item == nullptr) values_->setItem(row, column, item = new QTableWidgetItem);
      if (item->text() != cells[column]) item->setText(cells[column]);
      QFont font = item->font();
      if (font.bold() != value.changed) {
        font.setBold(value.changed);
        item->setFont(font);
      }
    }
  }
}

void WritePage::ShowOutput() {
  const std::vector<std::string> lines = write_.Output();
  const int count = static_cast<int>(lines.size());
  while (output_->count() > count)
    delete output_->takeItem(output_->count() - 1);
  for (int line = 0; line < count; ++line) {
    const QString text = Text(lines[static_cast<size_t>(line)]);
    if (line < output_->count()) {
      if (output_->item(line)->text() != text) output_->item(line)->setText(text);
    } else {
      output_->addItem(text);
    }
  }
  if (count > 0) output_->scrollToItem(output_->item(count - 1));
}

// The rows, each marked right or wrong where the task judges it, in words for a screen reader.
void WritePage::ShowRows(QTableWidget* table, const std::vector<write::ShownRow>& rows) {
  const int count = static_cast<int>(rows.size());
  table->setRowCount(count);
  for (int row = 0; row < count; ++row) {
    const write::ShownRow& shown = rows[static_cast<size_t>(row)];
    const auto mark = static_cast<size_t>(shown.mark);
    const QColor ink = shown.mark == write::Mark::kRight   ? kRightInk
                       : shown.mark == write::Mark::kWrong ? kWrongInk
                                                           : palette().color(QPalette::Text);
    QTableWidgetItem* number = table->verticalHeaderItem(row);
    if (number == nullptr) table->setVerticalHeaderItem(row, number = new QTableWidgetItem);
    const QString sign = Text(write::kMarkSigns[mark]);
    number->setText(sign.isEmpty() ? QString::number(row + 1)
                                   : QStringLiteral("%1 %2").arg(row + 1).arg(sign));
    number->setForeground(ink);
    const QString said = Text(write::kMarkWords[mark]);
    for (int column = 0; column < 3; ++column) {
      QTableWidgetItem* item = table->item(row, column);
      if (item == nullptr) table->setItem(row, column, item = new QTableWidgetItem);
      const QString text = Text(shown.texts[static_cast<size_t>(column)]);
      if (item->text() != text) item->setText(text);
      item->setForeground(ink);
      item->setData(Qt::AccessibleTextRole,
                    said.isEmpty() || column != 2 ? text : text + QStringLiteral(", ") + said);
    }
  }
  if (count > 0) table->scrollToItem(table->item(count - 1, 0));
}

// A screen reader hears what the page has said anew when it says it, its signs in words: the
// step's sentence or the error, and the verdict; the same words again too.
void WritePage::Announce() {
  const QString message = message_->text();
  const QString verdict = verdict_->text();
  if (write_.Sayings() != read_sayings_) {
    bool said = false;
    const QString spoken[] = {Text(write_.MessageSaid()), Text(write_.VerdictSaid())};
    int at = 0;
    for (QLabel* label : {message_, verdict_}) {
      if (label->accessibleName() != spoken[at]) {
        label->setAccessibleName(spoken[at]);
        said = true;
      }
      ++at;
    }
    if (!said && read_sayings_ >= 0) {
      QAccessibleEvent again(message_, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&again);
    }
    read_sayings_ = write_.Sayings();
  }
  if (verdict.isEmpty()) verdict_->setAccessibleName(QString());
  if (message.isEmpty()) message_->setAccessibleName(QString());
}

void WritePage::Start(int start) {
  if (write_.AsksBeforeReplacing() && !ask_(Text(write_.ReplaceQuestion()))) return;
  write_.StartFrom(start);
  editor_->setFocus();
}

void WritePage::AskToOpen() {
  const QString path = QFileDialog::getOpenFileName(this, Text(write::kOpenLabel).chopped(1),
                                                    folder_, Text(kFilter));
  if (!path.isEmpty()) OpenFile(path);
}

void WritePage::OpenFile(const QString& path) {
  folder_ = QFileInfo(path).absolutePath();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    write_.OpenFailed(Reason(file, false));
    return;
  }
  // No more than one byte past the largest file a page takes: enough to refuse a larger one.
  const QByteArray bytes = file.read(static_cast<qint64>(write::kLargestFile) + 1);
  if (file.error() != QFileDevice::NoError) {
    write_.OpenFailed(Reason(file, false));
    return;
  }
  const std::string_view text(bytes.constData(), static_cast<size_t>(bytes.size()));
  if (write::Write::Opens(text) && write_.AsksBeforeReplacing() &&
      !ask_(Text(write_.ReplaceQuestion()))) {
    return;
  }
  write_.Opened(text);
}

void WritePage::AskToSave() {
  QFileDialog dialog(this, Text(write::kSaveLabel).chopped(1),
                     folder_ + QLatin1Char('/') + Text(write_.FileName()), Text(kFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    SaveFile(dialog.selectedFiles().front());
}

void WritePage::SaveFile(const QString& path) {
  folder_ = QFileInfo(path).absolutePath();
  const std::string& text = write_.Text();
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) &&
      file.write(text.data(), static_cast<qint64>(text.size())) ==
          static_cast<qint64>(text.size()) &&
      file.commit()) {
    write_.Saved(QFileInfo(path).fileName().toStdString());
  } else {
    write_.SaveFailed(Reason(file, true));
  }
}

void WritePage::ShowHelp() {
  if (help_window_ == nullptr) help_window_ = new HelpWindow(this);
  help_window_->show();
  help_window_->raise();
  help_window_->activateWindow();
}

// Enter in the box of N runs the program.
bool WritePage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == count_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      write_.Press(Command::kRun);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace desktop
