// The controls and speed dialog. The race runs on behind it, so it is no Promise: every click
// is reported to the game, which answers with the marks and the speed to show (updateControls)
// and closes the dialog after "O K". Escape does nothing, as on the desktop.
window.VT = window.VT || {};

(function () {
  'use strict';
  const ui = VT.ui;
  const el = ui.el;
  const tr = (text) => VT.i18n.tr('Dialogs', text);
  const cursorKeys = 'Keyboard ( Cursor,  Shift )';
  const letterKeys = 'Keyboard ( W, A, S, D , Ctrl)';
  // GAME_CONFIG_DIALOG's check boxes in the order of state.marks, in dialog units.
  const boxes = [
    [cursorKeys, 9, 67, 87], [letterKeys, 9, 80, 92], ['Joystick 1', 9, 92, 74], ['Joystick 2', 9, 103, 88],
    [cursorKeys, 115, 67, 87], [letterKeys, 115, 80, 91], ['Joystick 1', 115, 92, 94], ['Joystick 2', 115, 103, 88],
  ];
  const templateHeight = 141;
  let shown = null;  // { dialog, checks, bar, pads, onAction, state }

  function group(text, x, y, width, height, centred) {
    const frame = ui.at(el('div', 'vt-group' + (centred ? ' vt-centred' : '')), x, y, width, height);
    frame.append(el('span', 'vt-group-title', tr(text)));
    return frame;
  }

  function padLine(index, name) {
    return tr('Joystick %1: %2').replace('%1', String(index + 1)).replace('%2', name || tr('未接続'));
  }

  function show(state) {
    shown.state = state;
    shown.checks.forEach((check, i) => {
      check.checked = !!(state.marks && state.marks[i]);
    });
    shown.bar.min = String(state.speedMin);
    shown.bar.max = String(state.speedMax);
    shown.bar.value = String(state.speed);
    shown.pads.forEach((line, i) => {
      line.textContent = padLine(i, state.pads ? state.pads[i] : null);
    });
  }

  function act(action) {
    if (shown && shown.onAction) shown.onAction(action);
  }

  function speedBar() {
    // A scroll bar of the desktop's kind: step arrows at either end, left is faster.
    const frame = ui.at(el('div', 'vt-scroll'), 19, 25, 176, 12);
    const step = (move, text) => {
      const button = el('button', 'vt-step', text);
      button.type = 'button';
      button.tabIndex = -1;
      button.dataset.step = move;
      button.addEventListener('click', () => act({ type: 'speed', move }));
      return button;
    };
    const bar = el('input', 'vt-range');
    bar.type = 'range';
    bar.step = '1';
    bar.dataset.field = 'speed';
    bar.addEventListener('input', () => act({ type: 'speed', move: 'track', position: Number(bar.value) }));
    frame.append(step('faster', '\u25c0'), bar, step('slower', '\u25b6'));
    return { frame, bar };
  }

  ui.openControls = function (state, onAction) {
    if (shown) {
      shown.onAction = onAction;
      show(state);
      return;
    }
    const d = ui.openDialog('controls', tr(' Game Configuration'), 215, templateHeight + 22);
    const { frame, bar } = speedBar();
    d.body.append(group('SPEED', 6, 7, 204, 37, true),
                  ui.at(el('div', 'vt-static', tr('Fast')), 29, 15, 21, 9),
                  ui.at(el('div', 'vt-static vt-right', tr('Slow')), 168, 13, 17, 8), frame,
                  group('Player 1 (Red) Control', 4, 49, 100, 67),
                  group('Player 2 (BLUE) Control', 110, 49, 100, 67));
    const checks = boxes.map(([text, x, y, width], index) => {
      const label = ui.at(el('label', 'vt-check-box'), x, y, width, 8);
      const check = el('input');
      check.type = 'checkbox';
      check.dataset.box = String(index);
      // A plain box: the click is reported, and only the game changes the mark.
      check.addEventListener('click', () => {
        check.checked = !!(shown.state.marks && shown.state.marks[index]);
        act({ type: 'toggle', box: index });
      });
      label.append(check, el('span', null, tr(text)));
      d.body.append(label);
      return check;
    });
    const ok = ui.button(d, 'ok', tr('O K'), true, () => act({ type: 'ok' }));
    d.body.append(ui.at(ok, 87, 121, 41, 16));
    const pads = [0, 1].map((i) => {
      const line = ui.at(el('div', 'vt-static'), 6, templateHeight + i * 10, 203, 9);
      line.dataset.pad = String(i);
      d.body.append(line);
      return line;
    });
    // The arrow keys on the bar step the speed through the game, as its arrow buttons do.
    d.onKey = (e) => {
      if (e.target !== bar) return false;
      const faster = e.key === 'ArrowLeft' || e.key === 'ArrowUp';
      const slower = e.key === 'ArrowRight' || e.key === 'ArrowDown';
      if (!faster && !slower) return false;
      act({ type: 'speed', move: faster ? 'faster' : 'slower' });
      return true;
    };
    shown = { dialog: d, checks, bar, pads, onAction, state };
    show(state);
    ui.showDialog(d, ok);
  };

  ui.updateControls = function (state) {
    if (shown) show(state);
  };

  ui.closeControls = function () {
    if (!shown) return;
    ui.closeDialog(shown.dialog);
    shown = null;
  };
})();
