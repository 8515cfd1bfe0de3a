// The page: builds the window from the core's layout table, as the desktop view does, and binds
// it to the core's form, which alone holds the window's state. What a user does becomes the
// form's user-side entry; every change the form reports shows in its element at once.
"use strict";

(async () => {
  // The elements the form mirrors into, by control array and index.
  const controls = { Text2: [], Option1: [], List1: [], Command1: [] };

  // What the form reports, shown in the page.
  const page = {
    textChanged(box, text) {
      if (controls.Text2[box].value !== text) controls.Text2[box].value = text;
    },
    enabledChanged(box, enabled) {
      controls.Text2[box].disabled = !enabled;
    },
    valueChanged(option, selected) {
      controls.Option1[option].checked = selected;
    },
    listCleared(list) {
      controls.List1[list].replaceChildren();
    },
    itemAdded(list, item) {
      controls.List1[list].append(new Option(item));
    },
    listIndexChanged(list, row) {
      controls.List1[list].selectedIndex = row;
    },
    errorReported(message) {
      showError(message);
    },
  };

  const core = await createRamka({ page });
  const table = JSON.parse(core.UTF8ToString(core._ramka_layout()));

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
    document.getElementById("error-title").textContent = table.caption;
    document.getElementById("error-text").textContent = message;
    if (!errorBox.open) errorBox.showModal();
  }

  function place(element, control) {
    const [left, top, width, height] = control.rect;
    Object.assign(element.style, {
      left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px`,
    });
    if (control.colour) element.style.background = control.colour;
    element.hidden = control.hidden;
  }

  // A button that Enter does not press; Space does, as on the desktop.
  function plainButton() {
    const button = document.createElement("button");
    button.type = "button";
    button.addEventListener("keydown", (event) => {
      if (event.key === "Enter") event.preventDefault();
    });
    return button;
  }

  // One element for each kind of control.
  const create = {
    note(control) {
      const note = document.createElement("textarea");
      note.readOnly = true;
      note.value = control.text.replaceAll("\r\n", "\n");
      note.setAttribute("aria-label", control.accessibleName);
      return note;
    },
    label(control) {
      const label = document.createElement("div");
      label.className = "label";
      label.textContent = control.text;
      return label;
    },
    textbox(control) {
      const box = document.createElement("input");
      box.type = "text";
      box.spellcheck = false;
      box.autocomplete = "off";
      box.setAttribute("aria-label", control.accessibleName);
      const edit = () => {
        const proposed = box.value;
        const caret = withText(proposed, (text) => core._ramka_user_edit(control.index, text));
        const kept = core.UTF8ToString(core._ramka_text(control.index));
        if (kept !== proposed) {  // the form cut the edit to fit: show what it kept
          box.value = kept;
          const offset = offsetOf(kept, caret);
          box.setSelectionRange(offset, offset);
        }
      };
      box.addEventListener("input", (event) => { if (!event.isComposing) edit(); });
      box.addEventListener("compositionend", edit);
      return box;
    },
    list(control) {
      const list = document.createElement("select");
      list.size = 2;  // a list box, not a drop-down
      list.setAttribute("aria-label", control.accessibleName);
      list.addEventListener("change", () => {
        core._ramka_user_select(control.index, list.selectedIndex);
        list.selectedIndex = core._ramka_list_index(control.index);  // the form decides
      });
      return list;
    },
    button(control) {
      const button = plainButton();
      button.textContent = control.text;
      button.addEventListener("click", () => core._ramka_user_click(control.index));
      return button;
    },
    picture(control) {
      const button = plainButton();
      button.setAttribute("aria-label", control.accessibleName);
      return button;
    },
    frame(control) {
      const frame = document.createElement("fieldset");
      const legend = document.createElement("legend");
      legend.textContent = control.text;
      frame.append(legend);
      return frame;
    },
    option(control) {
      const label = document.createElement("label");
      label.className = "option";
      const option = document.createElement("input");
      option.type = "radio";
      option.name = control.name;
      option.addEventListener("change", () => {
        if (!option.checked) return;
        core._ramka_user_choose(control.index);
        controls.Option1.forEach((each, i) => { each.checked = core._ramka_option_value(i) !== 0; });
      });
      label.append(option, control.text);
      controls.Option1[control.index] = option;
      return label;
    },
  };

  // Every control of the table in one pass, in tab order, which is also the page's order; an
  // option goes into the frame before it, and controls made later lie above earlier ones.
  const client = document.getElementById("window");
  document.title = table.caption;
  Object.assign(client.style, {
    width: `${table.width}px`, height: `${table.height}px`, background: table.background,
  });
  const built = document.createDocumentFragment();  // put in place at once, laid out once
  let frame = null;
  [...table.controls].sort((a, b) => a.tab - b.tab).forEach((control) => {
    const element = create[control.kind](control);
    place(element, control);
    element.style.zIndex = table.controls.indexOf(control);
    element.dataset.control = `${control.name}(${control.index})`;
    (control.kind === "option" ? frame : built).append(element);
    if (control.kind === "frame") frame = element;
    if (control.name in controls && control.kind !== "option") {
      controls[control.name][control.index] = element;
    }
  });
  client.append(built);

  core._ramka_load();
  globalThis.ramka = core;  // for the tests and the benchmark: the core as code sees it
  document.documentElement.dataset.ready = "";
  performance.mark("ready");
})();
