// "Напиши програмата" on real Qt widgets: F6 opens it; a program typed, with a sign button, run
// and stepped with its line marked; an error shown at its place; a task checked right and wrong,
// and the steps of the wrong N; the texts kept across a restart; a file saved and opened again;
// the keys of the editor; the help.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <optional>
#include <vector>

#include "desktop/code_editor.h"
#include "desktop/help_window.h"
#include "desktop/number_box.h"
#include "desktop/picture_window.h"
#include "desktop/program.h"
#include "desktop/write_page.h"
#include "plain_text.h"
#include "qt_printing.h"

namespace {

namespace write = lessons::write;
using write::Command;

// The application data folder of a test of its own, where the program keeps the pupil's texts,
// for as long as the test runs.
struct OwnDataFolder {
  QTemporaryDir folder;
  QByteArray before = qgetenv("XDG_DATA_HOME");
  OwnDataFolder() { qputenv("XDG_DATA_HOME", folder.path().toUtf8()); }
  ~OwnDataFolder() { qputenv("XDG_DATA_HOME", before); }
};

const char* kStrip = "N ← броят на буквите\nред 1, N, 2N + 6\n";

class WritePage : public testing::Test {
 protected:
  void SetUp() override { Start(); }

  // The program started, and F6 pressed in its window, as a pupil opens the page.
  void Start() {
    program.emplace();
    program->Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->view));
    QApplication::setActiveWindow(&program->view);
    QTest::keyClick(&program->view, Qt::Key_F6);
    window = program->view.Picture();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QApplication::setActiveWindow(window);
    page = window->Write();
    editor = page->Editor();
  }

  // Types text into the editor key by key, as a keyboard does, a line end by Enter.
  void Type(const QString& text) {
    for (const QChar letter : text) {
      if (letter == QLatin1Char('\n')) {
        QTest::keyClick(editor, Qt::Key_Return);
        continue;
      }
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(letter));
      QApplication::sendEvent(editor, &press);
      QApplication::sendEvent(editor, &release);
    }
  }
  // A new text for the program, typed over the whole of the old one.
  void Retype(const QString& text) {
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    Type(text);
  }
  void Press(Command command) {
    QPushButton* button = page->Button(command);
    ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // Checks the task, and waits for the verdict, as the page's timer runs the check.
  void Check() {
    Press(Command::kCheck);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !program->lessons.write.Checking(); }, 30000));
  }
  std::string Said(const QLabel* label) const { return Spaced(label->text().toStdString()); }
  std::string Cell(const QTableWidget* table, int row, int column) const {
    return table->item(row, column)->text().toStdString();
  }
  // The marks in the editor: the marked line, and the text the place covers.
  int MarkedLine() const {
    const QList<QTextEdit::ExtraSelection> marks = editor->extraSelections();
    return marks.isEmpty() ? 0 : marks.front().cursor.block().blockNumber() + 1;
  }
  QString MarkedText() const {
    const QList<QTextEdit::ExtraSelection> marks = editor->extraSelections();
    return marks.size() < 2 ? QString() : marks[1].cursor.selectedText();
  }
  bool MarkedAsError() const {
    const QList<QTextEdit::ExtraSelection> marks = editor->extraSelections();
    return marks.size() == 2 && marks[1].format.underlineStyle() == QTextCharFormat::WaveUnderline;
  }
  QWidget* Focused() const { return QApplication::focusWidget(); }

  OwnDataFolder data;  // before the program, which keeps its texts there
  std::optional<desktop::Program> program;
  desktop::PictureWindow* window = nullptr;
  desktop::WritePage* page = nullptr;
  desktop::CodeEditor* editor = nullptr;
};

TEST_F(WritePage, F6OpensItWithTheEditorReadyAndTheWindowsCount) {
  EXPECT_EQ(window->Pages()->currentIndex(), 4);
  EXPECT_EQ(window->Pages()->tabText(4), "Напиши програмата");
  EXPECT_EQ(Focused(), editor);
  EXPECT_EQ(editor->accessibleName(), "Програмата ти");
  EXPECT_EQ(editor->toPlainText(), "N ← броят на буквите\nпокажи N\n");
  EXPECT_EQ(page->Count()->Text(), "70");
  EXPECT_EQ(page->Task()->currentText(), "Лентата");
  EXPECT_EQ(Said(page->TaskText()),
            "Напиши програма, която записва точно един ред: лентата 1 × N и рамката ѝ. За N = "
            "70: 1, 70, 146.");
  EXPECT_EQ(page->Sign(0)->accessibleName(), "Вмъкни ← (става)");
  EXPECT_EQ(page->YourRows()->accessibleName(), "Твоята програма");
  EXPECT_EQ(page->LessonRows()->horizontalHeaderItem(1)->text(), "по\nордината");
  EXPECT_FALSE(page->Button(Command::kBack)->isEnabled());
  EXPECT_FALSE(page->Button(Command::kShowSteps)->isEnabled());
}

// A program typed with the arrow from its button, run to the end for 70 beside the lesson's.
TEST_F(WritePage, AProgramTypedWithASignButtonRunsBesideTheLessons) {
  Retype("N ");
  QTest::mouseClick(page->Sign(0), Qt::LeftButton);
  EXPECT_EQ(Focused(), editor);  // the focus back where the pupil types
  Type(" броят на буквите\n");
  Type(QString::fromUtf8(write::kEverySideText).section(QLatin1Char('\n'), 1));
  EXPECT_EQ(program->lessons.write.Text(), write::kEverySideText);
  Press(Command::kRun);
  EXPECT_EQ(Said(page->Work()),
            "Твоята програма: 69 деления, 292 стъпки. Програмата от урока: 106 деления, 348 "
            "стъпки.");
  EXPECT_EQ(Said(page->Counter()), "стъпка 292 от 292");
  EXPECT_TRUE(Said(page->Message()).ends_with("Програмата свърши.")) << Said(page->Message());
  ASSERT_EQ(page->YourRows()->rowCount(), 7);
  ASSERT_EQ(page->LessonRows()->rowCount(), 4);
  EXPECT_EQ(Cell(page->LessonRows(), 3, 2), "38");
  EXPECT_EQ(Cell(page->YourRows(), 6, 0), "7");
  // "Лентата" wants one row: the last one is marked wrong, in words too; the others not at all.
  EXPECT_EQ(page->YourRows()->verticalHeaderItem(6)->text(), "7 ✗");
  EXPECT_EQ(page->YourRows()->item(6, 2)->data(Qt::AccessibleTextRole).toString(),
            "38, грешен ред");
  EXPECT_EQ(page->YourRows()->verticalHeaderItem(0)->text(), "1");
  // For "Най-малката рамка" the same last row is right.
  page->Task()->setCurrentIndex(1);
  Retype(QString::fromUtf8(write::kEverySideText));
  Press(Command::kRun);
  EXPECT_EQ(page->YourRows()->verticalHeaderItem(6)->text(), "7 ✓");
}

TEST_F(WritePage, AStepMarksItsLineAndTheValueItChanged) {
  Retype(QString::fromUtf8(write::kEverySideText));
  for (int step = 0; step < 6; ++step)
    Press(Command::kStep);
  EXPECT_EQ(Said(page->Counter()), "стъпка 6 от 292");
  EXPECT_EQ(Said(page->Message()), "b става (70 + 2 − 1) div 2 = 35.");
  // Read out, its signs in words.
  EXPECT_EQ(Spaced(page->Message()->accessibleName().toStdString()),
            "b става (70 плюс 2 минус 1) div 2 е 35.");
  EXPECT_EQ(MarkedLine(), 4);
  EXPECT_EQ(MarkedText(), "b ← (N + a − 1) div a");
  EXPECT_FALSE(MarkedAsError());
  const QTableWidget* values = page->Values();
  ASSERT_EQ(values->rowCount(), 5);
  EXPECT_EQ(Cell(values, 3, 0), "b");
  EXPECT_EQ(Cell(values, 3, 1), "35   ← нова стойност");
  EXPECT_TRUE(values->item(3, 1)->font().bold());
  EXPECT_FALSE(values->item(2, 1)->font().bold());
  EXPECT_EQ(page->YourRows()->rowCount(), 1);
  Press(Command::kBack);
  EXPECT_EQ(MarkedLine(), 3);
  EXPECT_EQ(Said(page->Counter()), "стъпка 5 от 292");
  // An edit ends the stepping and takes the marks away.
  editor->setFocus();
  QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
  Type("покажи N\n");
  EXPECT_EQ(MarkedLine(), 0);
  EXPECT_EQ(page->Counter()->text(), "");
  EXPECT_EQ(page->YourRows()->rowCount(), 0);
  EXPECT_FALSE(page->Button(Command::kBack)->isEnabled());
}

TEST_F(WritePage, AnErrorPutsTheCaretAtItsPlaceAndSaysWhy) {
  Retype("N ← броят на буквите\nпокажи N\nа ← 70 / 2\n");
  Press(Command::kRun);
  EXPECT_EQ(Said(page->Message()),
            "Ред 3: За деление пиши div (цялото частно) или mod (остатъка); за умножение пиши × "
            "или *.");
  EXPECT_EQ(MarkedLine(), 3);
  EXPECT_TRUE(MarkedAsError());
  EXPECT_EQ(MarkedText(), "/");
  EXPECT_EQ(editor->textCursor().blockNumber(), 2);
  EXPECT_EQ(editor->textCursor().positionInBlock(), 7);
  EXPECT_EQ(page->Message()->accessibleName(), page->Message()->text());
  // A run-time error, after the steps before it.
  Retype("N ← броят на буквите\nx ← 1 div (N − 70)\n");
  Press(Command::kRun);
  EXPECT_TRUE(Said(page->Message()).starts_with("Ред 2: не може да се дели на 0"))
      << Said(page->Message());
  EXPECT_EQ(MarkedLine(), 2);
  EXPECT_TRUE(MarkedAsError());
  EXPECT_EQ(editor->textCursor().blockNumber(), 1);
  EXPECT_EQ(page->Work()->text(), "");
}

// A right program earns the task its star; a wrong one is shown at its first wrong N.
TEST_F(WritePage, ATaskCheckedRightAndWrongAndTheStepsOfItsWrongN) {
  Retype(kStrip);
  Press(Command::kCheck);
  EXPECT_TRUE(Said(page->Verdict()).starts_with("Проверени ")) << Said(page->Verdict());
  EXPECT_EQ(page->Button(Command::kCheck)->text(), "Спри проверката");
  ASSERT_TRUE(QTest::qWaitFor([this] { return !program->lessons.write.Checking(); }, 30000));
  EXPECT_TRUE(
      Said(page->Verdict()).starts_with("Вярно за всяко N от 1 до 1000 и за 16130 и 16380."))
      << Said(page->Verdict());
  EXPECT_EQ(page->Verdict()->accessibleName().toStdString(), program->lessons.write.VerdictSaid());
  EXPECT_EQ(page->Button(Command::kCheck)->text(), "Провери задачата");
  EXPECT_EQ(page->Task()->itemText(0), "Лентата ★");
  EXPECT_FALSE(page->Button(Command::kShowSteps)->isEnabled());

  Retype(QString::fromUtf8(write::kEverySideText));
  Check();
  EXPECT_TRUE(Said(page->Verdict())
                  .starts_with("Грешно за N = 4: записа 2 реда, а трябва точно един: 1, 4, 14."))
      << Said(page->Verdict());
  ASSERT_TRUE(page->Button(Command::kShowSteps)->isEnabled());
  Press(Command::kShowSteps);
  EXPECT_EQ(page->Count()->Text(), "4");
  EXPECT_EQ(Said(page->Message()), "В таблицата се записва 2, 2, 12.");
  EXPECT_EQ(MarkedLine(), 5);
  EXPECT_EQ(page->YourRows()->rowCount(), 2);
  EXPECT_EQ(page->Task()->itemText(0), "Лентата ★");  // the star stays
}

TEST_F(WritePage, StartingAnewAsksAndUndoBringsTheOldTextBack) {
  QStringList asked;
  page->SetQuestion([&asked](const QString& question) {
    asked << question;
    return true;
  });
  Retype("покажи 1\n");
  page->StartButton()->menu()->actions()[1]->trigger();  // "всяка страна"
  ASSERT_EQ(asked.size(), 1);
  EXPECT_TRUE(asked.front().startsWith("Да заменя ли програмата ти?"));
  EXPECT_EQ(editor->toPlainText(), write::kEverySideText);
  EXPECT_EQ(Focused(), editor);
  QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor->toPlainText(), "покажи 1\n");
  EXPECT_EQ(program->lessons.write.Text(), "покажи 1\n");
  // Answered no, nothing changes; an empty page is not asked about.
  page->SetQuestion([&asked](const QString& question) {
    asked << question;
    return false;
  });
  page->StartButton()->menu()->actions()[2]->trigger();
  EXPECT_EQ(editor->toPlainText(), "покажи 1\n");
  EXPECT_EQ(asked.size(), 2);
  Retype(" \n");
  page->StartButton()->menu()->actions()[2]->trigger();
  EXPECT_EQ(asked.size(), 2);
  EXPECT_EQ(program->lessons.write.Text(), write::LessonText());
}

// Each task keeps its text, as typed, in the data folder, and has it back at the next start.
TEST_F(WritePage, TheTextsAreKeptAcrossARestart) {
  Retype("покажи 1    # първата\n");
  page->Task()->setCurrentIndex(2);
  EXPECT_EQ(editor->toPlainText(), "N ← броят на буквите\nпокажи N\n");
  Retype("покажи 3\n");
  program.reset();  // the program closed
  const QDir kept(data.folder.path() + "/ramka/programs");
  EXPECT_TRUE(kept.exists("task-1.txt"));
  EXPECT_FALSE(kept.exists("task-2.txt"));
  EXPECT_TRUE(kept.exists("task-3.txt"));
  Start();
  EXPECT_EQ(editor->toPlainText(), "покажи 1    # първата\n");
  page->Task()->setCurrentIndex(2);
  EXPECT_EQ(editor->toPlainText(), "покажи 3\n");
  // A task's own undo: nothing of the other task's text comes back into it.
  EXPECT_FALSE(editor->document()->isUndoAvailable());
}

TEST_F(WritePage, AFileSavedOpensAgainAndABadOneIsRefused) {
  const QTemporaryDir folder;
  page->SetQuestion([](const QString&) { return true; });
  Retype(kStrip);
  const QString path = folder.filePath("Лентата.txt");
  page->SaveFile(path);
  EXPECT_EQ(Said(page->Message()), "Програмата е запазена във файла „Лентата.txt“.");
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll().toStdString(), kStrip);
  Retype("покажи 2\n");
  page->OpenFile(path);
  EXPECT_EQ(editor->toPlainText(), kStrip);
  QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor->toPlainText(), "покажи 2\n");

  // Refused without asking, the text as it was.
  page->SetQuestion([](const QString&) -> bool {
    ADD_FAILURE() << "asked about a file that cannot be opened";
    return true;
  });
  const QString binary = folder.filePath("picture.txt");
  QFile bytes(binary);
  ASSERT_TRUE(bytes.open(QIODevice::WriteOnly));
  bytes.write("\x89PNG\r\n\x1A\n\xFF", 9);
  bytes.close();
  page->OpenFile(binary);
  EXPECT_EQ(Said(page->Message()),
            "Файлът не е текст в UTF-8, затова не е отворен. Програмата ти е непокътната.");
  page->OpenFile(folder.filePath("няма го.txt"));
  EXPECT_EQ(Said(page->Message()),
            "Файлът не е отворен: файлът не може да се отвори. Програмата ти е непокътната.");
  EXPECT_EQ(editor->toPlainText(), "покажи 2\n");
  page->SaveFile(folder.filePath("няма/такава папка.txt"));
  EXPECT_EQ(Said(page->Message()),
            "Програмата не е запазена: файлът не може да се създаде там. Текстът ти е "
            "непокътнат тук.");
  EXPECT_EQ(program->lessons.write.Text(), "покажи 2\n");
}

TEST_F(WritePage, TabPutsInFourBlanksAndEscapeThenTabLeavesTheEditor) {
  Retype("за i от 1 до 3\n");
  QTest::keyClick(editor, Qt::Key_Tab);
  Type("покажи i");
  EXPECT_EQ(program->lessons.write.Text(), "за i от 1 до 3\n    покажи i");
  // Escape keeps the window open; a letter after it takes the leave back.
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(editor->Leaving());
  QTest::keyClick(editor, Qt::Key_Home);
  EXPECT_FALSE(editor->Leaving());
  QTest::keyClick(editor, Qt::Key_Tab);
  EXPECT_EQ(Focused(), editor);
  EXPECT_EQ(program->lessons.write.Text(), "за i от 1 до 3\n        покажи i");
  // Escape, then Tab: on to N; Escape, then Shift+Tab: back to the help's button.
  QTest::keyClick(editor, Qt::Key_Escape);
  QTest::keyClick(editor, Qt::Key_Tab);
  EXPECT_EQ(Focused(), page->Count());
  editor->setFocus();
  QTest::keyClick(editor, Qt::Key_Escape);
  QTest::keyClick(editor, Qt::Key_Shift);
  QTest::keyClick(editor, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Focused(), page->HelpButton());
  EXPECT_EQ(program->lessons.write.Text(), "за i от 1 до 3\n        покажи i");
  // The keyboard follows the page: the task and its check, the editor's tools, the editor, N and
  // the run; buttons that cannot act now are passed over.
  page->Task()->setFocus();
  std::vector<QWidget*> order = {page->Task(), page->Button(Command::kCheck)};
  for (size_t sign = 0; sign < write::kSigns.size(); ++sign)
    order.push_back(page->Sign(sign));
  order.insert(order.end(), {page->StartButton(), page->OpenButton(), page->SaveButton(),
                             page->HelpButton(), editor});
  for (QWidget* next : order) {
    EXPECT_EQ(Focused(), next) << next->accessibleName().toStdString();
    if (Focused() == editor) QTest::keyClick(editor, Qt::Key_Escape);
    QTest::keyClick(Focused(), Qt::Key_Tab);
  }
  EXPECT_EQ(Focused(), page->Count());
  QTest::keyClick(Focused(), Qt::Key_Tab);
  EXPECT_EQ(Focused(), page->Button(Command::kRun));
  // Enter in the box of N runs the program.
  page->Count()->setFocus();
  QTest::keyClick(page->Count(), Qt::Key_Return);
  EXPECT_EQ(page->Output()->count(), 3);
  EXPECT_EQ(page->Output()->item(2)->text(), "i = 3");
}

TEST_F(WritePage, TheHelpShowsTheLanguageAndClosesOnEscape) {
  QTest::mouseClick(page->HelpButton(), Qt::LeftButton);
  desktop::HelpWindow* help = page->Help();
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  EXPECT_EQ(help->windowTitle(), "Какво може езикът");
  const QString text = help->Reference()->toPlainText();
  EXPECT_TRUE(text.startsWith("Числата\n")) << text.left(40).toStdString();
  EXPECT_TRUE(
      text.contains("За да излезеш от редактора с клавиатурата, натисни Esc, а после Таб."));
  // The parts' names are headings; the examples keep their blanks, in a fixed-width face.
  EXPECT_EQ(help->Reference()->document()->firstBlock().blockFormat().headingLevel(), 3);
  EXPECT_TRUE(desktop::HelpWindow::Html("Частта\n\nТекст.\n\n    x ← 5    # пет")
                  .contains("<pre style=\"font-family: 'Liberation Mono', monospace\">x ← 5    "
                            "# пет</pre>"));
  QApplication::setActiveWindow(help);
  QTest::keyClick(help->Reference(), Qt::Key_Escape);
  EXPECT_FALSE(help->isVisible());
  EXPECT_TRUE(window->isVisible());
}

}  // namespace
