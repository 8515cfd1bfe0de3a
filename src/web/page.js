// The page: binds the window's elements, which the page brings already made from the layout
// table, to the core's form, which alone holds the window's state. What a user does becomes the
// form's user-side entry; every change the form reports shows in its element at once.
"use strict";

(async () => {
  // The elements of the controls, by control array and index.
  const controls = {};
  for (const element of document.querySelectorAll("#window [data-control]")) {
    const [, name, index] = element.dataset.control.match(/^(\w+)\((\d+)\)$/);
    (controls[name] ??= [])[Number(index)] =
      element.dataset.kind === "option" ? element.querySelector("input") : element;
  }

  // What the form reports, shown in the page.
  const page = {
    textChanged(box, text) {
      if (controls.Text2[box].value !== text) controls.Text2[box].value = text;
      pictureChanged();  // the letters may now be numbered, or the mantra's
    },
    enabledChanged(box, enabled) {
      controls.Text2[box].disabled = !enabled;
    },
    valueChanged(option, selected) {
      controls.Option1[option].checked = selected;
      pictureChanged();
    },
    listCleared(list) {
      controls.List1[list].replaceChildren();
      pictureChanged();
    },
    itemAdded(list, item) {
      controls.List1[list].append(new Option(item));
    },
    listIndexChanged(list, row) {
      controls.List1[list].selectedIndex = row;
      pictureChanged();
    },
    errorReported(message) {
      showError(message);
    },
    stepsChanged() {
      stepsChanged();
    },
    practiceChanged() {
      practiceChanged();
    },
    changeChanged() {
      changeChanged();
    },
    writeChanged() {
      writeChanged();
    },
    // A task's text kept for the next visit; where the storage is full or refused, the text
    // stays on the page all the same.
    writeKept(task, text) {
      try {
        localStorage.setItem(`ramka-write-${task}`, text);
      } catch {
        // kept in the page alone
      }
    },
  };

  // The window is painted first, as the page brings it; the core loads right after.
  await new Promise((painted) => requestAnimationFrame(() => setTimeout(painted)));
  // The core comes compressed in ramka-core.js: Base64 text of its gzip, unpacked here.
  const packed = Uint8Array.from(atob(ramkaCore), (character) => character.charCodeAt(0));
  const wasmBinary = new Uint8Array(await new Response(
    new Blob([packed]).stream().pipeThrough(new DecompressionStream("gzip"))).arrayBuffer());
  const core = await createRamka({ page, wasmBinary });

  // Passes a text to the core on its heap, whatever its length.
  function withText(text, call) {
    const size = core.lengthBytesUTF8(text) + 1;
    const pointer = core._malloc(size);
    try {
      core.stringToUTF8(text, pointer, size);
      return call(pointer);
    } finally {
      core._free(pointer);
    }
  }

  // Passes bytes to the core on its heap with their number: a pupil's text may hold any character,
  // a file any byte. And the text of bytes on the core's heap.
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  function withBytes(bytes, call) {
    const pointer = core._malloc(bytes.length + 1);
    try {
      core.HEAPU8.set(bytes, pointer);
      return call(pointer, bytes.length);
    } finally {
      core._free(pointer);
    }
  }
  const textAt = (pointer, size) => decoder.decode(core.HEAPU8.subarray(pointer, pointer + size));

  // The UTF-16 offset of the character at `characters` in `text`.
  function offsetOf(text, characters) {
    let offset = 0;
    for (const character of text) {
      if (characters-- <= 0) break;
      offset += character.length;
    }
    return offset;
  }

  // An error that reached the top of an event: a modal box over the window, which goes on once
  // it is dismissed.
  const errorBox = document.getElementById("error");
  function showError(message) {
    document.getElementById("error-text").textContent = message;
    if (!errorBox.open) errorBox.showModal();
  }

  // What a user does with each of the form's controls. Each edit of an input box goes to the
  // form, which counts its limit in characters; when it keeps less than was typed or pasted, the
  // box shows what it kept, the caret where it says.
  controls.Text2.forEach((box, index) => {
    const edit = () => {
      const proposed = box.value;
      const caret = withText(proposed, (text) => core._ramka_user_edit(index, text));
      const kept = core.UTF8ToString(core._ramka_text(index));
      if (kept !== proposed) {
        box.value = kept;
        const offset = offsetOf(kept, caret);
        box.setSelectionRange(offset, offset);
      }
    };
    box.addEventListener("input", (event) => { if (!event.isComposing) edit(); });
    box.addEventListener("compositionend", edit);
  });
  controls.Option1.forEach((option, index) => option.addEventListener("change", () => {
    if (!option.checked) return;
    core._ramka_user_choose(index);
    controls.Option1.forEach((each, i) => { each.checked = core._ramka_option_value(i) !== 0; });
  }));
  controls.List1.forEach((list, index) => list.addEventListener("change", () => {
    core._ramka_user_select(index, list.selectedIndex);
    list.selectedIndex = core._ramka_list_index(index);  // the form decides
  }));
  controls.Command1.forEach((button, index) => {
    button.addEventListener("click", () => core._ramka_user_click(index));
  });
  // No button is pressed by Enter; Space presses the focused one, as on the desktop.
  for (const button of document.querySelectorAll("#window button")) {
    button.addEventListener("keydown", (event) => {
      if (event.key === "Enter") event.preventDefault();
    });
  }

  // The picture of the selected row, in a panel beside the window, drawn by the core as SVG for
  // the panel's size. It follows every change of the form, once each change has run its course;
  // the focus stays where it was.
  const picture = document.getElementById("picture");
  const drawing = document.getElementById("picture-drawing");
  const words = document.getElementById("picture-words");
  let redraw = false;
  let drawnSize = "";
  function drawPicture() {
    redraw = false;
    if (picture.hidden) return;
    const [width, height] = [drawing.clientWidth, drawing.clientHeight];
    drawnSize = `${width}×${height}`;
    const svg = core.UTF8ToString(core._ramka_picture(width, height));
    const text = core.UTF8ToString(core._ramka_picture_words());
    drawing.innerHTML = svg;
    drawing.setAttribute("aria-label", text);
    if (words.textContent !== text) words.textContent = text;  // read out politely
  }
  function pictureChanged() {
    if (picture.hidden || redraw) return;
    redraw = true;
    queueMicrotask(drawPicture);
  }
  function openPicture() {
    picture.hidden = false;
    drawPicture();
    stepsChanged();  // where the steps page is the one chosen
    practiceChanged();  // or the practice
    changeChanged();  // or the program changed
    performance.mark("picture");
  }
  function closePicture() {
    picture.hidden = true;
    core._ramka_step_stop();
  }
  controls.List1.forEach((list) => {
    list.addEventListener("dblclick", () => { if (list.selectedIndex >= 0) openPicture(); });
    list.addEventListener("keydown", (event) => {
      if (event.key === "Enter" && list.selectedIndex >= 0) {
        event.preventDefault();
        openPicture();
      }
    });
  });
  document.getElementById("picture-close").addEventListener("click", closePicture);
  document.addEventListener("keydown", (event) => {
    if (event.key === "Escape" && !picture.hidden && !document.querySelector("dialog[open]")) {
      closePicture();
    }
  });
  new ResizeObserver(() => {
    if (`${drawing.clientWidth}×${drawing.clientHeight}` !== drawnSize) pictureChanged();
  }).observe(drawing);

  // The panel's two pages, as tabs: a click or the arrow keys on the focused tab choose one.
  const tabs = [...document.querySelectorAll("#picture-tabs [role=tab]")];
  const panels = tabs.map((tab) => document.getElementById(tab.getAttribute("aria-controls")));
  function choosePage(chosen, focus) {
    tabs.forEach((tab, index) => {
      const selected = index === chosen;
      tab.setAttribute("aria-selected", String(selected));
      tab.tabIndex = selected ? 0 : -1;
      panels[index].hidden = !selected;
    });
    document.getElementById("picture-title").textContent = tabs[chosen].dataset.title;
    picture.classList.toggle("steps-open", chosen === 1);
    picture.classList.toggle("practice-open", chosen === 2);
    picture.classList.toggle("change-open", chosen === 3);
    picture.classList.toggle("write-open", chosen === 4);
    if (focus) tabs[chosen].focus();
    if (chosen === 1) {
      drawSteps();
    } else {
      core._ramka_step_stop();
      pictureChanged();
    }
    if (chosen === 2) drawPractice();
    if (chosen === 3) {
      core._ramka_change_open();  // its N starts with the window's count
      drawChange();
    }
    if (chosen === 4) {
      core._ramka_write_open();  // likewise
      drawWrite();
    }
  }
  tabs.forEach((tab, index) => {
    tab.addEventListener("click", () => choosePage(index, false));
    tab.addEventListener("keydown", (event) => {
      const moves = { ArrowLeft: index - 1, ArrowRight: index + 1, Home: 0, End: tabs.length - 1 };
      if (!(event.key in moves)) return;
      event.preventDefault();
      choosePage((moves[event.key] + tabs.length) % tabs.length, true);
    });
  });

  // The steps page: each step as the core gives it, drawn once per change, once that change has
  // run its course; while the steps play, a timer moves them on.
  const stepsPage = panels[1];
  const program = [...document.querySelectorAll("#steps-program li")];
  const values = document.querySelector("#steps-values tbody");
  const sentence = document.getElementById("steps-sentence");
  const announced = document.getElementById("steps-announced");
  const rows = document.querySelector("#steps-rows tbody");
  const stepDrawing = document.getElementById("steps-drawing");
  const stepWords = document.getElementById("steps-drawing-words");
  const commands = [...stepsPage.querySelectorAll("button[data-command]")];
  const speed = document.getElementById("steps-speed");
  const counter = document.getElementById("steps-counter");
  let stepsRedraw = false;
  let shownRows = "";
  let player = null;
  let playerTick = 0;
  function drawSteps() {
    stepsRedraw = false;
    if (picture.hidden || stepsPage.hidden) return;
    const step = JSON.parse(core.UTF8ToString(core._ramka_step()));
    program.forEach((line, index) => {
      if (index + 1 === step.line) line.setAttribute("aria-current", "step");
      else line.removeAttribute("aria-current");
    });
    values.replaceChildren(...step.values.map(([name, text, changed, meaning]) => {
      const row = document.createElement("tr");
      if (changed) row.className = "changed";
      const value = changed ? `${text}   ${step.mark}` : text;
      for (const [cell, content] of [["th", name], ["td", value], ["td", meaning]]) {
        const element = document.createElement(cell);
        element.textContent = content;
        if (cell === "th") element.scope = "row";
        row.append(element);
      }
      return row;
    }));
    sentence.textContent = step.sentence;
    if (step.announced && announced.textContent !== step.sentence) {
      announced.textContent = step.sentence;  // read out politely
    }
    const rowsKey = `${step.run} ${step.rows[2].length} ${step.rows[0].length} ${step.marked}`;
    if (rowsKey !== shownRows) {
      shownRows = rowsKey;
      const count = Math.max(...step.rows.map((column) => column.length));
      const shown = [];
      for (let row = 0; row < count; ++row) {
        const line = document.createElement("tr");
        if (row === step.marked) line.setAttribute("aria-current", "true");
        const number = document.createElement("th");
        number.scope = "row";
        number.textContent = String(row + 1);
        line.append(number);
        for (const column of step.rows) {
          const cell = document.createElement("td");
          cell.textContent = column[row] ?? "";
          line.append(cell);
        }
        shown.push(line);
      }
      rows.replaceChildren(...shown);
      rows.querySelector("[aria-current]")?.scrollIntoView({ block: "nearest" });
    }
    const [width, height] = [stepDrawing.clientWidth, stepDrawing.clientHeight];
    stepDrawing.innerHTML = core.UTF8ToString(core._ramka_step_picture(width, height));
    stepDrawing.setAttribute("aria-label", step.rectangle);
    stepWords.textContent = step.rectangle;
    counter.textContent = step.counter;
    commands.forEach((button, index) => {
      // A button that goes out of use hands the focus to the page, whose keys go on working.
      if (!step.enabled[index] && document.activeElement === button) stepsPage.focus();
      button.disabled = !step.enabled[index];
    });
    commands[6].textContent = step.play;
    speed.value = String(step.speed);
    if (step.playing && (player === null || playerTick !== step.tick)) {
      clearInterval(player);
      player = setInterval(() => core._ramka_step_tick(), step.tick);
      playerTick = step.tick;
    } else if (!step.playing && player !== null) {
      clearInterval(player);
      player = null;
    }
    performance.mark("step");
  }
  function stepsChanged() {
    if (picture.hidden || stepsPage.hidden || stepsRedraw) return;
    stepsRedraw = true;
    queueMicrotask(drawSteps);
  }
  commands.forEach((button, index) => {
    button.addEventListener("click", () => core._ramka_step_command(index));
  });
  speed.addEventListener("change", () => core._ramka_step_speed(Number(speed.value)));
  // The page's keys, wherever the focus is in it; Space on a focused button presses the button.
  const stepKeys = ["ArrowLeft", "ArrowRight", "Home", "End", "PageUp", "PageDown", " "];
  stepsPage.addEventListener("keydown", (event) => {
    const key = stepKeys.indexOf(event.key);
    if (key < 0 || event.altKey || event.ctrlKey || event.metaKey) return;
    if (event.target.closest("select")) return;  // the speed list keeps its own keys
    if (event.key === " " && event.target.closest("button")) return;
    if (core._ramka_step_key(key)) event.preventDefault();
  });
  new ResizeObserver(() => stepsChanged()).observe(stepDrawing);

  // "Опитай сам": the practice as the core gives it, drawn once per change, once that change has
  // run its course; what the pupil does goes to the core, and the focus where it says.
  const practicePage = panels[2];
  const level = document.getElementById("practice-level");
  const sides = ["across", "down", "frame"].map((side) => document.getElementById(`practice-${side}`));
  const frameParts = [...practicePage.querySelectorAll(".practice-frame")];  // its box and note
  const listed = document.getElementById("practice-listed");
  const practiceButtons = [...practicePage.querySelectorAll("button[data-button]")];
  const shown = Object.fromEntries(["progress", "task", "proverb", "verdict", "drawing", "line",
    "chart", "sentence", "description", "score", "best"].map((id) =>
    [id, document.getElementById(`practice-${id}`)]));
  const showNote = document.getElementById("practice-show-note");
  let practiceRedraw = false;
  let practice = null;
  let drawnPractice = "";
  let drawnChart = "";
  function drawPractice() {
    practiceRedraw = false;
    if (picture.hidden || practicePage.hidden) return;
    practice = JSON.parse(core.UTF8ToString(core._ramka_practice()));
    level.value = String(practice.level);
    shown.progress.textContent = practice.progress;
    shown.task.textContent = practice.task;
    shown.proverb.textContent = practice.proverb;
    shown.proverb.hidden = practice.proverb === "";
    frameParts.forEach((part) => { part.hidden = !practice.tracing || !practice.boxes; });
    sides.forEach((box, index) => {
      if (box.value !== practice.typed[index]) box.value = practice.typed[index];  // as typed
      box.disabled = !practice.sides;
    });
    sides[0].closest(".practice-sides").hidden = !practice.boxes;
    practiceButtons.forEach((button, index) => {
      button.disabled = !practice.enabled[index];
      button.hidden = !practice.shown[index];
    });
    showNote.textContent = practice.showNote;  // what the way to the program will change
    showNote.hidden = practiceButtons[practiceButtons.length - 1].hidden;
    // Read out politely when a check gives a verdict, the same words again too.
    if (shown.verdict.textContent !== practice.verdict || shown.verdict.dataset.checks !==
        String(practice.checks)) {
      shown.verdict.textContent = "";
      shown.verdict.textContent = practice.verdict;
      shown.verdict.dataset.checks = String(practice.checks);
    }
    shown.verdict.hidden = practice.done;
    // The drawing and the chart are drawn again only where what they show, or their size, changed.
    const drawing = shown.drawing;
    drawing.hidden = practice.done;
    const drawingKey = `${practice.task} ${practice.proverb} ${practice.drawing} ${drawing.clientWidth}×${drawing.clientHeight}`;
    if (drawingKey !== drawnPractice) {
      drawnPractice = drawingKey;
      drawing.innerHTML = core.UTF8ToString(
        core._ramka_practice_drawing(drawing.clientWidth, drawing.clientHeight));
    }
    drawing.setAttribute("aria-label", practice.drawing || practice.line);
    shown.line.textContent = practice.line;
    const chart = shown.chart;
    chart.hidden = practice.chart === "";
    const chartKey = `${practice.description} ${chart.clientWidth}×${chart.clientHeight}`;
    if (chartKey !== drawnChart) {
      drawnChart = chartKey;
      chart.innerHTML = core.UTF8ToString(core._ramka_practice_chart(chart.clientWidth,
                                                                      chart.clientHeight));
    }
    shown.sentence.textContent = practice.chart;
    listed.hidden = !practice.tracing || practice.done;
    chart.closest("figure").hidden = practice.tracing;
    const rowsKey = JSON.stringify(practice.listed);
    if (listed.dataset.rows !== rowsKey) {
      listed.dataset.rows = rowsKey;
      listed.querySelector("tbody").replaceChildren(...practice.listed.map((row) => {
        const line = document.createElement("tr");
        for (const value of row) line.append(Object.assign(document.createElement("td"),
                                                            { textContent: String(value) }));
        return line;
      }));
    }
    shown.description.textContent = practice.description;
    shown.score.textContent = practice.done ? `${practice.score}  ${practice.stars}` : "";
    if (practice.said) {
      shown.score.setAttribute("aria-label", practice.said);
    } else {
      shown.score.removeAttribute("aria-label");
    }
    shown.best.textContent = practice.best;
    performance.mark("practice");
  }
  function practiceChanged() {
    if (picture.hidden || practicePage.hidden || practiceRedraw) return;
    practiceRedraw = true;
    queueMicrotask(() => { if (practiceRedraw) drawPractice(); });  // not drawn since
  }
  // A button of the practice pressed; the focus then goes where the practice says, at once.
  function pressPractice(index) {
    if (index === practiceButtons.length - 1) {  // "Виж как го намира програмата"
      if (core._ramka_practice_press(index)) choosePage(1, true);
      return;
    }
    core._ramka_practice_press(index);
    drawPractice();
    const focus = [sides[0], practiceButtons[2], practiceButtons[3], practiceButtons[4]];
    focus[practice.focus]?.focus();
    if (practice.focus === 0) sides[0].select();
  }
  practiceButtons.forEach((button, index) => {
    button.addEventListener("click", () => pressPractice(index));
  });
  level.addEventListener("change", () => core._ramka_practice_level(Number(level.value)));
  // A box that keeps what is typed: it goes to the core as it stands, the arrows and the page keys
  // step the number, and the focus selects it all, so that what is typed replaces it.
  const stepKeysOf = { ArrowUp: 1, ArrowDown: -1, PageUp: 10, PageDown: -10 };
  function numberBox(box, type, step, draw) {
    box.addEventListener("input", () => withText(box.value, type));
    box.addEventListener("keydown", (event) => {
      if (!(event.key in stepKeysOf) || event.altKey || event.ctrlKey || event.metaKey) return;
      event.preventDefault();
      step(stepKeysOf[event.key]);
      draw();
      box.select();
    });
    box.addEventListener("focus", () => box.select());
  }
  sides.forEach((box, index) => {
    numberBox(box, (text) => core._ramka_practice_type(index, text),
              (by) => core._ramka_practice_step(index, by), drawPractice);
    box.addEventListener("keydown", (event) => {
      if (event.key !== "Enter") return;
      event.preventDefault();
      pressPractice(0);
    });
  });
  new ResizeObserver(() => practiceChanged()).observe(shown.drawing);

  // "Промени програмата": the page as the core gives it, drawn once per change, once that change
  // has run its course; what the pupil does goes to the core.
  const changePage = panels[3];
  const count = document.getElementById("change-count");
  const guess = document.getElementById("change-guess");
  const switches = [...changePage.querySelectorAll("input[data-part]")];
  const changeButtons = [...changePage.querySelectorAll("button[data-change]")];
  const lineItems = [...document.querySelectorAll("#change-lines > li")];
  const changeShown = Object.fromEntries(["note", "legend", "hunt-title", "task", "said", "chart",
    "sentence", "description"].map((id) => [id, document.getElementById(`change-${id}`)]));
  const changeTable = document.querySelector("#change-table tbody");
  let changeRedraw = false;
  let drawnWork = "";
  function drawChange() {
    changeRedraw = false;
    if (picture.hidden || changePage.hidden) return;
    const shown = JSON.parse(core.UTF8ToString(core._ramka_change()));
    if (count.value !== shown.typed) count.value = shown.typed;
    changeShown.note.textContent = shown.note;
    switches.forEach((box) => { box.checked = shown.on[Number(box.dataset.part)]; });
    shown.lines.forEach((line, index) => {
      const item = lineItems[index];
      item.firstChild.textContent = line.text;
      item.classList.toggle("changed", line.changed);
      item.classList.toggle("removed", line.removed);
      item.setAttribute("aria-label", line.said);
    });
    // The legend: each name a term, its meaning beside it.
    const termsKey = JSON.stringify(shown.legend);
    if (changeShown.legend.dataset.terms !== termsKey) {
      changeShown.legend.dataset.terms = termsKey;
      changeShown.legend.replaceChildren(...shown.legend.flatMap(([name, meaning]) => [
        Object.assign(document.createElement("dt"), { textContent: name }),
        Object.assign(document.createElement("dd"), { textContent: meaning })]));
    }
    const rowsKey = JSON.stringify(shown.table);
    if (changeTable.dataset.rows !== rowsKey) {
      changeTable.dataset.rows = rowsKey;
      changeTable.replaceChildren(...shown.table.map((row) => {
        const line = document.createElement("tr");
        line.classList.toggle("wrong", row[4]);
        row.slice(0, 4).forEach((cell, column) => line.append(Object.assign(
          document.createElement(column === 0 ? "th" : "td"),
          column === 0 ? { scope: "row", textContent: cell } : { textContent: cell })));
        return line;
      }));
    }
    changeShown["hunt-title"].textContent = shown.heading;
    changeShown.task.textContent = shown.task;
    guess.parentElement.hidden = !shown.hunting;
    if (guess.value !== shown.guess) guess.value = shown.guess;
    changeButtons.forEach((button, index) => {
      button.disabled = !shown.enabled[index];
      button.hidden = index === 2 ? !shown.enabled[index] : !shown.hunting;
    });
    // Read out politely when the hunt says something, the same words again too.
    const said = changeShown.said;
    if (said.textContent !== shown.said || said.dataset.sayings !== String(shown.sayings)) {
      said.textContent = "";
      said.textContent = shown.said;
      said.dataset.sayings = String(shown.sayings);
    }
    said.hidden = shown.said === "";
    // The chart is drawn again only where what it shows, or its size, changed.
    const chart = changeShown.chart;
    const workKey = `${shown.description} ${chart.clientWidth}×${chart.clientHeight}`;
    if (workKey !== drawnWork) {
      drawnWork = workKey;
      chart.innerHTML = core.UTF8ToString(core._ramka_change_chart(chart.clientWidth,
                                                                   chart.clientHeight));
    }
    changeShown.sentence.textContent = shown.sentence;
    changeShown.description.textContent = shown.description;
    performance.mark("change");
  }
  function changeChanged() {
    if (picture.hidden || changePage.hidden || changeRedraw) return;
    changeRedraw = true;
    queueMicrotask(() => { if (changeRedraw) drawChange(); });  // not drawn since
  }
  numberBox(count, (text) => core._ramka_change_type(text), (by) => core._ramka_change_step(by),
            drawChange);
  switches.forEach((box) => {
    box.addEventListener("change", () => core._ramka_change_set(Number(box.dataset.part),
                                                                box.checked ? 1 : 0));
  });
  guess.addEventListener("input", () => withText(guess.value, (text) => core._ramka_change_guess(text)));
  guess.addEventListener("keydown", (event) => {
    if (event.key !== "Enter") return;
    event.preventDefault();
    core._ramka_change_press(0);
  });
  guess.addEventListener("focus", () => guess.select());
  changeButtons.forEach((button, index) => {
    button.addEventListener("click", () => core._ramka_change_press(index));
  });
  new ResizeObserver(() => changeChanged()).observe(changeShown.chart);

  // "Напиши програмата": the page as the core gives it, drawn once per change, once that change
  // has run its course. The editor is the browser's own text area: each edit goes to the core as
  // it stands, and the core's text comes back into it only where the two differ (a start, a file,
  // another task, a kept text), as one edit that the text area's undo takes back.
  const writePage = panels[4];
  const [editor, numbers, marks, task, writeCount] = ["editor", "numbers", "marks", "task", "count"]
    .map((id) => document.getElementById(`write-${id}`));
  const editorBox = editor.closest(".write-editor");
  const writeButtons = [...writePage.querySelectorAll("button[data-write]")]
    .sort((a, b) => a.dataset.write - b.dataset.write);  // in the order of the core's commands
  const writeShown = Object.fromEntries(["text", "verdict", "message", "counter", "said", "note",
    "output", "work", "yours", "lesson"].map((id) => [id, document.getElementById(`write-${id}`)]));
  const writeValues = document.querySelector("#write-values tbody");
  const rowMarks = document.querySelector(".write-rows").dataset;
  const [signsOf, wordsOf] = [rowMarks.signs.split("|"), rowMarks.words.split("|")];
  const coreText = () => textAt(core._ramka_write_text(), core._ramka_write_text_size());
  const cell = (kind, text) => Object.assign(document.createElement(kind), { textContent: text });
  let writeRedraw = false;
  let editorFilled = false;
  let numbered = "";
  let markedKey = "";
  let writeSaid = { sayings: 0, message: "", verdict: "" };
  let checking = null;

  // The core's text put into the editor, where it differs, the focus left where it was. The
  // first text goes in as it is, with nothing to undo; a text area holds no carriage return.
  function showText(text) {
    if (editor.value === text.replace(/\r\n?/g, "\n")) return;
    if (!editorFilled) {
      editor.value = text;
    } else {
      const focused = document.activeElement;
      editor.focus();
      editor.select();
      if (!document.execCommand(text === "" ? "delete" : "insertText", false, text)) {
        editor.value = text;  // where the browser cannot edit as the user does
      }
      editor.setSelectionRange(0, 0);
      editor.scrollTop = 0;
      if (focused !== editor) focused.focus();
    }
    editorFilled = true;
  }
  function edited(event) {
    if (event.isComposing) return;
    withBytes(encoder.encode(editor.value), (text, size) => core._ramka_write_edit(text, size));
  }
  editor.addEventListener("input", edited);
  editor.addEventListener("compositionend", edited);

  // The line numbers, the marked line's among them, and the copy of the text under the editor
  // with that line and its span marked; both follow the editor's scrolling.
  function followScroll() {
    numbers.scrollTop = marks.scrollTop = editor.scrollTop;
    marks.scrollLeft = editor.scrollLeft;
  }
  editor.addEventListener("scroll", followScroll);
  function drawMarks({ marked, error, sayings }) {
    const lines = editor.value.split("\n");
    const [line, column, length] = marked.length ? marked : [0, 0, 0];
    // The text of the lines before the marked one, each with its line end, and of those after it.
    const before = (texts) => texts.slice(0, line - 1).map((text) => `${text}\n`).join("");
    const after = (texts) => texts.slice(line).map((text) => `\n${text}`).join("");
    const key = `${lines.length} ${marked}`;
    if (key !== numbered) {
      numbered = key;
      const all = lines.map((_, at) => String(at + 1));
      numbers.textContent = line ? "" : all.join("\n");
      if (line) {
        numbers.append(before(all), Object.assign(cell("span", all[line - 1]), { className: "line" }),
                       after(all));
      }
    }
    editorBox.classList.toggle("error", error);
    writeShown.message.classList.toggle("error", error);
    marks.replaceChildren();
    const place = `${marked} ${error} ${sayings}`;
    if (!line) {
      markedKey = place;
      return;
    }
    const text = lines[line - 1];
    const spot = cell("mark", text.slice(column, column + length));
    const bar = Object.assign(document.createElement("span"), { className: "line" });
    bar.append(text.slice(0, column), spot, text.slice(column + length));
    marks.append(before(lines), bar, after(lines));
    // A place marked anew, or by a button pressed again, is brought into view, at the next frame,
    // once the page is laid out for it; an error's gets the caret.
    const shown = place !== markedKey;
    markedKey = place;
    if (shown && error) {
      const offset = before(lines).length + column;
      editor.setSelectionRange(offset, offset);
    }
    requestAnimationFrame(() => {
      if (shown && (bar.offsetTop < editor.scrollTop ||
                    bar.offsetTop + bar.offsetHeight > editor.scrollTop + editor.clientHeight)) {
        editor.scrollTop = bar.offsetTop - editor.clientHeight / 3;
      }
      if (shown && (spot.offsetLeft < editor.scrollLeft ||
                    spot.offsetLeft + spot.offsetWidth > editor.scrollLeft + editor.clientWidth)) {
        editor.scrollLeft = spot.offsetLeft - editor.clientWidth / 3;
      }
      followScroll();
    });
  }


  // A table's body filled anew, only where what it shows changed.
  function fillRows(body, rows, cells) {
    const key = JSON.stringify(rows);
    if (body.dataset.rows === key) return;
    body.dataset.rows = key;
    body.replaceChildren(...rows.map((row) => {
      const line = document.createElement("tr");
      line.append(...cells(row, line));
      return line;
    }));
  }
  // A row of a program's, its three numbers, and beside the frame the mark with its words.
  function programRow([across, down, frame, mark], line) {
    if (mark) line.className = mark === 1 ? "right" : "wrong";
    const last = cell("td", frame);
    if (mark) {
      last.append(" ", Object.assign(cell("span", signsOf[mark]), { ariaHidden: "true" }),
                  Object.assign(cell("span", wordsOf[mark]), { className: "unseen" }));
    }
    return [cell("td", across), cell("td", down), last];
  }

  function drawWrite() {
    writeRedraw = false;
    if (picture.hidden || writePage.hidden) return;
    const shown = JSON.parse(core.UTF8ToString(core._ramka_write()));
    showText(coreText());
    shown.tasks.forEach((name, index) => {
      if (task.options[index].text !== name) task.options[index].text = name;
    });
    task.value = String(shown.task);
    writeShown.text.textContent = shown.text;
    if (writeCount.value !== shown.typed) writeCount.value = shown.typed;
    writeShown.note.textContent = shown.note;
    // A button that goes out of use hands the focus to the nearest one in use, else the editor.
    const focused = writeButtons.indexOf(document.activeElement);
    if (focused >= 0 && !shown.enabled[focused]) {
      const order = writeButtons.map((_, index) => index)
        .sort((a, b) => Math.abs(a - focused) - Math.abs(b - focused) || b - a);
      (writeButtons[order.find((index) => shown.enabled[index])] ?? editor).focus();
    }
    writeButtons.forEach((button, index) => { button.disabled = !shown.enabled[index]; });
    writeButtons[4].textContent = shown.check;
    if (writeShown.verdict.textContent !== shown.verdict) {
      writeShown.verdict.textContent = shown.verdict;  // read out politely, as a status
    }
    writeShown.message.textContent = shown.message;
    writeShown.counter.textContent = shown.counter;
    drawMarks(shown);
    fillRows(writeValues, shown.values, ([name, value, changed], line) => {
      if (changed) line.className = "changed";
      return [Object.assign(cell("th", name), { scope: "row" }),
              cell("td", changed ? `${value}   ${writeValues.parentElement.dataset.changed}` : value)];
    });
    const output = shown.output.join("\n");
    if (writeShown.output.textContent !== output) writeShown.output.textContent = output;
    fillRows(writeShown.yours.tBodies[0], shown.yours, programRow);
    fillRows(writeShown.lesson.tBodies[0], shown.lesson, programRow);
    writeShown.work.textContent = shown.work;
    // Whatever the page says anew is read out, its signs in words: the message where it changed
    // or the verdict did not, the same words again too; a verdict is read out by its own status.
    const said = writeShown.said;
    if (shown.sayings !== writeSaid.sayings &&
        (shown.message !== writeSaid.message || shown.verdict === writeSaid.verdict)) {
      said.textContent = "";
      said.textContent = shown.messageSaid;
    }
    writeSaid = shown;
    performance.mark("write");
  }
  function writeChanged() {
    if (picture.hidden || writePage.hidden || writeRedraw) return;
    writeRedraw = true;
    queueMicrotask(() => { if (writeRedraw) drawWrite(); });  // not drawn since
  }

  // Tab puts four blanks at the caret. Escape leaves the page open and arms a way out: the next
  // Tab, or Shift+Tab, moves the focus on as from any control; any other key disarms it.
  let leaving = false;
  editor.addEventListener("keydown", (event) => {
    if (event.isComposing) return;
    if (event.key === "Escape") {
      leaving = true;
      event.preventDefault();
      event.stopPropagation();
    } else if (event.key === "Tab" && !leaving && !event.shiftKey && !event.altKey &&
               !event.ctrlKey && !event.metaKey) {
      event.preventDefault();
      document.execCommand("insertText", false, "    ");
    } else if (!["Shift", "Control", "Alt", "Meta"].includes(event.key)) {
      leaving = false;
    }
  });
  editor.addEventListener("blur", () => { leaving = false; });
  // The signs a Bulgarian keyboard lacks, each put at the caret, the focus back in the editor.
  for (const sign of writePage.querySelectorAll("button.sign")) {
    sign.addEventListener("click", () => {
      editor.focus();
      document.execCommand("insertText", false, sign.dataset.text);
    });
  }

  // A text replaced by a start or a file only once the pupil agrees, where there is one.
  function mayReplace() {
    const question = core.UTF8ToString(core._ramka_write_question());
    return question === "" || confirm(question);
  }
  // "Започни от": a button with a menu of the starts, opened by a click or the arrows, whose items
  // the arrows walk; Enter, Space or a click chooses one, Escape or Tab closes it.
  const start = document.getElementById("write-start");
  const starts = document.getElementById("write-starts");
  const startItems = [...starts.children];
  function showStarts(open, item) {
    starts.hidden = !open;
    start.setAttribute("aria-expanded", String(open));
    if (open) startItems.at(item).focus();
  }
  function chooseStart(item) {
    showStarts(false);
    editor.focus();
    if (mayReplace()) core._ramka_write_start(item);
  }
  start.addEventListener("click", () => showStarts(starts.hidden, 0));
  start.addEventListener("keydown", (event) => {
    if (event.key !== "ArrowDown" && event.key !== "ArrowUp") return;
    event.preventDefault();
    showStarts(true, event.key === "ArrowDown" ? 0 : -1);
  });
  startItems.forEach((item, index) => {
    item.addEventListener("click", () => chooseStart(index));
    item.addEventListener("keydown", (event) => {
      const moves = { ArrowDown: index + 1, ArrowUp: index - 1, Home: 0, End: -1 };
      if (event.key in moves) {
        startItems.at(moves[event.key] % startItems.length).focus();
      } else if (event.key === "Enter" || event.key === " ") {
        chooseStart(index);
      } else if (event.key === "Escape") {
        showStarts(false);
        start.focus();
        event.stopPropagation();
      } else {
        if (event.key === "Tab") showStarts(false);
        return;
      }
      event.preventDefault();
    });
  });
  document.addEventListener("click", (event) => {
    if (!starts.hidden && !event.target.closest(".write-start")) showStarts(false);
  });

  // "Отвори…": the browser's file chooser; no more of the file is read than the core may take,
  // and where it is too large, nothing is asked before the core refuses it.
  const file = document.getElementById("write-file");
  document.getElementById("write-open").addEventListener("click", () => {
    file.value = "";
    file.click();
  });
  file.addEventListener("change", async () => {
    if (file.files.length === 0) return;
    const largest = Number(file.dataset.largest);
    const bytes = new Uint8Array(await file.files[0].slice(0, largest + 1).arrayBuffer());
    if (bytes.length > largest || mayReplace()) {
      withBytes(bytes, (at, size) => core._ramka_write_opened(at, size));
    }
  });
  // "Запази като…": the text as UTF-8, downloaded under the task's name.
  document.getElementById("write-save").addEventListener("click", () => {
    const name = core.UTF8ToString(core._ramka_write_file_name());
    try {
      const bytes = core.HEAPU8.slice(core._ramka_write_text(),
                                      core._ramka_write_text() + core._ramka_write_text_size());
      const url = URL.createObjectURL(new Blob([bytes], { type: "text/plain;charset=utf-8" }));
      Object.assign(document.createElement("a"), { href: url, download: name }).click();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
      withText(name, (text) => core._ramka_write_saved(text));
    } catch {
      withText("браузърът не можа да изтегли файла",
               (reason) => core._ramka_write_save_failed(reason));
    }
  });
  // "Какво може езикът": the reference in a dialog, which Escape closes.
  const help = document.getElementById("write-help");
  document.getElementById("write-help-open").addEventListener("click", () => help.showModal());

  task.addEventListener("change", () => core._ramka_write_task(Number(task.value)));
  numberBox(writeCount, (text) => core._ramka_write_type(text), (by) => core._ramka_write_step(by),
            drawWrite);
  // The buttons; the check runs a slice at a time, each from a timer of its own, so that the
  // page never stops answering while it checks.
  function checkSome() {
    checking = core._ramka_write_check_some() ? setTimeout(checkSome) : null;
  }
  writeButtons.forEach((button, index) => {
    button.addEventListener("click", () => {
      core._ramka_write_press(index);
      if (index === 4 && checking === null) checking = setTimeout(checkSome);
    });
  });
  // The texts kept from an earlier visit, each brought back to its task.
  for (let index = 0; index < task.options.length; ++index) {
    let kept = null;
    try {
      kept = localStorage.getItem(`ramka-write-${index}`);
    } catch {
      // no storage: each task starts afresh
    }
    if (kept !== null) {
      withBytes(encoder.encode(kept), (text, size) => core._ramka_write_restore(index, text, size));
    }
  }

  // Opens the lessons' panel at a page, with the focus on it.
  function openLessons(page) {
    openPicture();
    choosePage(page, false);
    if (page === 1) stepsPage.focus();
    if (page === 2) (sides[0].disabled ? level : sides[0]).focus();
    if (page === 3) count.focus();
    if (page === 4) editor.focus();
  }

  // The menu bar, as WAI-ARIA's menu bar: Tab reaches its menus, the arrows move between them and
  // through their items, Enter, Space or an item's underlined letter chooses it, Escape closes;
  // Alt with a menu's letter opens it from anywhere, F10 goes to the bar, and each item's function
  // key chooses it. An item that cannot act now is shown disabled.
  const menuButtons = [...document.querySelectorAll("#menubar > .menu > [role=menuitem]")];
  const menuLists = menuButtons.map((button) => document.getElementById(`${button.id}-items`));
  const itemsOf = (menu) => [...menuLists[menu].querySelectorAll("[role=menuitem]")];
  const allItems = menuLists.flatMap((list) => [...list.querySelectorAll("[role=menuitem]")]);
  const about = document.getElementById("about");
  let openMenu = -1;
  // The menu or item whose underlined letter the key is, if any.
  const byLetter = (among, key) => among.find((each) => (
    each.dataset.mnemonic.toLowerCase() === key.toLowerCase()));
  function focusMenuButton(menu) {
    menuButtons.forEach((button, index) => { button.tabIndex = index === menu ? 0 : -1; });
    menuButtons[menu].focus();
  }
  function closeMenu(focus) {
    if (openMenu < 0) return;
    const menu = openMenu;
    menuLists[menu].hidden = true;
    menuButtons[menu].setAttribute("aria-expanded", "false");
    openMenu = -1;
    if (focus) focusMenuButton(menu);
  }
  function showMenu(menu, item) {
    closeMenu(false);
    for (const each of itemsOf(menu)) {
      each.setAttribute("aria-disabled", String(!core._ramka_menu_enabled(Number(each.dataset.command))));
    }
    menuLists[menu].hidden = false;
    menuButtons[menu].setAttribute("aria-expanded", "true");
    openMenu = menu;
    focusMenuButton(menu);
    const items = itemsOf(menu);
    if (item !== null) items[(item + items.length) % items.length].focus();
  }
  function runCommand(command) {
    if (!core._ramka_menu_enabled(command)) return;
    closeMenu(false);
    const page = core._ramka_menu_page(command);
    if (page < 0) about.showModal();
    else if (!core._ramka_menu_activates(command)) {
      openPicture();
      choosePage(page, false);
    } else openLessons(page);
  }
  menuButtons.forEach((button, menu) => {
    button.addEventListener("click", () => (openMenu === menu ? closeMenu(true) : showMenu(menu, null)));
    button.addEventListener("keydown", (event) => {
      const moves = { ArrowLeft: menu - 1, ArrowRight: menu + 1, Home: 0, End: menuButtons.length - 1 };
      if (event.key in moves) {
        const next = (moves[event.key] + menuButtons.length) % menuButtons.length;
        if (openMenu >= 0) showMenu(next, 0);
        else focusMenuButton(next);
      } else if (["ArrowDown", "Enter", " "].includes(event.key)) {
        showMenu(menu, 0);
      } else if (event.key === "ArrowUp") {
        showMenu(menu, -1);
      } else if (event.key === "Escape") {
        closeMenu(true);
      } else if (openMenu === menu && byLetter(itemsOf(menu), event.key)) {
        runCommand(Number(byLetter(itemsOf(menu), event.key).dataset.command));
      } else {
        return;
      }
      event.preventDefault();
      event.stopPropagation();
    });
  });
  allItems.forEach((item) => {
    item.addEventListener("click", () => runCommand(Number(item.dataset.command)));
    item.addEventListener("keydown", (event) => {
      const items = itemsOf(openMenu);
      const at = items.indexOf(item);
      const lettered = byLetter(items, event.key);
      if (event.key === "ArrowDown" || event.key === "ArrowUp") {
        items[(at + (event.key === "ArrowDown" ? 1 : items.length - 1)) % items.length].focus();
      } else if (event.key === "Home" || event.key === "End") {
        items[event.key === "Home" ? 0 : items.length - 1].focus();
      } else if (event.key === "ArrowLeft" || event.key === "ArrowRight") {
        const step = event.key === "ArrowRight" ? 1 : menuButtons.length - 1;
        showMenu((openMenu + step) % menuButtons.length, 0);
      } else if (event.key === "Enter" || event.key === " ") {
        runCommand(Number(item.dataset.command));
      } else if (lettered && !event.altKey && !event.ctrlKey) {
        runCommand(Number(lettered.dataset.command));
      } else if (event.key === "Escape") {
        closeMenu(true);
      } else if (event.key === "Tab") {
        closeMenu(false);
        return;
      } else {
        return;
      }
      event.preventDefault();
      event.stopPropagation();
    });
  });
  document.addEventListener("click", (event) => {
    if (openMenu >= 0 && !event.target.closest("#menubar")) closeMenu(false);
  });
  document.addEventListener("keydown", (event) => {
    if (errorBox.open || about.open) return;
    const functionKey = allItems.find((item) => item.getAttribute("aria-keyshortcuts") === event.key);
    const menu = menuButtons.indexOf(byLetter(menuButtons, event.key));
    if (functionKey && !event.altKey && !event.ctrlKey) {
      runCommand(Number(functionKey.dataset.command));
    } else if (event.altKey && menu >= 0) {
      showMenu(menu, 0);
    } else if (event.key === "F10") {
      focusMenuButton(0);
    } else {
      return;
    }
    event.preventDefault();
  });

  core._ramka_load();
  globalThis.ramka = core;  // for the tests and the benchmark: the core as code sees it
  document.documentElement.dataset.ready = "";
  performance.mark("ready");

  // Served from a host, the page keeps its files for working offline; browsers allow that over
  // https and on the local machine, and from the file system the page works as it is.
  // The web app manifest likewise, which a page from the file system may not read.
  if (location.protocol !== "file:") {
    const manifest = Object.assign(document.createElement("link"),
                                   { rel: "manifest", href: "manifest.webmanifest" });
    document.head.append(manifest);
  }
  if ("serviceWorker" in navigator && isSecureContext && location.protocol !== "file:") {
    navigator.serviceWorker.register("worker.js");
  }
})();
