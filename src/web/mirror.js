// The page's side of src/common/screenreader_web.cpp, linked into the
// program with --js-library: the program's accessible objects as elements
// of the page, for a screen reader, over the program's screen. Each lies at
// its control's place, so that a finger exploring the screen finds it; the
// elements are transparent and take no pointer events, so every click and
// tap of a sighted player still reaches the program. A screen reader's
// activation (a click on the element) presses the control once, its focus
// is the control's, and keys pressed on an element go to the program.
mergeInto(LibraryManager.library, {
  // Whether the page wants the copy; a page that sets zentaMirrorOff has
  // none (the benchmark compares the page without it).
  zentaMirrorWanted: function () {
    return typeof document != "undefined" && !window.zentaMirrorOff ? 1 : 0;
  },

  // The elements, made once: the layer over the screen, the elements by the
  // program's ids, the live region.
  $zentaMirrorLayer__deps: ["$zentaTextElement"],
  $zentaMirrorLayer: function () {
    if (Module.zentaMirrorState)
      return Module.zentaMirrorState;
    const layer = document.createElement("div");
    layer.id = "zenta-mirror";
    layer.style.cssText = "position: absolute; inset: 0; z-index: 1; opacity: 0;"
      + " pointer-events: none; overflow: hidden; color: transparent; font-size: 12px;";
    document.body.append(layer);
    const said = document.createElement("div");
    said.id = "zenta-said";
    said.setAttribute("role", "status");
    said.setAttribute("aria-live", "polite");
    said.style.cssText = "position: absolute; left: 0; top: 0; width: 1px; height: 1px;"
      + " overflow: hidden; clip-path: inset(50%); white-space: nowrap;";
    document.body.append(said);
    const state = Module.zentaMirrorState = {
      layer: layer, said: said, elements: new Map(), focus: "", focusing: false,
    };
    const idOf = (target) => {
      const element = target && target.closest ? target.closest("[data-zenta-id]") : null;
      return element && layer.contains(element) ? Number(element.dataset.zentaId) : 0;
    };
    // A screen reader's activation arrives as a click on the element.
    layer.addEventListener("click", (event) => {
      const id = idOf(event.target);
      if (!id || event.target === Module.zentaTextInput)
        return;
      event.preventDefault();
      _zentaMirrorPress(id);
    });
    // A screen reader that moves the focus moves the program's.
    layer.addEventListener("focusin", (event) => {
      const id = idOf(event.target);
      if (id && !state.focusing)
        _zentaMirrorFocus(id);
    });
    // Keys on an element are the program's, as on its screen. The text
    // field takes its own (library.js).
    const forward = (event) => {
      if (event.target === Module.zentaTextInput || !layer.contains(event.target))
        return;
      const canvas = document.querySelector("#screen canvas");
      if (!canvas)
        return;
      const copy = new KeyboardEvent(event.type, {
        key: event.key, code: event.code, location: event.location, repeat: event.repeat,
        ctrlKey: event.ctrlKey, shiftKey: event.shiftKey, altKey: event.altKey,
        metaKey: event.metaKey, bubbles: true, cancelable: true,
      });
      canvas.dispatchEvent(copy);
      event.stopPropagation();
      if (copy.defaultPrevented || event.key === "Tab")
        event.preventDefault();
    };
    layer.addEventListener("keydown", forward, true);
    layer.addEventListener("keyup", forward, true);
    // F10 opens the menu bar as Alt does, for the browsers that keep Alt
    // for themselves.
    const f10 = (event) => {
      if (event.key !== "F10" || event.altKey || event.ctrlKey || event.shiftKey || event.metaKey)
        return;
      event.preventDefault();
      event.stopImmediatePropagation();
      const canvas = document.querySelector("#screen canvas");
      if (canvas && event.type === "keydown")
        for (const type of ["keydown", "keyup"])
          canvas.dispatchEvent(new KeyboardEvent(type, {
            key: "Alt", code: "AltLeft", location: 1, altKey: type === "keydown",
            bubbles: true, cancelable: true,
          }));
    };
    window.addEventListener("keydown", f10, true);
    window.addEventListener("keyup", f10, true);
    window.addEventListener("resize", () => _zentaMirrorRefresh());
    return state;
  },

  // The windows on show (src/common/screenreader.h), made the elements'.
  zentaMirror__deps: ["$zentaMirrorLayer", "$zentaTextElement"],
  zentaMirror: function (jsonUtf8) {
    const tree = JSON.parse(UTF8ToString(jsonUtf8));
    const state = zentaMirrorLayer();
    const seen = new Set();
    const acts = { button: 1, menuitem: 1, menuitemcheckbox: 1, checkbox: 1, radio: 1 };
    const texts = { text: 1, cell: 1, rowheader: 1, columnheader: 1 };
    const set = (element, name, value) => {
      if (value === undefined || value === null || value === false) {
        if (element.hasAttribute(name))
          element.removeAttribute(name);
      } else if (element.getAttribute(name) !== String(value)) {
        element.setAttribute(name, String(value));
      }
    };
    function elementFor(node) {
      let element = state.elements.get(node.id);
      if (element && element.dataset.zentaRole === node.role)
        return element;
      if (element)
        element.remove();
      if (node.role === "textbox") {
        element = zentaTextElement();
        element.removeAttribute("aria-hidden");
      } else {
        element = document.createElement("div");
        if (node.role !== "text")
          element.setAttribute("role", node.role);
        if (acts[node.role])
          element.tabIndex = -1;
      }
      element.dataset.zentaRole = node.role;
      state.elements.set(node.id, element);
      return element;
    }
    function update(element, node, origin, parentRole) {
      const id = Number(node.id);
      set(element, "data-zenta-id", id > 0 ? id : null);
      if (node.x !== undefined) {
        Object.assign(element.style, {
          position: "absolute", left: (node.x - origin.x) + "px", top: (node.y - origin.y) + "px",
          width: node.w + "px", height: node.h + "px", margin: "0", padding: "0",
        });
      }
      if (texts[node.role]) {
        if (element.textContent !== (node.name || ""))
          element.textContent = node.name || "";
      } else {
        set(element, "aria-label", node.name || null);
      }
      set(element, "aria-description", node.description);
      set(element, "aria-disabled", node.disabled ? "true" : null);
      if (node.checked !== undefined)
        set(element, node.role === "button" ? "aria-pressed" : "aria-checked", node.checked);
      if (parentRole === "menubar" && node.role === "menuitem") {
        set(element, "aria-haspopup", "menu");
        set(element, "aria-expanded", node.expanded ? "true" : "false");
      }
      set(element, "inert", node.inert ? "" : null);
      if (node.role === "textbox") {
        // The field's text, where no composition is under way, so that a
        // screen reader reads back what was typed.
        const text = node.value || "";
        if (!element.zentaComposing && element.value !== text) {
          element.value = text;
          element.zentaShown = text;
        }
      }
    }
    function place(parent, nodes, origin, parentRole) {
      nodes.forEach((node, i) => {
        const element = elementFor(node);
        seen.add(node.id);
        update(element, node, origin, parentRole);
        // An element that holds the focus is not moved (it would lose it):
        // the ones in its way move behind it.
        while (parent.children[i] !== element) {
          const there = parent.children[i];
          if (there && element.contains(document.activeElement))
            parent.append(there);
          else
            parent.insertBefore(element, there || null);
        }
        const placed = node.x !== undefined ? { x: node.x, y: node.y } : origin;
        if (!texts[node.role] && node.role !== "textbox")
          place(element, node.kids || [], placed, node.role);
      });
      while (parent.children.length > nodes.length)
        parent.lastElementChild.remove();
    }
    place(state.layer, tree.windows, { x: 0, y: 0 }, "");
    for (const [id, element] of state.elements) {
      if (seen.has(id))
        continue;
      state.elements.delete(id);
      if (element === Module.zentaTextInput) {
        // Back off the page, out of the tree, until a field is on show.
        if (document.activeElement === element)
          element.blur();
        element.style.pointerEvents = "none";
        element.style.left = "-10000px";
        element.setAttribute("aria-hidden", "true");
        document.body.append(element);
      } else {
        element.remove();
      }
    }
    // A message box's text describes it; a field without a name of its
    // own is named by the text before it.
    for (const element of state.layer.querySelectorAll("[role=alertdialog]")) {
      const text = element.querySelector(":scope > div:not([role])");
      if (text) {
        text.id = text.id || "zenta-text-" + text.parentNode.dataset.zentaId;
        set(element, "aria-describedby", text.id);
      }
    }
    const input = Module.zentaTextInput;
    if (input && state.layer.contains(input) && !input.getAttribute("aria-label")) {
      let before = input.previousElementSibling;
      while (before && before.hasAttribute("role"))
        before = before.previousElementSibling;
      if (before) {
        before.id = before.id || "zenta-label-" + input.dataset.zentaId;
        set(input, "aria-labelledby", before.id);
      }
    }
    // The program's focus is the page's, where it moved, or where the page
    // lost it (an element that held it went).
    const lost = !document.activeElement || document.activeElement === document.body;
    if (tree.focus !== state.focus || lost) {
      state.focus = tree.focus;
      const element = state.elements.get(tree.focus);
      if (element && document.activeElement !== element && element.isConnected) {
        state.focusing = true;
        element.focus({ preventScroll: true });
        state.focusing = false;
      }
    }
  },

  // Said once, politely: the live region's text. The same text again is
  // written anew after a moment, so that it is said again.
  zentaSay__deps: ["$zentaMirrorLayer"],
  zentaSay: function (textUtf8) {
    if (typeof document == "undefined")
      return;
    const text = UTF8ToString(textUtf8);
    const said = zentaMirrorLayer().said;
    if (said.textContent !== text) {
      said.textContent = text;
      return;
    }
    said.textContent = "";
    setTimeout(() => { said.textContent = text; }, 100);
  },
});
