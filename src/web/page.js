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
  };

  // The window is painted first, as the page brings it; the core loads right after.
  await new Promise((painted) => requestAnimationFrame(() => setTimeout(painted)));
  const core = await createRamka({ page });

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
    performance.mark("picture");
  }
  function closePicture() {
    picture.hidden = true;
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
    if (event.key === "Escape" && !picture.hidden && !errorBox.open) closePicture();
  });
  new ResizeObserver(() => {
    if (`${drawing.clientWidth}×${drawing.clientHeight}` !== drawnSize) pictureChanged();
  }).observe(drawing);

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
