// The page's modal dialogs, one at a time, each a Promise of its answer. Their contents follow
// the desktop's dialogs (placed in the same dialog units) with the same texts, translated in
// the "Dialogs" context; texts passed in by the game arrive translated already.
window.VT = window.VT || {};

(function () {
  'use strict';
  const ui = VT.ui;
  const el = ui.el;
  const tr = (text) => VT.i18n.tr('Dialogs', text);
  // CSS pixels per dialog unit: as on the desktop, a quarter of the dialog face's average
  // character width across and an eighth of its height down, so the texts fit their places.
  let unitX = 1.5;
  let unitY = 1.5;
  // Message-box buttons carry the desktop toolkit's own English texts in both languages.
  const standardButtons = {
    ok: 'OK', yes: '&Yes', no: '&No', cancel: 'Cancel', retry: 'Retry', discard: 'Discard',
  };
  let current = null;

  ui.dialogOpen = () => current !== null;

  // Places a control as the desktop template does, in dialog units.
  ui.at = function (node, x, y, width, height) {
    node.classList.add('vt-placed');
    Object.assign(node.style, {
      left: x * unitX + 'px', top: y * unitY + 'px',
      width: width * unitX + 'px', height: height * unitY + 'px',
    });
    return node;
  };

  // A dialog of the given kind with its caption bar (none when caption is null) and a body;
  // a body of width x height dialog units is laid out by ui.at, otherwise it flows.
  ui.openDialog = function (kind, caption, width, height) {
    ui.closeMenu();
    const root = el('div', 'vt-dialog');
    root.dataset.dialog = kind;
    root.style.visibility = 'hidden';
    layer().append(root);
    measure(root);
    root.setAttribute('role', 'dialog');
    root.setAttribute('aria-modal', 'true');
    if (caption !== null) root.append(el('div', 'vt-caption', caption));
    const body = el('div', 'vt-body');
    if (width) {
      body.classList.add('vt-fixed');
      body.style.width = width * unitX + 'px';
      body.style.height = height * unitY + 'px';
    }
    root.append(body);
    const dialog = {
      root, body, defaultButton: null, mnemonics: {}, first: null,
      previous: document.activeElement, onEscape: null, onKey: null,
    };
    current = dialog;
    return dialog;
  };

  ui.button = function (dialog, answer, text, isDefault, onClick) {
    const button = el('button', 'vt-button');
    button.type = 'button';
    button.dataset.answer = answer;
    const label = ui.label(text);
    button.append(label.node);
    if (label.key) dialog.mnemonics[label.key] = button;
    if (isDefault) {
      button.classList.add('vt-default');
      dialog.defaultButton = button;
    }
    button.addEventListener('click', onClick);
    return button;
  };

  function measure(root) {
    const style = getComputedStyle(root);
    const size = parseFloat(style.fontSize) || 12;
    const context = document.createElement('canvas').getContext('2d');
    context.font = `${size}px ${style.fontFamily}`;
    const letters = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
    const average = context.measureText(letters).width / letters.length;
    unitX = average > 0 ? average / 4 : size / 8;
    unitY = size / 8;
  }

  function layer() {
    return document.getElementById('dialog-layer') || document.body;
  }

  // Centred over the game picture, as the desktop centres on its window, kept on screen.
  function position(root) {
    const screen = document.getElementById('screen');
    const area = screen && screen.offsetWidth ? screen.getBoundingClientRect()
      : { left: 0, top: 0, width: window.innerWidth, height: window.innerHeight };
    const left = area.left + (area.width - root.offsetWidth) / 2;
    const top = area.top + (area.height - root.offsetHeight) / 2;
    root.style.left = Math.max(0, Math.min(left, window.innerWidth - root.offsetWidth)) + 'px';
    root.style.top = Math.max(0, Math.min(top, window.innerHeight - root.offsetHeight)) + 'px';
  }

  ui.showDialog = function (dialog, focus) {
    const host = layer();
    host.classList.add('vt-open');
    position(dialog.root);
    dialog.root.style.visibility = '';
    dialog.first = focus || dialog.defaultButton;
    if (dialog.first) dialog.first.focus({ preventScroll: true });
  };

  ui.closeDialog = function (dialog) {
    if (current !== dialog) return;
    current = null;
    dialog.root.remove();
    const host = layer();
    if (!host.querySelector('.vt-dialog')) host.classList.remove('vt-open');
    const back = dialog.previous;
    if (back && back !== document.body && document.contains(back)) back.focus({ preventScroll: true });
    else if (document.activeElement) document.activeElement.blur();
  };

  function focusables(root) {
    return Array.from(root.querySelectorAll('button, input, [tabindex="0"]'))
      .filter((node) => !node.disabled && node.tabIndex >= 0);
  }

  function isTextField(node) {
    return node && node.tagName === 'INPUT' && (node.type === 'text' || node.type === 'search');
  }

  // Every key while a dialog is open ends here; none reaches the game.
  ui.dialogKey = function (e) {
    const dialog = current;
    e.stopPropagation();
    const inside = dialog.root.contains(e.target);
    if (dialog.onKey && inside && dialog.onKey(e)) {
      e.preventDefault();
      return;
    }
    if (e.key === 'Enter') {
      e.preventDefault();
      if (e.repeat) return;
      const focused = inside && e.target.tagName === 'BUTTON' ? e.target : dialog.defaultButton;
      if (focused) focused.click();
    } else if (e.key === 'Escape') {
      e.preventDefault();
      if (dialog.onEscape && !e.repeat) dialog.onEscape();
    } else if (e.key === 'Tab') {
      const list = focusables(dialog.root);
      const at = list.indexOf(e.target);
      const next = at < 0 ? 0 : (at + (e.shiftKey ? list.length - 1 : 1)) % list.length;
      e.preventDefault();
      if (list[next]) list[next].focus();
    } else if (!inside) {
      e.preventDefault();  // nothing scrolls or reacts behind the dialog
      if (dialog.first) dialog.first.focus({ preventScroll: true });
    } else if (!isTextField(e.target) && dialog.mnemonics[ui.keyOf(e)]) {
      e.preventDefault();
      if (!e.repeat) dialog.mnemonics[ui.keyOf(e)].click();
    } else if (e.altKey) {
      e.preventDefault();
    }
  };

  window.addEventListener('resize', () => {
    if (current) position(current.root);
  });

  // A click beside the dialog keeps the focus in it.
  document.addEventListener('mousedown', (e) => {
    if (current && !current.root.contains(e.target)) {
      e.preventDefault();
      e.stopPropagation();
    }
  }, true);

  function textBox(kind, text, caption, answers, enter, escape) {
    return new Promise((resolve) => {
      const d = ui.openDialog(kind, caption);
      d.body.append(el('div', 'vt-text', text));
      const row = el('div', 'vt-buttons');
      const finish = (answer) => {
        ui.closeDialog(d);
        resolve(answer);
      };
      for (const answer of answers) {
        row.append(ui.button(d, answer, standardButtons[answer] || answer, answer === enter,
                             () => finish(answer)));
      }
      d.body.append(row);
      if (escape) d.onEscape = () => finish(escape);
      ui.showDialog(d);
    });
  }

  ui.message = function (text, caption) {
    return textBox('message', text, caption || '', ['ok'], 'ok', 'ok').then(() => undefined);
  };

  ui.yesNo = function (text, caption) {
    return textBox('yesno', text, caption || '', ['yes', 'no'], 'yes', null)
      .then((answer) => answer === 'yes');
  };

  ui.ask = function ({ text, caption, buttons, enter, escape }) {
    return textBox('ask', text, caption || '', buttons, enter, escape || null);
  };

  ui.about = function () {
    return new Promise((resolve) => {
      const d = ui.openDialog('about', null, 125, 92);
      d.root.classList.add('vt-frameless');
      const finish = () => {
        ui.closeDialog(d);
        resolve();
      };
      const texts = [['Vantrell for Windows95', 20, 5, 89, 8], ['Version 1.0', 45, 24, 64, 8],
                     ['Game and course design', 19, 45, 100, 9], ['by the Vantrell team', 5, 55, 120, 9]];
      for (const [text, x, y, w, h] of texts) d.body.append(ui.at(el('div', 'vt-static', tr(text)), x, y, w, h));
      // The game's 32-pixel icon, when the page has it; the dialog reads the same without.
      const icon = el('img', 'vt-icon');
      icon.alt = '';
      icon.src = ui.iconUrl || 'icon.png';
      icon.addEventListener('error', () => icon.remove());
      Object.assign(icon.style, { left: 14 * unitX + 'px', top: 23 * unitY + 'px' });
      d.body.append(icon);
      d.body.append(ui.at(ui.button(d, 'ok', tr('OK'), true, finish), 43, 71, 32, 14));
      d.onEscape = finish;
      ui.showDialog(d);
    });
  };

  ui.chooseFile = function (kind) {
    return new Promise((resolve) => {
      const d = ui.openDialog('file', tr('走行ファイルを開く'));
      const finish = (answer) => {
        ui.closeDialog(d);
        resolve(answer);
      };
      const input = el('input', 'vt-file');
      input.type = 'file';
      input.dataset.field = 'file';
      if (kind === 'run') input.accept = '.run';
      input.addEventListener('change', () => {
        const file = input.files && input.files[0];
        if (!file) return;
        file.arrayBuffer().then((buffer) => finish({ name: file.name, bytes: new Uint8Array(buffer) }),
                                (error) => finish({ name: file.name, problem: String(error) }));
      });
      const field = el('label', 'vt-text');
      field.append(el('div', null, tr('走行ファイル (*.run)')), input);
      const row = el('div', 'vt-buttons');
      row.append(ui.button(d, 'cancel', tr('Cancel'), false, () => finish(null)));
      d.body.append(field, row);
      d.onEscape = () => finish(null);
      d.onKey = (e) => {
        if (e.key !== 'Enter' || e.target !== input) return false;
        input.click();  // Enter opens the browser's file chooser
        return true;
      };
      ui.showDialog(d, input);
    });
  };
})();
