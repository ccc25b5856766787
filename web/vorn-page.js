// The page side of the browser host: the canvases that stand for the program's windows, the
// input events they collect for the program, its modal dialogs and its glyphs. The C++ host
// (platform/browser_*.cpp) calls into window.vornPage; the page's own script starts the
// program and says when it has ended.
'use strict';

window.vornPage = (() => {
  // KeyboardEvent.code to Windows' virtual-key codes: the key's place on the keyboard, so the
  // keypad digits give theirs with Num Lock on or off.
  const virtualKeys = new Map([
    ['Escape', 0x1b], ['Enter', 0x0d], ['NumpadEnter', 0x0d], ['Backspace', 0x08],
    ['Tab', 0x09], ['Space', 0x20], ['PageUp', 0x21], ['PageDown', 0x22], ['End', 0x23],
    ['Home', 0x24], ['ArrowLeft', 0x25], ['ArrowUp', 0x26], ['ArrowRight', 0x27],
    ['ArrowDown', 0x28], ['Insert', 0x2d], ['Delete', 0x2e], ['Pause', 0x13],
    ['CapsLock', 0x14], ['ShiftLeft', 0x10], ['ShiftRight', 0x10], ['ControlLeft', 0x11],
    ['ControlRight', 0x11], ['AltLeft', 0x12], ['AltRight', 0x12], ['NumpadMultiply', 0x6a],
    ['NumpadAdd', 0x6b], ['NumpadSubtract', 0x6d], ['NumpadDecimal', 0x6e],
    ['NumpadDivide', 0x6f],
  ]);
  for (let i = 0; i < 26; ++i) virtualKeys.set('Key' + String.fromCharCode(65 + i), 65 + i);
  for (let i = 0; i < 10; ++i) {
    virtualKeys.set('Digit' + i, 48 + i);
    virtualKeys.set('Numpad' + i, 0x60 + i);
  }
  for (let i = 1; i <= 12; ++i) virtualKeys.set('F' + i, 0x6f + i);
  // Keys whose browser action (scrolling, help, leaving the page's focus) would get in the
  // program's way while it runs.
  const ownedKeys = new Set(['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown', 'F1', 'Escape',
    'Space', 'PageUp', 'PageDown', 'Home', 'End', 'Tab', 'Backspace',
    ...[...Array(10).keys()].map((i) => 'Numpad' + i)]);

  const EVENT = { key: 0, mouseMove: 1, mouseButton: 2, wheel: 3, activated: 4,
    deactivated: 5, resized: 6, close: 7, quit: 8 };

  const page = {
    EVENT,
    windows: new Map(),  // host window id -> canvas
    current: 0,          // the window that gets the keys
    events: [],
    running: false,
    dialogOpen: false,
    fullscreenWindow: 0,  // the window shown fullscreen, 0 for none
    leavingFullscreen: false,
    stage: null,
    nextWindow: 1,
    framesShown: 0,  // frames handed to the browser, for the page's tests and measurements
  };

  function stage() {
    if (!page.stage) page.stage = document.getElementById('stage') || document.body;
    return page.stage;
  }

  function push(kind, fields) {
    page.events.push(Object.assign({ kind, window: page.current, vk: 0, down: 0, alt: 0,
      x: 0, y: 0, held: 0, steps: 0, minimised: 0, width: 0, height: 0 }, fields));
  }

  function onKey(event, down) {
    if (page.dialogOpen || !page.running || page.current === 0) return;
    const vk = virtualKeys.get(event.code);
    if (vk === undefined) return;
    if (ownedKeys.has(event.code)) event.preventDefault();
    push(EVENT.key, { vk, down: down ? 1 : 0, alt: event.altKey ? 1 : 0 });
  }
  window.addEventListener('keydown', (e) => onKey(e, true));
  window.addEventListener('keyup', (e) => onKey(e, false));

  document.addEventListener('visibilitychange', () => {
    if (page.current === 0) return;
    // A hidden page is a minimised window: it draws nothing until it is seen again.
    push(document.hidden ? EVENT.deactivated : EVENT.activated,
      { minimised: document.hidden ? 1 : 0 });
  });

  document.addEventListener('fullscreenchange', () => {
    if (document.fullscreenElement || page.fullscreenWindow === 0) return;
    const window = page.fullscreenWindow;
    page.fullscreenWindow = 0;
    if (page.leavingFullscreen) {
      page.leavingFullscreen = false;
      return;
    }
    // The browser's own Escape took the page out of fullscreen; the key never reached the
    // page, so it is given to the program as it would have been on the desktop.
    // It is held for a moment, as a finger holds it: the program looks at the keys held
    // between frames, and a press and release in one frame would pass unseen.
    push(EVENT.key, { window, vk: 0x1b, down: 1 });
    setTimeout(() => push(EVENT.key, { window, vk: 0x1b, down: 0 }), 100);
  });

  // Mouse positions in the canvas's own pixels, whatever the size it is shown at.
  function canvasPoint(canvas, event) {
    const box = canvas.getBoundingClientRect();
    const scale = Math.min(box.width / canvas.width, box.height / canvas.height);
    const left = box.left + (box.width - canvas.width * scale) / 2;
    const top = box.top + (box.height - canvas.height * scale) / 2;
    return { x: Math.round((event.clientX - left) / scale),
      y: Math.round((event.clientY - top) / scale) };
  }

  function listenToMouse(id, canvas) {
    canvas.addEventListener('mousemove', (e) => {
      if (page.dialogOpen) return;
      push(EVENT.mouseMove, Object.assign({ window: id, held: (e.buttons & 1) ? 1 : 0 },
        canvasPoint(canvas, e)));
    });
    for (const [name, down] of [['mousedown', 1], ['mouseup', 0]]) {
      canvas.addEventListener(name, (e) => {
        if (page.dialogOpen || e.button !== 0) return;
        push(EVENT.mouseButton, Object.assign({ window: id, down }, canvasPoint(canvas, e)));
      });
    }
    canvas.addEventListener('wheel', (e) => {
      if (page.dialogOpen) return;
      e.preventDefault();
      push(EVENT.wheel, { window: id, steps: e.deltaY < 0 ? 1 : -1 });
    }, { passive: false });
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  page.openWindow = (width, height) => {
    const id = page.nextWindow++;
    const canvas = document.createElement('canvas');
    canvas.id = 'vorn-window-' + id;
    canvas.className = 'vorn-window';
    canvas.width = width;
    canvas.height = height;
    canvas.hidden = true;
    canvas.tabIndex = 0;
    listenToMouse(id, canvas);
    stage().appendChild(canvas);
    page.windows.set(id, canvas);
    page.current = id;
    page.running = true;
    return id;
  };

  page.closeWindow = (id) => {
    const canvas = page.windows.get(id);
    if (!canvas) return;
    page.windows.delete(id);
    if (page.current === id) page.current = 0;
    canvas.remove();
  };

  page.showWindow = (id) => {
    const canvas = page.windows.get(id);
    if (!canvas) return;
    canvas.hidden = false;
    canvas.focus({ preventScroll: true });
  };

  // Fullscreen for the stage, from the click or key that asked for it; false when the
  // browser refuses (no user gesture, a policy, a frame without permission).
  page.enterFullscreen = async () => {
    const element = stage();
    if (document.fullscreenElement === element) return true;
    if (!element.requestFullscreen || !document.fullscreenEnabled) return false;
    try {
      await element.requestFullscreen({ navigationUI: 'hide' });
      return document.fullscreenElement === element;
    } catch (error) {
      return false;
    }
  };

  page.markFullscreen = (id) => { page.fullscreenWindow = id; };

  page.leaveFullscreen = () => {
    if (!document.fullscreenElement) {
      page.fullscreenWindow = 0;
      return;
    }
    page.leavingFullscreen = true;
    document.exitFullscreen().catch(() => {});
  };

  page.ended = () => {
    page.running = false;
    page.current = 0;
  };

  // The program's main has returned: the page says so (vorn-start.js sets onProgramEnded).
  page.programEnded = (code) => {
    page.exitCode = code;
    page.ended();
    if (page.onProgramEnded) page.onProgramEnded(code);
  };

  // A new found the memory at its cap: the program has stopped, and the page says why.
  page.memoryExhausted = (capMegabytes, code) => {
    page.ask('Out of memory', `The program needed more memory than the ${capMegabytes} MB ` +
      'this page may use, and has stopped.', 2, [{ label: 'OK', answer: 1, onEnter: true }]);
    page.programEnded(code);
  };

  // --- the modal dialog of a message box ---

  const iconMarks = ['\u2139', '\u26a0', '\u26d4'];

  page.ask = (caption, text, icon, buttons) => new Promise((resolve) => {
    const backdrop = document.createElement('div');
    backdrop.className = 'vorn-dialog-backdrop';
    const dialog = document.createElement('div');
    dialog.className = 'vorn-dialog';
    dialog.setAttribute('role', 'alertdialog');
    dialog.setAttribute('aria-modal', 'true');
    const title = document.createElement('div');
    title.className = 'vorn-dialog-title';
    title.textContent = caption;
    const body = document.createElement('div');
    body.className = 'vorn-dialog-body';
    const mark = document.createElement('span');
    mark.className = 'vorn-dialog-icon';
    mark.textContent = iconMarks[icon] || iconMarks[0];
    const message = document.createElement('div');
    message.className = 'vorn-dialog-text';
    message.textContent = text;  // white-space: pre-line keeps its line breaks
    body.append(mark, message);
    const row = document.createElement('div');
    row.className = 'vorn-dialog-buttons';
    dialog.append(title, body, row);
    backdrop.append(dialog);

    const finish = (answer) => {
      window.removeEventListener('keydown', onKeyDown, true);
      backdrop.remove();
      page.dialogOpen = false;
      const canvas = page.windows.get(page.current);
      if (canvas) canvas.focus({ preventScroll: true });
      resolve(answer);
    };
    const elements = buttons.map((button) => {
      const element = document.createElement('button');
      element.type = 'button';
      element.textContent = button.label;
      element.addEventListener('click', () => finish(button.answer));
      row.append(element);
      return element;
    });
    // As on Windows: Y and N choose Yes and No, Enter the default button; a box with no
    // Cancel button does not close with Escape, one with a single button does.
    function onKeyDown(event) {
      event.stopPropagation();
      event.preventDefault();
      if (event.repeat) return;
      const letter = event.code.startsWith('Key') ? event.code.slice(3) : '';
      let chosen = null;
      if (event.code === 'Enter' || event.code === 'NumpadEnter') {
        const focused = elements.indexOf(document.activeElement);
        chosen = focused >= 0 ? buttons[focused] : buttons.find((b) => b.onEnter);
      } else if (event.code === 'Escape') {
        chosen = buttons.length === 1 ? buttons[0] : null;
      } else if (letter && buttons.length > 1) {
        chosen = buttons.find((b) => b.label[0].toUpperCase() === letter);
      } else if (event.code === 'Tab' || event.code.startsWith('Arrow')) {
        const focused = Math.max(0, elements.indexOf(document.activeElement));
        const step = (event.shiftKey || event.code === 'ArrowLeft' || event.code === 'ArrowUp') ? -1 : 1;
        elements[(focused + step + elements.length) % elements.length].focus();
      }
      if (chosen) finish(chosen.answer);
    }
    window.addEventListener('keydown', onKeyDown, true);
    page.dialogOpen = true;
    document.body.append(backdrop);
    const first = buttons.findIndex((b) => b.onEnter);
    elements[Math.max(0, first)].focus();
  });

  // --- glyphs from the browser's canvas text ---

  const fonts = new Map();
  let nextFont = 1;
  let glyphCanvas = null;

  page.openFont = (face, height, weight) => {
    if (!glyphCanvas) glyphCanvas = document.createElement('canvas');
    const context = glyphCanvas.getContext('2d', { willReadFrequently: true });
    // A face the browser does not have falls back to its own sans-serif, as fontconfig's does.
    const family = `"${face}", "DejaVu Sans", sans-serif`;
    const style = (size) => `${weight > 0 ? weight : 400} ${size}px ${family}`;
    // The height is the cell, ascent and descent, as Windows matches a font by it.
    context.font = style(100);
    const probe = context.measureText('Hg');
    const cell = (probe.fontBoundingBoxAscent + probe.fontBoundingBoxDescent) || 115;
    const size = Math.abs(height) * 100 / cell;
    const id = nextFont++;
    fonts.set(id, { font: style(size), size });
    return id;
  };

  page.closeFont = (id) => { fonts.delete(id); };

  page.renderGlyph = (id, code) => {
    const font = fonts.get(id);
    if (!font || !glyphCanvas) return null;
    const context = glyphCanvas.getContext('2d', { willReadFrequently: true });
    // Canvas text lays out a soft hyphen as nothing; Windows' and FreeType's bitmaps of it are
    // the font's hyphen.
    const text = code === 0xad ? '-' : String.fromCodePoint(code);
    context.font = font.font;
    const metrics = context.measureText(text);
    const left = Math.floor(-metrics.actualBoundingBoxLeft);
    const right = Math.ceil(metrics.actualBoundingBoxRight);
    const top = Math.ceil(metrics.actualBoundingBoxAscent);
    const bottom = Math.ceil(metrics.actualBoundingBoxDescent);
    const width = Math.max(0, right - left), height = Math.max(0, top + bottom);
    // Whole pixels, as hinted glyphs of a bitmap font advance.
    const glyph = { width, height, left, top, advance: Math.ceil(metrics.width), bits: [] };
    if (width === 0 || height === 0) return glyph;
    if (glyphCanvas.width < width || glyphCanvas.height < height) {
      glyphCanvas.width = Math.max(glyphCanvas.width, width);
      glyphCanvas.height = Math.max(glyphCanvas.height, height);
    }
    context.clearRect(0, 0, glyphCanvas.width, glyphCanvas.height);
    context.font = font.font;
    context.fillStyle = '#fff';
    context.textBaseline = 'alphabetic';
    context.fillText(text, -left, top);
    const pixels = context.getImageData(0, 0, width, height).data;
    // One bit a pixel, the bottom row first, as GL's bitmaps want them.
    const rowBytes = (width + 7) >> 3;
    const bits = new Uint8Array(rowBytes * height);
    for (let y = 0; y < height; ++y) {
      const target = (height - 1 - y) * rowBytes;
      for (let x = 0; x < width; ++x)
        if (pixels[(y * width + x) * 4 + 3] >= 128) bits[target + (x >> 3)] |= 0x80 >> (x & 7);
    }
    glyph.bits = bits;
    return glyph;
  };

  return page;
})();
