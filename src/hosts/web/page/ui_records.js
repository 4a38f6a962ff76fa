// The dialogs of the records: the name entry after a fast run, the table of the ten best runs,
// and the choice of runs to race or to export. Laid out as the desktop's, in dialog units.
window.VT = window.VT || {};

(function () {
  'use strict';
  const ui = VT.ui;
  const el = ui.el;
  const tr = (text) => VT.i18n.tr('Dialogs', text);
  const nameBytes = 15;  // what a name may take in the record file
  let shiftJisWidths = null;

  // Code page 932 bytes per character, learnt once from the browser's own decoder.
  function widths() {
    if (shiftJisWidths) return shiftJisWidths;
    shiftJisWidths = new Map();
    let decoder = null;
    try {
      decoder = new TextDecoder('shift_jis', { fatal: true });
    } catch (e) {
      return shiftJisWidths;  // no decoder: names are checked by the game alone
    }
    const learn = (bytes) => {
      try {
        const text = decoder.decode(new Uint8Array(bytes));
        if (text.length === 1 && !shiftJisWidths.has(text)) shiftJisWidths.set(text, bytes.length);
      } catch (e) { /* no character there */ }
    };
    for (let b = 0x20; b < 0x7f; ++b) learn([b]);
    for (let b = 0xa1; b <= 0xdf; ++b) learn([b]);
    for (let lead = 0x81; lead <= 0xfc; ++lead) {
      if (lead > 0x9f && lead < 0xe0) continue;
      for (let trail = 0x40; trail <= 0xfc; ++trail) if (trail !== 0x7f) learn([lead, trail]);
    }
    return shiftJisWidths;
  }

  // As the desktop's name box: every character must have a Shift-JIS form, 15 bytes at most.
  // The game may replace this with its own check (the record file's encoder).
  ui.nameFits = ui.nameFits || function (name) {
    const table = widths();
    if (!table.size) return true;
    let bytes = 0;
    for (const ch of name) {
      const width = table.get(ch);
      if (!width) return false;
      bytes += width;
    }
    return bytes <= nameBytes;
  };

  function showTip(anchor, text) {
    let tip = anchor.parentNode.querySelector('.vt-tip');
    if (!tip) {
      tip = el('div', 'vt-tip');
      anchor.parentNode.append(tip);
    }
    tip.textContent = text;
    tip.style.left = anchor.offsetLeft + 'px';
    tip.style.top = anchor.offsetTop + anchor.offsetHeight + 'px';
    clearTimeout(tip.timer);
    tip.timer = setTimeout(() => tip.remove(), 4000);
  }

  ui.askName = function (defaultName, time, rank) {
    return new Promise((resolve) => {
      const withRun = time !== null && time !== undefined && rank !== null && rank !== undefined;
      const d = ui.openDialog('name', tr('競技終了'), 120, withRun ? 80 : 70);
      const input = el('input', 'vt-edit');
      const finish = () => {
        ui.closeDialog(d);
        resolve(input.value);
      };
      d.body.append(ui.at(el('div', 'vt-static', tr('貴殿の記録は賞賛に値する。')), 6, 5, 110, 7),
                    ui.at(el('div', 'vt-static', tr('名操縦者として記録する故、')), 6, 15, 114, 7),
                    ui.at(el('div', 'vt-static', tr('名前を入力してくれたまえ。')), 6, 25, 110, 7));
      input.type = 'text';
      input.dataset.field = 'name';
      input.spellcheck = false;
      input.autocomplete = 'off';
      input.value = defaultName || '';
      d.body.append(ui.at(input, 22, 35, 66, 12));
      d.body.append(ui.at(ui.button(d, 'ok', tr('OK'), true, finish), 48, 52, 24, 14));
      if (withRun) {
        const line = tr('記録 %1 ティック、第%2位').replace('%1', String(time)).replace('%2', String(rank));
        d.body.append(ui.at(el('div', 'vt-static', line), 6, 68, 110, 8));
      }
      // A text the record file cannot hold, or wider than the box, is refused as typed.
      let accepted = input.value;
      const check = () => {
        if (ui.nameFits(input.value) && input.scrollWidth <= input.clientWidth) {
          accepted = input.value;
          return;
        }
        const caret = Math.max(0, (input.selectionStart || 0) - (input.value.length - accepted.length));
        input.value = accepted;
        input.setSelectionRange(caret, caret);
        showTip(input, tr('記録できない文字か、長すぎる名前です (Shift-JIS, 15 bytes)'));
      };
      input.addEventListener('input', (e) => {
        if (!e.isComposing) check();
      });
      input.addEventListener('compositionend', check);
      d.onEscape = finish;  // the desktop box also keeps what was typed
      ui.showDialog(d, input);
      input.select();
    });
  };

  // The two columns of the desktop: names (carrying the selection) and times.
  function fillLists(d, lines, x, y, height) {
    const names = ui.at(el('div', 'vt-list'), x, y, 90, height);
    const times = ui.at(el('div', 'vt-list vt-times'), x + 90, y, 60, height);
    names.setAttribute('role', 'listbox');
    lines.forEach((line, index) => {
      const row = el('div', 'vt-row', line.rankAndName);
      row.dataset.index = String(index);
      row.classList.toggle('vt-selected', !!line.selected);
      names.append(row);
      times.append(el('div', 'vt-row', line.time));
    });
    d.body.append(names, times);
    return names;
  }

  ui.hiScoreList = function (lines, offerRace) {
    return new Promise((resolve) => {
      const d = ui.openDialog('list', tr('--過去の挑戦者達の記録--'), 150, 110);
      const finish = (race) => {
        ui.closeDialog(d);
        resolve(race);
      };
      fillLists(d, lines, 2, 3, 87);
      d.body.append(ui.at(ui.button(d, 'ok', tr('OK'), true, () => finish(false)), 57, 94, 24, 14));
      if (offerRace) {
        d.body.append(ui.at(ui.button(d, 'race', tr('この記録と対戦'), false, () => finish(true)),
                            85, 94, 62, 14));
      }
      d.onEscape = () => finish(false);
      ui.showDialog(d);
    });
  };

  // An extended-selection list: a click selects one line, Ctrl+click adds or removes one,
  // Shift+click a range; the arrows move the cursor (Shift extends), Space toggles a line.
  ui.chooseRuns = function (lines, purpose) {
    return new Promise((resolve) => {
      const d = ui.openDialog('choose', tr('--過去の挑戦者達の記録--'), 150, 120);
      const prompt = purpose === 'export' ? '書き出す記録を選択してください。' : '対戦相手を選択してください。';
      d.body.append(ui.at(el('div', 'vt-static', tr(prompt)), 2, 3, 140, 10));
      // A whole number of lines, clear of the buttons, as the desktop's list box shrinks to.
      const list = fillLists(d, lines, 2, 13, 89);
      list.tabIndex = 0;
      list.setAttribute('aria-multiselectable', 'true');
      const rows = Array.from(list.children);
      const selected = rows.map((row) => row.classList.contains('vt-selected'));
      let cursor = Math.max(0, selected.indexOf(true));
      let anchor = cursor;
      const show = () => rows.forEach((row, i) => {
        row.classList.toggle('vt-selected', selected[i]);
        row.classList.toggle('vt-cursor', i === cursor);
        row.setAttribute('aria-selected', String(selected[i]));
      });
      const pick = (index, adding, extending) => {
        if (extending) {
          for (let i = 0; i < rows.length; ++i) selected[i] = i >= Math.min(anchor, index) && i <= Math.max(anchor, index);
        } else if (adding) {
          selected[index] = !selected[index];
          anchor = index;
        } else {
          selected.fill(false);
          selected[index] = true;
          anchor = index;
        }
        cursor = index;
        show();
        rows[index].scrollIntoView({ block: 'nearest' });
      };
      rows.forEach((row, index) => row.addEventListener('mousedown', (e) => {
        pick(index, e.ctrlKey || e.metaKey, e.shiftKey);
      }));
      d.onKey = (e) => {
        if (e.target !== list) return false;
        if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
          pick(Math.max(0, Math.min(rows.length - 1, cursor + (e.key === 'ArrowDown' ? 1 : -1))), false, e.shiftKey);
        } else if (e.key === ' ') {
          pick(cursor, true, false);
        } else {
          return false;
        }
        return true;
      };
      const finish = (answer) => {
        ui.closeDialog(d);
        resolve(answer);
      };
      d.body.append(ui.at(ui.button(d, 'ok', tr('OK'), true, () => finish(selected.slice())), 57, 104, 24, 10),
                    ui.at(ui.button(d, 'cancel', tr('Cancel'), false, () => finish(null)), 85, 104, 32, 10));
      d.onEscape = () => finish(null);
      show();
      ui.showDialog(d, list);
    });
  };
})();
